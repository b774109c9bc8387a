#pragma once

#include "Stream.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

enum class TFileMode
{
    Create,       // a new file, read and write; refused when anything (a file, a link) has the name
    OpenRead,     // an existing file, read only
    OpenReadWrite // an existing file, read and write
};

// A file stream that holds its file exclusively: while it lives, any other opening of the file by
// a stream of this program fails (an exclusive advisory lock, taken before anything is changed).
// Small reads are served from a read-ahead buffer and small writes that follow one another are
// gathered, so reading or writing a catalog of many short fields does not cost a system call per
// field. Adds a chunked copy from another stream that goes
// through this stream's own Write.
class TBasicFileStream : public TStream
{
public:
    static constexpr std::int64_t CopyChunkSize = 0xF000;

    // Raises EStreamError when the file cannot be opened or created (for Create also when
    // anything has the name already), or is held by another stream.
    TBasicFileStream(const std::string& fileName, TFileMode mode);
    // Writes into an empty file that its caller has just created and keeps open, known to no one
    // else (a private temporary file): nothing to lock or to empty, and the handle stays the
    // caller's: Close writes what is gathered and leaves it open.
    TBasicFileStream(int callersHandle, const std::string& fileName);
    ~TBasicFileStream() override;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override;
    void SetSize(std::int64_t size) override;

    // Waits until everything written so far has reached the device.
    void Flush();
    // Hands the small writes gathered so far to the system, so that they survive the end of the
    // process (not a power loss: that is what Flush is for).
    void PushWrites();
    // Writes what is still gathered and releases the file; raises EStreamError when that fails
    // (the destructor does the same but cannot report a failure).
    void Close();

    // Told after each chunk how many bytes of the copy are done, on the thread that copies;
    // whatever it raises ends the copy and comes out of CopyFromStream.
    using TChunkDone = std::function<void(std::int64_t done)>;

    // Copies count bytes from the source's current position, in chunks of at most 61440 bytes,
    // each written through Write. A count of 0 copies the whole source from its beginning.
    // Returns the number of bytes copied; a short read or write raises EStreamError. A large
    // copy reads (and deciphers), encodes and writes its chunks at the same time, on three
    // threads: the source must not be used elsewhere meanwhile; chunkDone then follows the
    // encoding, and what it raises stops the reading and writing threads too.
    virtual std::int64_t CopyFromStream(TStream& source, std::int64_t count, const TChunkDone& chunkDone = {});

    const std::string& FileName() const { return FFileName; }

    // Reads or writes count bytes at position through a handle, in as many calls as it takes;
    // raises EStreamError naming the file when that fails (or the file ends first). For a whole
    // that is known at once and needs no read-ahead or gathering.
    static void ReadWholeAt(int handle, void* buffer, std::int64_t count, std::int64_t position,
                            const std::string& fileName);
    static void WriteWholeAt(int handle, const void* data, std::int64_t count, std::int64_t position,
                             const std::string& fileName);
    // The open file, for asking the system about it; it stays this stream's.
    int Handle() const { return FHandle; }

protected:
    // What Write does to the bytes before they reach the file (enciphering, for a cipher
    // stream); in place. Nothing here.
    virtual void EncodeForWrite(char* /*data*/, std::int64_t /*count*/) {}
    // What Read does to the bytes after they come from the file (deciphering); in place.
    virtual void DecodeAfterRead(char* /*data*/, std::int64_t /*count*/) {}

private:
    static constexpr std::int64_t ReadAheadSize = 64 * 1024;
    static constexpr std::int64_t WriteBehindSize = 64 * 1024;

    // Copies of more than this many bytes overlap reading and writing.
    static constexpr std::int64_t OverlapThreshold = 1 << 20;

    // Reads until count bytes or the end of the file when whole, else stops after one read.
    static std::int64_t ReadAt(int handle, void* buffer, std::int64_t count, std::int64_t position, bool whole);
    static std::int64_t WriteAt(int handle, const char* source, std::int64_t count, std::int64_t position);
    void FlushWritesTo(int handle);
    // A write that ends past the known size makes the file that long.
    void GrowKnownSize();
    void CopyInTurn(TStream& source, std::int64_t count, const TChunkDone& chunkDone);
    void CopyOverlapped(TStream& source, std::int64_t count, const TChunkDone& chunkDone);

    std::string FFileName;
    int FHandle = -1;
    bool FOwnsHandle = true;
    std::int64_t FPosition = 0;
    // The bytes of the file from FBufferStart on, as last read.
    std::unique_ptr<char[]> FBuffer;
    std::int64_t FBufferStart = 0;
    std::int64_t FBufferLength = 0;
    // Small writes that follow one another, gathered from FWriteStart on.
    std::unique_ptr<char[]> FWriteBuffer;
    std::int64_t FWriteStart = 0;
    std::int64_t FWriteLength = 0;
    // The size of the file with the gathered writes, once asked for; -1 until then.
    std::int64_t FKnownSize = -1;
};
