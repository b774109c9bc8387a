#include "SealedStream.h"

#include "SealedBytes.h"
#include "container/ContainerError.h"
#include "language/Messages.h"

#include <algorithm>

namespace sealed {

namespace {

// Chunk indices carry the last-chunk flag in their top bit, so a stream has fewer than 2^31.
constexpr std::uint64_t LastFlag = 0x80000000U;

std::string ChunkNonce(std::string_view prefix, std::uint64_t index, bool last)
{
    const std::uint64_t counter = index | (last ? LastFlag : 0);
    std::string nonce(prefix);
    for (int shift = 24; shift >= 0; shift -= 8) {
        nonce += static_cast<char>((counter >> shift) & 0xFF);
    }
    return nonce;
}

std::string Prologue(std::string_view kind, std::string_view prefix, std::uint64_t plainLength)
{
    return std::string(kind) + std::string(prefix) + LittleEndian(plainLength, 8);
}

} // namespace

TStreamLayout::TStreamLayout(std::uint64_t plainLength, std::uint32_t chunkSize)
{
    const std::uint64_t chunks = plainLength == 0 ? 1 : (plainLength - 1) / chunkSize + 1;
    if (chunks >= LastFlag) {
        return;
    }
    Chunks = chunks;
    StoredLength = PrologueSize + plainLength + chunks * TagSize;
}

TSealedWriter::TSealedWriter(TStream& file, const TStreamSeal& seal, std::string_view kind,
                             std::uint64_t plainLength)
    : FFile(file), FSeal(seal), FLayout(plainLength, seal.ChunkSize), FPlainLength(plainLength),
      FPrefix(RandomBytes(PrefixSize))
{
    if (FLayout.Chunks == 0) {
        ThrowContainerError(msg::IllegalLongSize, {static_cast<std::int64_t>(plainLength)});
    }
    const std::string prologue = Prologue(kind, FPrefix, plainLength);
    FAdditional = std::string(seal.ContainerId) + prologue;
    FFile.WriteBuffer(prologue.data(), PrologueSize);
    FChunk.reserve(seal.ChunkSize + TagSize);
}

std::int64_t TSealedWriter::Write(const void* buffer, std::int64_t count)
{
    const auto* data = static_cast<const char*>(buffer);
    auto size = static_cast<std::uint64_t>(count);
    if (count < 0 || size > FPlainLength - FWritten) {
        ThrowContainerError(msg::IllegalLongSize, {static_cast<std::int64_t>(FWritten) + count});
    }
    while (size > 0) {
        if (FChunk.size() == FSeal.ChunkSize) {
            SealChunk();
        }
        const std::size_t take = std::min<std::uint64_t>(size, FSeal.ChunkSize - FChunk.size());
        FChunk.append(data, take);
        data += take;
        size -= take;
        FWritten += take;
    }
    return count;
}

std::int64_t TSealedWriter::Read(void*, std::int64_t)
{
    throw EStreamError("A sealed stream being written cannot be read");
}

std::int64_t TSealedWriter::Seek(std::int64_t offset, TSeekOrigin origin)
{
    if (offset != 0 || origin == TSeekOrigin::Begin) {
        throw EStreamError("A sealed stream is written in order");
    }
    return static_cast<std::int64_t>(FWritten);
}

void TSealedWriter::SetSize(std::int64_t)
{
    throw EStreamError("A sealed stream is written in order");
}

void TSealedWriter::SealChunk()
{
    const bool last = FIndex + 1 == FLayout.Chunks;
    const std::size_t size = FChunk.size();
    FChunk.resize(size + TagSize);
    FSeal.Key.Seal(ChunkNonce(FPrefix, FIndex, last), FAdditional, FChunk.data(), size, FChunk.data());
    FFile.WriteBuffer(FChunk.data(), static_cast<std::int64_t>(FChunk.size()));
    FChunk.clear();
    ++FIndex;
}

void TSealedWriter::Finish()
{
    if (FWritten != FPlainLength) {
        ThrowContainerError(msg::StringIncomplete,
                            {static_cast<std::int64_t>(FWritten), static_cast<std::int64_t>(FPlainLength)});
    }
    SealChunk();
}

TSealedReader::TSealedReader(TStream& file, std::int64_t position, const TStreamSeal& seal, std::string_view kind,
                             const TMessage& broken, std::string name)
    : FFile(file), FSeal(seal), FBroken(broken), FName(std::move(name)), FPosition(position)
{
    const std::int64_t fileSize = FFile.Size();
    if (position < 0 || position > fileSize || fileSize - position < static_cast<std::int64_t>(PrologueSize)) {
        Broken();
    }
    std::string prologue(PrologueSize, '\0');
    FFile.SetPosition(position);
    FFile.ReadBuffer(prologue.data(), PrologueSize);
    TByteReader fields(prologue);
    if (fields.Bytes(kind.size()) != kind) {
        Broken();
    }
    FPrefix = fields.Bytes(PrefixSize);
    FPlainLength = fields.U64();
    FLayout = TStreamLayout(FPlainLength, seal.ChunkSize);
    if (FLayout.Chunks == 0 || FLayout.StoredLength > static_cast<std::uint64_t>(fileSize - position)) {
        Broken();
    }
    FAdditional = std::string(seal.ContainerId) + prologue;
    FPosition += PrologueSize;
}

void TSealedReader::Broken() const
{
    ThrowContainerError(FBroken, {FName});
}

void TSealedReader::OpenNextChunk()
{
    const bool last = FIndex + 1 == FLayout.Chunks;
    const std::uint64_t size = last ? FPlainLength - FIndex * FSeal.ChunkSize : FSeal.ChunkSize;
    FChunk.resize(size + TagSize);
    FFile.SetPosition(FPosition);
    FFile.ReadBuffer(FChunk.data(), static_cast<std::int64_t>(FChunk.size()));
    if (!FSeal.Key.Open(ChunkNonce(FPrefix, FIndex, last), FAdditional, FChunk.data(), size, FChunk.data())) {
        FChunk.clear();
        Broken();
    }
    FChunk.resize(size);
    FChunkUsed = 0;
    FPosition += static_cast<std::int64_t>(size + TagSize);
    ++FIndex;
}

std::int64_t TSealedReader::Read(void* buffer, std::int64_t count)
{
    auto* target = static_cast<char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        if (FChunkUsed == FChunk.size()) {
            if (FIndex == FLayout.Chunks) {
                break;
            }
            OpenNextChunk();
            continue;
        }
        const std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(count - done), FChunk.size() - FChunkUsed);
        std::copy_n(FChunk.data() + FChunkUsed, take, target + done);
        FChunkUsed += take;
        done += static_cast<std::int64_t>(take);
    }
    FRead += static_cast<std::uint64_t>(done);
    return done;
}

std::string TSealedReader::ReadAll()
{
    std::string plain(static_cast<std::size_t>(FPlainLength - FRead), '\0');
    ReadBuffer(plain.data(), static_cast<std::int64_t>(plain.size()));
    // An empty stream still has its one chunk to authenticate.
    if (FIndex < FLayout.Chunks) {
        OpenNextChunk();
    }
    return plain;
}

std::int64_t TSealedReader::Write(const void*, std::int64_t)
{
    throw EStreamError("A sealed stream is read only");
}

void TSealedReader::SetSize(std::int64_t)
{
    throw EStreamError("A sealed stream is read only");
}

std::int64_t TSealedReader::Seek(std::int64_t offset, TSeekOrigin origin)
{
    const std::int64_t here = static_cast<std::int64_t>(FRead);
    const std::int64_t target =
        origin == TSeekOrigin::Begin ? offset : origin == TSeekOrigin::Current ? here + offset : Size() + offset;
    if (target < here || target > Size()) {
        throw EStreamError("A sealed stream reads forward only");
    }
    char skipped[4096];
    while (static_cast<std::int64_t>(FRead) < target) {
        ReadBuffer(skipped, std::min<std::int64_t>(sizeof skipped, target - static_cast<std::int64_t>(FRead)));
    }
    return target;
}

} // namespace sealed
