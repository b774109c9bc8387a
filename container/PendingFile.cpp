#include "PendingFile.h"

#include "ContainerError.h"
#include "LocalFiles.h"
#include "cipher/Stream.h"
#include "language/Messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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
    const std::string pattern =
        (target.parent_path() / ("." + target.filename().string().substr(0, 200) + ".XXXXXX")).string();
    FTempName = pattern;
    FHandle = ::mkostemp(FTempName.data(), O_CLOEXEC);
    if (FHandle < 0) {
        // The folders are made only when missing, so that many files written into one folder
        // cost no look at it each.
        CreateParentFolders(finalName);
        FTempName = pattern;
        FHandle = ::mkostemp(FTempName.data(), O_CLOEXEC);
    }
    if (FHandle < 0) {
        FTempName.clear();
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {finalName});
    }
}

TPendingFile::~TPendingFile()
{
    if (FHandle >= 0) {
        ::close(FHandle);
    }
    if (!FTempName.empty()) {
        std::remove(FTempName.c_str());
    }
}

void TPendingFile::Commit()
{
    // Set now, not at creation: whatever wrote the contents may have changed them.
    if (::fchmod(FHandle, static_cast<mode_t>(FMode)) != 0) {
        throw EStreamError("Cannot set the permissions of file '" + FTempName + "': " + std::strerror(errno));
    }
    // Some filesystems report a failed write only when the file is closed.
    const int handle = FHandle;
    FHandle = -1;
    if (::close(handle) != 0) {
        throw EStreamError("Cannot write file '" + FTempName + "': " + std::strerror(errno));
    }
    std::error_code error;
    std::filesystem::rename(FTempName, FFinalName, error);
    if (error) {
        // For example a folder of that name stands in the way.
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {FFinalName});
    }
    FTempName.clear();
}
