#pragma once

#include "SealedCrypto.h"
#include "cipher/Stream.h"
#include "language/Message.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace sealed {

// The two kinds of stream, as their prologue names them.
inline constexpr std::string_view EntryKind = "SV5E";
inline constexpr std::string_view CatalogKind = "SV5C";
inline constexpr std::size_t PrologueSize = 20;
inline constexpr std::size_t PrefixSize = 8;

// How a stream of plainLength bytes is cut: its chunk count and the bytes it takes in the file
// (prologue, chunks and their tags). Zero chunks means no stream can have that length.
struct TStreamLayout
{
    TStreamLayout(std::uint64_t plainLength, std::uint32_t chunkSize);

    std::uint64_t Chunks = 0;
    std::uint64_t StoredLength = 0;
};

// What every chunk of one stream is sealed with.
struct TStreamSeal
{
    const TGcmKey& Key;
    std::string_view ContainerId;
    std::uint32_t ChunkSize;
};

// Writes one sealed stream at the file's current position: the prologue at once, then each chunk
// as soon as it is full. The plain length is fixed up front (every chunk's additional data holds
// it); Finish seals the last chunk and refuses a stream given more or fewer bytes. Writes only.
class TSealedWriter : public TStream
{
public:
    TSealedWriter(TStream& file, const TStreamSeal& seal, std::string_view kind, std::uint64_t plainLength);

    void Finish();

    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Read(void* buffer, std::int64_t count) override;
    // Position() and Size() are the plain bytes written so far.
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(FWritten); }
    void SetSize(std::int64_t size) override;

    const std::string& Prefix() const { return FPrefix; }
    std::uint64_t StoredLength() const { return FLayout.StoredLength; }

private:
    void SealChunk();

    TStream& FFile;
    const TStreamSeal FSeal;
    const TStreamLayout FLayout;
    const std::uint64_t FPlainLength;
    std::string FPrefix;
    std::string FAdditional;
    std::string FChunk;
    std::uint64_t FWritten = 0;
    std::uint64_t FIndex = 0;
};

// Reads one sealed stream of the file, from its position on, as a stream of its plain bytes:
// each chunk is read and authenticated before any byte of it is handed out, in order, so a
// reader never sees a byte that was altered, moved, or cut from its place. A chunk that does not
// authenticate raises EContainerError with the message given (its placeholder filled with the
// name given). Reads forward only.
class TSealedReader : public TStream
{
public:
    // Reads and checks the prologue: its kind, and a stored length that fits in the file.
    TSealedReader(TStream& file, std::int64_t position, const TStreamSeal& seal, std::string_view kind,
                  const TMessage& broken, std::string name);

    const std::string& Prefix() const { return FPrefix; }
    std::uint64_t StoredLength() const { return FLayout.StoredLength; }
    // Reads and authenticates every byte, the last chunk included.
    std::string ReadAll();

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    // Position() and Size() are of the plain bytes; a seek forward reads (and authenticates)
    // what it steps over, a seek back is refused.
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(FPlainLength); }
    void SetSize(std::int64_t size) override;

private:
    void OpenNextChunk();
    [[noreturn]] void Broken() const;

    TStream& FFile;
    const TStreamSeal FSeal;
    const TMessage& FBroken;
    const std::string FName;
    std::int64_t FPosition;
    std::uint64_t FPlainLength = 0;
    TStreamLayout FLayout{0, 1};
    std::string FPrefix;
    std::string FAdditional;
    std::string FChunk;
    std::size_t FChunkUsed = 0;
    std::uint64_t FIndex = 0;
    std::uint64_t FRead = 0;
};

} // namespace sealed
