#include "LocalFiles.h"

#include "LocalTime.h"

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

namespace {

constexpr std::int64_t AttributeReadOnly = 0x01;
constexpr std::int64_t AttributeHidden = 0x02;
constexpr std::int64_t AttributeArchive = 0x20;

bool StatOf(const std::string& fileName, struct stat& info)
{
    return ::stat(fileName.c_str(), &info) == 0;
}

} // namespace

bool FileExists(const std::string& fileName)
{
    struct stat info
    {
    };
    return StatOf(fileName, info) && S_ISREG(info.st_mode);
}

std::int64_t FileSizeOf(const std::string& fileName)
{
    struct stat info
    {
    };
    return StatOf(fileName, info) ? info.st_size : 0;
}

bool IsReadOnlyFile(const std::string& fileName)
{
    struct stat info
    {
    };
    return StatOf(fileName, info) && (info.st_mode & S_IWUSR) == 0;
}

static std::int64_t AttributesOf(const std::string& fileName, const struct stat& info)
{
    std::int64_t attributes = AttributeArchive;
    if ((info.st_mode & S_IWUSR) == 0) {
        attributes |= AttributeReadOnly;
    }
    if (std::filesystem::path(fileName).filename().string().starts_with('.')) {
        attributes |= AttributeHidden;
    }
    return attributes;
}

// What a container keeps of a file's status; nothing (Exists false) when the look failed or the
// name is not a regular file.
static TFileFacts FactsFromStatus(const std::string& fileName, bool looked, const struct stat& info)
{
    TFileFacts facts;
    if (!looked || !S_ISREG(info.st_mode)) {
        return facts;
    }
    facts.Exists = true;
    facts.Size = info.st_size;
    facts.Attributes = AttributesOf(fileName, info);
    facts.LastWrite = LocalSecondsFromUnix(info.st_mtim);
    return facts;
}

TFileFacts FactsOf(const std::string& fileName)
{
    struct stat info
    {
    };
    const bool looked = StatOf(fileName, info);
    return FactsFromStatus(fileName, looked, info);
}

TFileFacts FactsOfOpen(int handle, const std::string& fileName)
{
    struct stat info
    {
    };
    const bool looked = ::fstat(handle, &info) == 0;
    return FactsFromStatus(fileName, looked, info);
}

std::int64_t LastWriteLocalSeconds(const std::string& fileName)
{
    struct stat info
    {
    };
    if (!StatOf(fileName, info)) {
        return LocalSecondsNow();
    }
    return LocalSecondsFromUnix(info.st_mtim);
}

void SetLastWriteLocalSeconds(const std::string& fileName, std::int64_t localSeconds)
{
    const timespec times[2] = {{0, UTIME_OMIT}, UnixFromLocalSeconds(localSeconds)};
    ::utimensat(AT_FDCWD, fileName.c_str(), times, 0);
}

void SetLastWriteLocalSeconds(int handle, std::int64_t localSeconds)
{
    const timespec times[2] = {{0, UTIME_OMIT}, UnixFromLocalSeconds(localSeconds)};
    ::futimens(handle, times);
}

void CreateParentFolders(const std::string& fileName)
{
    const std::filesystem::path parent = std::filesystem::path(fileName).parent_path();
    if (!parent.empty()) {
        std::filesystem::create_directories(parent);
    }
}
