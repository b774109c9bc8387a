#include "WorkFolder.h"

#include "UserInterface.h"
#include "container/Wipe.h"
#include "language/FormatText.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "settings/TrimText.h"
#include "settings/UserFolders.h"

#include <cerrno>
#include <dirent.h>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

constexpr mode_t PrivateMode = 0700;

bool LStat(const std::string& path, struct stat& info)
{
    return ::lstat(path.c_str(), &info) == 0;
}

bool EndsWithWorkFolderName(std::string_view folder)
{
    while (folder.size() > 1 && folder.back() == '/') {
        folder.remove_suffix(1);
    }
    return folder.ends_with(WorkFolderName);
}

std::string ParentOf(const std::string& folder)
{
    std::string parent = folder;
    while (parent.size() > 1 && parent.back() == '/') {
        parent.pop_back();
    }
    const std::size_t slash = parent.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : parent.substr(0, slash);
}

// The names inside a folder, without "." and "..".
std::vector<std::string> EntriesOf(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        return names;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            names.emplace_back(name);
        }
    }
    ::closedir(listing);
    return names;
}

// Deletes everything below the folder without following symbolic links; sub-folders are made
// accessible first. Failures are passed over.
void DeleteContents(const std::string& folder)
{
    for (const std::string& name : EntriesOf(folder)) {
        const std::string path = folder + "/" + name;
        struct stat info
        {
        };
        if (!LStat(path, info)) {
            continue;
        }
        if (S_ISDIR(info.st_mode)) {
            ::chmod(path.c_str(), PrivateMode);
            DeleteContents(path);
            ::rmdir(path.c_str());
        } else {
            ::unlink(path.c_str());
        }
    }
}

// Nobody but the user (or root) can rename or replace what lies in the folder.
bool IsSafeParent(const std::string& folder)
{
    struct stat info
    {
    };
    if (!LStat(folder, info) || !S_ISDIR(info.st_mode)) {
        return false;
    }
    const bool trustedOwner = info.st_uid == ::getuid() || info.st_uid == 0;
    const bool othersMayChange = (info.st_mode & (S_IWGRP | S_IWOTH)) != 0 && (info.st_mode & S_ISVTX) == 0;
    return trustedOwner && !othersMayChange;
}

// Creates the folder and its missing parents, each with mode 0700.
void CreateFolders(const std::string& folder)
{
    std::size_t position = 0;
    while (position != std::string::npos) {
        position = folder.find('/', position + 1);
        const std::string part = folder.substr(0, position);
        if (::mkdir(part.c_str(), PrivateMode) == 0) {
            ::chmod(part.c_str(), PrivateMode);
        }
    }
}

} // namespace

void WipeWorkFile(const std::string& fileName, std::int32_t wipeCycles)
{
    struct stat info
    {
    };
    if (LStat(fileName, info) && (S_ISLNK(info.st_mode) || (S_ISREG(info.st_mode) && info.st_nlink > 1))) {
        if (::unlink(fileName.c_str()) != 0) {
            throw std::system_error(errno, std::generic_category(), fileName);
        }
        return;
    }
    WipeFile(fileName, wipeCycles, true);
}

bool WipeFolder(const std::string& folder, bool removeFolder, std::int32_t wipeCycles)
{
    struct stat info
    {
    };
    if (!LStat(folder, info)) {
        return true;
    }
    if (!S_ISDIR(info.st_mode) || !EndsWithWorkFolderName(folder)) {
        return false;
    }
    for (const std::string& name : EntriesOf(folder)) {
        const std::string path = folder + "/" + name;
        struct stat entry
        {
        };
        if (LStat(path, entry) && !S_ISDIR(entry.st_mode)) {
            try {
                WipeWorkFile(path, wipeCycles);
            } catch (...) {
                // The file is deleted below without being overwritten.
            }
        }
    }
    DeleteContents(folder);
    if (removeFolder) {
        ::rmdir(folder.c_str());
    }
    return true;
}

bool PrepareWorkFolder(const std::string& folder, std::int32_t wipeCycles)
{
    if (TrimText(folder).empty()) {
        return false;
    }
    try {
        struct stat info
        {
        };
        if (LStat(folder, info)) {
            if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid() || !IsSafeParent(ParentOf(folder))) {
                return false;
            }
            if (EndsWithWorkFolderName(folder)) {
                WipeFolder(folder, false, wipeCycles);
            }
            ::chmod(folder.c_str(), PrivateMode);
        } else {
            CreateFolders(folder);
        }
        return IsPrivateFolder(folder) && IsSafeParent(ParentOf(folder));
    } catch (...) {
        return false;
    }
}

bool PrepareWorkFolderOrReport(const std::string& folder, std::int32_t wipeCycles, IMessages& messages)
{
    if (PrepareWorkFolder(folder, wipeCycles)) {
        return true;
    }
    messages.ShowInfoBox(MsgText(msg::Error), FormatText(MsgText(msg::ErrorCreatingTempDirectory), {folder}));
    return false;
}
