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

// A file without a name is given one through its entry under /proc/self/fd; where that is not
// mounted, files are written under a temporary name instead.
bool CanNameUnnamedFiles()
{
    static const bool can = ::access("/proc/self/fd", X_OK) == 0;
    return can;
}

std::string HandlePath(int handle)
{
    return "/proc/self/fd/" + std::to_string(handle);
}

std::string TempNamePattern(const std::string& finalName)
{
    const std::filesystem::path target(finalName);
    std::string name = ".";
    name += target.filename().string().substr(0, 200);
    name += ".XXXXXX";
    return (target.parent_path() / name).string();
}

std::string FolderOf(const std::string& finalName)
{
    const std::filesystem::path folder = std::filesystem::path(finalName).parent_path();
    return folder.empty() ? "." : folder.string();
}

} // namespace

TPendingFile::TPendingFile(const std::string& finalName, TOverwrite overwrite)
    : FFinalName(finalName), FOverwrite(overwrite)
{
    // One look at the file to be replaced: it keeps its permissions, and a read-only one is refused.
    struct stat info
    {
    };
    const bool exists = overwrite == TOverwrite::Allowed && ::stat(finalName.c_str(), &info) == 0;
    if (exists && (info.st_mode & S_IWUSR) == 0) {
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {finalName});
    }
    FMode = exists ? info.st_mode & 07777 : NewFileMode();
    const std::string pattern = TempNamePattern(finalName);
    const auto create = [&] { return (!exists && CreateUnnamed(FolderOf(finalName))) || CreateNamed(pattern); };
    // The folders are made only when missing, so that many files written into one folder cost
    // no look at it each.
    if (!create()) {
        CreateParentFolders(finalName);
        if (!create()) {
            ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {finalName});
        }
    }
}

bool TPendingFile::CreateUnnamed(const std::string& folder)
{
    if (!CanNameUnnamedFiles()) {
        return false;
    }
    // Nobody else can open a file without a name, so it may have its final permissions at once.
    FHandle = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    FModePending = FHandle < 0;
    return FHandle >= 0;
}

bool TPendingFile::CreateNamed(const std::string& pattern)
{
    FTempName = pattern;
    FHandle = ::mkostemp(FTempName.data(), O_CLOEXEC);
    if (FHandle < 0) {
        FTempName.clear();
    }
    return FHandle >= 0;
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
    if (FModePending && ::fchmod(FHandle, static_cast<mode_t>(FMode)) != 0) {
        throw EStreamError("Cannot set the permissions of file '" + FFinalName + "': " + std::strerror(errno));
    }
    if (FTempName.empty()) {
        CommitUnnamed();
    } else {
        CommitNamed();
    }
}

void TPendingFile::CommitUnnamed()
{
    // A link never replaces: the final name is still free, as it was when the file was begun.
    const std::string handlePath = HandlePath(FHandle);
    if (::linkat(AT_FDCWD, handlePath.c_str(), AT_FDCWD, FFinalName.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        const int handle = FHandle;
        FHandle = -1;
        if (::close(handle) != 0) {
            const int error = errno;
            std::remove(FFinalName.c_str());
            throw EStreamError("Cannot write file '" + FFinalName + "': " + std::strerror(error));
        }
        return;
    }
    if (errno != EEXIST) {
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {FFinalName});
    }
    if (FOverwrite == TOverwrite::Refused) {
        throw EFileExists(FFinalName);
    }
    // Something took the name meanwhile: the file replaces it as a renamed one would. It is
    // linked under a temporary name first, found by making a placeholder and giving it up.
    std::string tempName = TempNamePattern(FFinalName);
    const int placeholder = ::mkostemp(tempName.data(), O_CLOEXEC);
    if (placeholder < 0) {
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {FFinalName});
    }
    ::close(placeholder);
    ::unlink(tempName.c_str());
    if (::linkat(AT_FDCWD, handlePath.c_str(), AT_FDCWD, tempName.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {FFinalName});
    }
    FTempName = tempName;
    CommitNamed();
}

void TPendingFile::CommitNamed()
{
    // Some filesystems report a failed write only when the file is closed.
    const int handle = FHandle;
    FHandle = -1;
    if (::close(handle) != 0) {
        throw EStreamError("Cannot write file '" + FFinalName + "': " + std::strerror(errno));
    }
    if (FOverwrite == TOverwrite::Refused) {
        // A second link, unlike a rename, never replaces what has the name.
        if (::link(FTempName.c_str(), FFinalName.c_str()) != 0) {
            if (errno == EEXIST) {
                throw EFileExists(FFinalName);
            }
            ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {FFinalName});
        }
        std::remove(FTempName.c_str());
        FTempName.clear();
        return;
    }
    std::error_code error;
    std::filesystem::rename(FTempName, FFinalName, error);
    if (error) {
        // For example a folder of that name stands in the way.
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {FFinalName});
    }
    FTempName.clear();
}
