#include "BasicFileStream.h"

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
        // No O_TRUNC: the file is emptied only once the lock is held, so that creating over a
        // file that another stream holds cannot destroy its contents.
        return O_RDWR | O_CREAT;
    case TFileMode::OpenRead:
        return O_RDONLY;
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
    if (::flock(FHandle, LOCK_EX | LOCK_NB) != 0 || (mode == TFileMode::Create && ::ftruncate(FHandle, 0) != 0)) {
        const int error = errno;
        ::close(FHandle);
        FHandle = -1;
        throw EStreamError(ErrorText(what, fileName, error));
    }
}

TBasicFileStream::~TBasicFileStream()
{
    if (FHandle >= 0) {
        ::close(FHandle);
    }
}

std::int64_t TBasicFileStream::Read(void* buffer, std::int64_t count)
{
    auto* target = static_cast<char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(FHandle, target + done, static_cast<std::size_t>(count - done));
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

std::int64_t TBasicFileStream::Write(const void* buffer, std::int64_t count)
{
    const auto* source = static_cast<const char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(FHandle, source + done, static_cast<std::size_t>(count - done));
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

std::int64_t TBasicFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    const int whence = origin == TSeekOrigin::Begin ? SEEK_SET : origin == TSeekOrigin::Current ? SEEK_CUR : SEEK_END;
    const off_t position = ::lseek(FHandle, static_cast<off_t>(offset), whence);
    if (position < 0) {
        throw EStreamError(ErrorText("Cannot seek in file", FFileName, errno));
    }
    return position;
}

std::int64_t TBasicFileStream::Size()
{
    struct stat info {};
    if (::fstat(FHandle, &info) != 0) {
        throw EStreamError(ErrorText("Cannot read the size of file", FFileName, errno));
    }
    return info.st_size;
}

void TBasicFileStream::SetSize(std::int64_t size)
{
    if (::ftruncate(FHandle, static_cast<off_t>(size)) != 0) {
        throw EStreamError(ErrorText("Cannot change the size of file", FFileName, errno));
    }
}

std::int64_t TBasicFileStream::CopyFromStream(TStream& source, std::int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    const std::int64_t total = count;
    const std::int64_t bufferSize = count <= CopyChunkSize ? count : CopyChunkSize;
    const auto buffer = std::make_unique<char[]>(static_cast<std::size_t>(bufferSize > 0 ? bufferSize : 1));
    while (count > 0) {
        const std::int64_t n = count < bufferSize ? count : bufferSize;
        source.ReadBuffer(buffer.get(), n);
        WriteBuffer(buffer.get(), n);
        count -= n;
    }
    return total;
}
