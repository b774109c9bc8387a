#include "BasicFileStream.h"

#include "ChunkPipeline.h"
#include "UninitialisedBuffer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ErrorText(const char* what, const std::string& fileName, int error)
{
    return std::string(what) + " '" + fileName + "': " + std::strerror(error);
}

int OpenFlags(TFileMode mode)
{
    switch (mode) {
    case TFileMode::Create:
        // Never through a link, never into a file that stands at the name: whoever can put
        // something there must not make the stream write into another file.
        return O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW;
    case TFileMode::OpenRead:
        // Opening a named pipe or a device must not wait for a writer or a line: a file is
        // opened to be read, and whoever expects a regular file checks what the handle is.
        return O_RDONLY | O_NONBLOCK | O_NOCTTY;
    case TFileMode::OpenReadWrite:
        return O_RDWR;
    }
    return O_RDONLY;
}

} // namespace

TBasicFileStream::TBasicFileStream(const std::string& fileName, TFileMode mode) : FFileName(fileName)
{
    const char* what = mode == TFileMode::Create ? "Cannot create file" : "Cannot open file";
    FHandle = ::open(fileName.c_str(), OpenFlags(mode) | O_CLOEXEC, 0666);
    if (FHandle < 0) {
        throw EStreamError(ErrorText(what, fileName, errno));
    }
    if (::flock(FHandle, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(FHandle);
        FHandle = -1;
        throw EStreamError(ErrorText(what, fileName, error));
    }
    if (mode == TFileMode::Create) {
        FKnownSize = 0;
    }
}

TBasicFileStream::TBasicFileStream(int callersHandle, const std::string& fileName)
    : FFileName(fileName), FHandle(callersHandle), FOwnsHandle(false), FKnownSize(0)
{
}

TBasicFileStream::~TBasicFileStream()
{
    if (FHandle < 0) {
        return;
    }
    try {
        PushWrites();
    } catch (const EStreamError&) {
        // Whoever needs to know calls Close, which raises.
    }
    if (FOwnsHandle) {
        ::close(FHandle);
    }
}

void TBasicFileStream::Close()
{
    if (FHandle < 0) {
        return;
    }
    const int handle = FHandle;
    FHandle = -1;
    try {
        FlushWritesTo(handle);
    } catch (...) {
        if (FOwnsHandle) {
            ::close(handle);
        }
        throw;
    }
    if (FOwnsHandle && ::close(handle) != 0) {
        throw EStreamError(ErrorText("Cannot write file", FFileName, errno));
    }
}

std::int64_t TBasicFileStream::WriteAt(int handle, const char* source, std::int64_t count, std::int64_t position)
{
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t n = ::pwrite(handle, source + done, static_cast<std::size_t>(count - done), position + done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += n;
    }
    return done;
}

void TBasicFileStream::PushWrites()
{
    FlushWritesTo(FHandle);
}

void TBasicFileStream::FlushWritesTo(int handle)
{
    if (FWriteLength == 0) {
        return;
    }
    const std::int64_t length = FWriteLength;
    FWriteLength = 0;
    try {
        WriteWholeAt(handle, FWriteBuffer.get(), length, FWriteStart, FFileName);
    } catch (const EStreamError&) {
        FKnownSize = -1;
        throw;
    }
}

void TBasicFileStream::ReadWholeAt(int handle, void* buffer, std::int64_t count, std::int64_t position,
                                   const std::string& fileName)
{
    errno = 0;
    if (ReadAt(handle, buffer, count, position, true) != count) {
        throw EStreamError(ErrorText("Cannot read file", fileName, errno != 0 ? errno : EIO));
    }
}

void TBasicFileStream::WriteWholeAt(int handle, const void* data, std::int64_t count, std::int64_t position,
                                    const std::string& fileName)
{
    errno = 0;
    if (WriteAt(handle, static_cast<const char*>(data), count, position) != count) {
        throw EStreamError(ErrorText("Cannot write file", fileName, errno != 0 ? errno : ENOSPC));
    }
}

std::int64_t TBasicFileStream::ReadAt(int handle, void* buffer, std::int64_t count, std::int64_t position, bool whole)
{
    auto* target = static_cast<char*>(buffer);
    std::int64_t done = 0;
    while (done < count && (whole || done == 0)) {
        const ssize_t n = ::pread(handle, target + done, static_cast<std::size_t>(count - done), position + done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += n;
    }
    return done;
}

std::int64_t TBasicFileStream::Read(void* buffer, std::int64_t count)
{
    PushWrites();
    auto* target = static_cast<char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        const std::int64_t offset = FPosition - FBufferStart;
        if (offset >= 0 && offset < FBufferLength) {
            const std::int64_t n = std::min(count - done, FBufferLength - offset);
            std::memcpy(target + done, FBuffer.get() + offset, static_cast<std::size_t>(n));
            done += n;
            FPosition += n;
            continue;
        }
        if (count - done >= ReadAheadSize / 2) {
            // Large reads go straight to the caller's buffer.
            const std::int64_t n = ReadAt(FHandle, target + done, count - done, FPosition, true);
            done += n;
            FPosition += n;
            break;
        }
        if (!FBuffer) {
            FBuffer = UninitialisedBuffer(ReadAheadSize);
        }
        // One read: what it brings is enough for now, and a small file is not asked twice.
        FBufferStart = FPosition;
        FBufferLength = ReadAt(FHandle, FBuffer.get(), ReadAheadSize, FPosition, false);
        if (FBufferLength == 0) {
            break;
        }
    }
    return done;
}

std::int64_t TBasicFileStream::Write(const void* buffer, std::int64_t count)
{
    FBufferLength = 0;
    const auto* source = static_cast<const char*>(buffer);
    if (count >= WriteBehindSize / 2) {
        // Large writes go straight to the file, after what was gathered before them.
        PushWrites();
        const std::int64_t done = WriteAt(FHandle, source, count, FPosition);
        FPosition += done;
        GrowKnownSize();
        return done;
    }
    // Small writes are gathered while they follow one another or rewrite gathered bytes (an end
    // marker overwritten by the next entry), and written in one go.
    const std::int64_t offset = FPosition - FWriteStart;
    if (FWriteLength > 0 && (offset < 0 || offset > FWriteLength || offset + count > WriteBehindSize)) {
        PushWrites();
    }
    if (!FWriteBuffer) {
        FWriteBuffer = UninitialisedBuffer(WriteBehindSize);
    }
    if (FWriteLength == 0) {
        FWriteStart = FPosition;
    }
    const std::int64_t at = FPosition - FWriteStart;
    std::memcpy(FWriteBuffer.get() + at, source, static_cast<std::size_t>(count));
    FWriteLength = std::max(FWriteLength, at + count);
    FPosition += count;
    GrowKnownSize();
    return count;
}

void TBasicFileStream::GrowKnownSize()
{
    if (FKnownSize >= 0 && FPosition > FKnownSize) {
        FKnownSize = FPosition;
    }
}

std::int64_t TBasicFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    const std::int64_t base = origin == TSeekOrigin::Begin ? 0 : origin == TSeekOrigin::Current ? FPosition : Size();
    if (base + offset < 0) {
        throw EStreamError(ErrorText("Cannot seek in file", FFileName, EINVAL));
    }
    FPosition = base + offset;
    return FPosition;
}

std::int64_t TBasicFileStream::Size()
{
    // Asked once: the file is held exclusively, so only this stream changes its size from then on.
    if (FKnownSize < 0) {
        PushWrites();
        struct stat info
        {
        };
        if (::fstat(FHandle, &info) != 0) {
            throw EStreamError(ErrorText("Cannot read the size of file", FFileName, errno));
        }
        FKnownSize = info.st_size;
    }
    return FKnownSize;
}

void TBasicFileStream::SetSize(std::int64_t size)
{
    PushWrites();
    FBufferLength = 0;
    FKnownSize = -1;
    if (::ftruncate(FHandle, static_cast<off_t>(size)) != 0) {
        throw EStreamError(ErrorText("Cannot change the size of file", FFileName, errno));
    }
    FKnownSize = size;
}

void TBasicFileStream::Flush()
{
    PushWrites();
    if (::fsync(FHandle) != 0) {
        throw EStreamError(ErrorText("Cannot flush file", FFileName, errno));
    }
}

std::int64_t TBasicFileStream::CopyFromStream(TStream& source, std::int64_t count, const TChunkDone& chunkDone)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    if (TChunkPipeline::Available && count > OverlapThreshold) {
        CopyOverlapped(source, count, chunkDone);
    } else if (count > 0) {
        CopyInTurn(source, count, chunkDone);
    }
    return count;
}

void TBasicFileStream::CopyInTurn(TStream& source, std::int64_t count, const TChunkDone& chunkDone)
{
    const std::int64_t bufferSize = std::min(count, CopyChunkSize);
    const auto buffer = UninitialisedBuffer(static_cast<std::size_t>(bufferSize));
    for (std::int64_t done = 0; done < count;) {
        const std::int64_t n = std::min(count - done, bufferSize);
        source.ReadBuffer(buffer.get(), n);
        WriteBuffer(buffer.get(), n);
        done += n;
        if (chunkDone) {
            chunkDone(done);
        }
    }
}

void TBasicFileStream::CopyOverlapped(TStream& source, std::int64_t count, const TChunkDone& chunkDone)
{
    // From a file stream, the reading thread only reads; deciphering joins enciphering on this
    // thread, so that neither of the two threads that wait for the disk carries cipher work.
    auto* fileSource = dynamic_cast<TBasicFileStream*>(&source);
    std::int64_t done = 0;
    TChunkPipeline::Run(
        count, CopyChunkSize,
        [&](char* chunk, std::int64_t size) {
            const std::int64_t got =
                fileSource ? fileSource->TBasicFileStream::Read(chunk, size) : source.Read(chunk, size);
            if (got != size) {
                throw EStreamError("Stream read error");
            }
        },
        [&](char* chunk, std::int64_t size) {
            if (fileSource) {
                fileSource->DecodeAfterRead(chunk, size);
            }
            EncodeForWrite(chunk, size);
            done += size;
            if (chunkDone) {
                chunkDone(done);
            }
        },
        [&](char* chunk, std::int64_t size) {
            if (TBasicFileStream::Write(chunk, size) != size) {
                throw EStreamError("Stream write error");
            }
        });
}
