#include "PendingFile.h"

#include "ContainerError.h"
#include "LocalFiles.h"
#include "cipher/Stream.h"
#include "language/Messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The permissions of the file at that name, or those any new file gets when there is none.
unsigned ModeFor(const std::string& fileName)
{
    struct stat info
    {
    };
    if (::stat(fileName.c_str(), &info) == 0) {
        return info.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

TPendingFile::TPendingFile(const std::string& finalName) : FFinalName(finalName), FMode(ModeFor(finalName))
{
    if (IsReadOnlyFile(finalName)) {
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {finalName});
    }
    const std::filesystem::path target(finalName);
    std::string pattern =
        (target.parent_path() / ("." + target.filename().string().substr(0, 200) + ".XXXXXX")).string();
    const int handle = ::mkstemp(pattern.data());
    if (handle < 0) {
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {finalName});
    }
    ::close(handle);
    FTempName = pattern;
}

TPendingFile::~TPendingFile()
{
    if (!FTempName.empty()) {
        std::remove(FTempName.c_str());
    }
}

void TPendingFile::Commit()
{
    // Set now, not at creation: whatever wrote the contents may have changed them.
    if (::chmod(FTempName.c_str(), static_cast<mode_t>(FMode)) != 0) {
        throw EStreamError("Cannot set the permissions of file '" + FTempName + "': " + std::strerror(errno));
    }
    std::error_code error;
    std::filesystem::rename(FTempName, FFinalName, error);
    if (error) {
        // For example a folder of that name stands in the way.
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {FFinalName});
    }
    FTempName.clear();
}
