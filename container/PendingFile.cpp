#include "PendingFile.h"

#include "ContainerError.h"
#include "cipher/Stream.h"
#include "language/Messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The permission bits any new file gets: read once, since umask can only be read by setting it.
unsigned NewFileMode()
{
    static const unsigned mode = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666u & ~mask;
    }();
    return mode;
}

} // namespace

TPendingFile::TPendingFile(const std::string& finalName) : FFinalName(finalName)
{
    // One look at the file to be replaced: it keeps its permissions, and a read-only one is refused.
    struct stat info
    {
    };
    const bool exists = ::stat(finalName.c_str(), &info) == 0;
    if (exists && (info.st_mode & S_IWUSR) == 0) {
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {finalName});
    }
    FMode = exists ? info.st_mode & 07777 : NewFileMode();
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
