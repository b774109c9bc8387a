#include "FileLock.h"

#include <charconv>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace {

struct TFileIdentity
{
    dev_t FDevice = 0;
    ino_t FInode = 0;

    bool operator==(const TFileIdentity&) const = default;
};

bool IdentityOf(const std::string& fileName, TFileIdentity& identity)
{
    struct stat info
    {
    };
    if (::stat(fileName.c_str(), &info) != 0) {
        return false;
    }
    identity = {info.st_dev, info.st_ino};
    return true;
}

bool IsNumber(std::string_view text)
{
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

std::vector<std::string> NumericEntries(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        return names;
    }
    while (const dirent* entry = ::readdir(listing)) {
        if (IsNumber(entry->d_name)) {
            names.emplace_back(entry->d_name);
        }
    }
    ::closedir(listing);
    return names;
}

template <typename T> bool ParseNumber(std::string_view text, T& value, int base = 10)
{
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && stop == text.data() + text.size();
}

// "major:minor:inode" of a /proc/locks line, major and minor in hexadecimal.
bool ParseLockedFile(std::string_view field, TFileIdentity& identity)
{
    const std::size_t first = field.find(':');
    const std::size_t second = field.find(':', first == std::string_view::npos ? first : first + 1);
    if (first == std::string_view::npos || second == std::string_view::npos) {
        return false;
    }
    unsigned major = 0;
    unsigned minor = 0;
    std::uint64_t inode = 0;
    if (!ParseNumber(field.substr(0, first), major, 16) ||
        !ParseNumber(field.substr(first + 1, second - first - 1), minor, 16) ||
        !ParseNumber(field.substr(second + 1), inode)) {
        return false;
    }
    identity = {makedev(major, minor), static_cast<ino_t>(inode)};
    return true;
}

std::string FolderOf(const std::string& fileName)
{
    const std::size_t slash = fileName.rfind('/');
    return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

std::string NameOf(const std::string& fileName)
{
    const std::size_t slash = fileName.rfind('/');
    return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

bool EntryExists(const std::string& path)
{
    struct stat info
    {
    };
    return ::lstat(path.c_str(), &info) == 0;
}

} // namespace

bool HeldOpenByAnotherProcess(const std::string& fileName)
{
    TFileIdentity file;
    if (!IdentityOf(fileName, file)) {
        return false;
    }
    const std::string self = std::to_string(::getpid());
    for (const std::string& pid : NumericEntries("/proc")) {
        if (pid == self) {
            continue;
        }
        const std::string descriptors = "/proc/" + pid + "/fd";
        for (const std::string& fd : NumericEntries(descriptors)) {
            TFileIdentity opened;
            if (IdentityOf(descriptors + "/" + fd, opened) && opened.FDevice == file.FDevice &&
                opened.FInode == file.FInode) {
                return true;
            }
        }
    }
    return false;
}

bool LockedByAnotherProcess(const std::string& fileName)
{
    TFileIdentity file;
    if (!IdentityOf(fileName, file)) {
        return false;
    }
    const long self = ::getpid();
    std::ifstream locks("/proc/locks");
    std::string line;
    while (std::getline(locks, line)) {
        // "1: FLOCK  ADVISORY  WRITE 1234 fe:00:4711 0 EOF"; a waiting lock has "->" after the
        // number. The holder is the field before the file.
        std::istringstream fields(line);
        std::string field;
        std::string previous;
        while (fields >> field) {
            TFileIdentity locked;
            if (field.find(':') != std::string::npos && ParseLockedFile(field, locked)) {
                long holder = 0;
                const bool known = ParseNumber(std::string_view(previous), holder);
                if (locked.FDevice == file.FDevice && locked.FInode == file.FInode && (!known || holder != self)) {
                    return true;
                }
                break;
            }
            previous = field;
        }
    }
    return false;
}

bool EditorLockFileExists(const std::string& fileName)
{
    const std::string folder = FolderOf(fileName);
    const std::string name = NameOf(fileName);
    return EntryExists(folder + ".~lock." + name + "#") || EntryExists(folder + ".#" + name) ||
           EntryExists(folder + "." + name + ".swp");
}

bool IsFileLocked(const std::string& fileName)
{
    struct stat info
    {
    };
    if (::stat(fileName.c_str(), &info) != 0) {
        return false;
    }
    return EditorLockFileExists(fileName) || LockedByAnotherProcess(fileName) || HeldOpenByAnotherProcess(fileName);
}

bool IsSameFile(const std::string& first, const std::string& second)
{
    TFileIdentity one;
    TFileIdentity other;
    return IdentityOf(first, one) && IdentityOf(second, other) && one == other;
}

TExclusiveFileLock::TExclusiveFileLock(const std::string& fileName)
{
    // Opened as the containers open a file to read it: a named pipe or a device never waits.
    FHandle = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    // A file that cannot be opened (none there, or not readable) no instance of the program has
    // open either.
    if (FHandle >= 0) {
        FTaken = ::flock(FHandle, LOCK_EX | LOCK_NB) == 0;
    }
}

TExclusiveFileLock::~TExclusiveFileLock()
{
    if (FHandle >= 0) {
        ::close(FHandle);
    }
}
