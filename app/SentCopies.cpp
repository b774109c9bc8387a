#include "SentCopies.h"

#include "ContainerName.h"
#include "WorkFolder.h"
#include "language/FormatText.h"
#include "language/Messages.h"
#include "language/MsgText.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> EntriesOf(const fs::path& folder)
{
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        entries.push_back(entry->path());
    }
    return entries;
}

bool IsNumbered(const std::string& name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isdigit(c); });
}

bool IsSentCopy(const fs::path& file)
{
    struct stat info
    {
    };
    if (::lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::getuid()) {
        return false;
    }
    return HasContainerExtension(file.string());
}

// True when at least one copy directly in the folder was wiped.
bool WipeCopiesWrittenBefore(const fs::path& folder, fs::file_time_type limit, std::int32_t wipeCycles)
{
    bool wiped = false;
    for (const fs::path& file : EntriesOf(folder)) {
        std::error_code error;
        const fs::file_time_type written = fs::last_write_time(file, error);
        if (error || written >= limit || !IsSentCopy(file)) {
            continue;
        }
        try {
            WipeWorkFile(file.string(), wipeCycles);
            wiped = true;
        } catch (const std::exception&) {
            // Tried again with the next copy sent.
        }
    }
    return wiped;
}

} // namespace

void PrepareSentCopiesFolder(const std::string& folder)
{
    const fs::path path(folder);
    if (path.is_absolute()) {
        fs::path made;
        for (const fs::path& part : path) {
            made /= part;
            if (::mkdir(made.c_str(), 0700) == 0) {
                ::chmod(made.c_str(), 0700);
            }
        }
    }
    std::error_code error;
    if (!path.is_absolute() || !fs::is_directory(path, error)) {
        throw std::runtime_error(FormatText(MsgText(msg::ErrorCreatingSentFolder), {folder}));
    }
}

void RemoveOldSentCopies(const std::string& folder, std::int32_t days, std::int32_t wipeCycles)
{
    if (days <= 0) {
        return;
    }
    const fs::file_time_type limit = fs::file_time_type::clock::now() - std::chrono::days(days);
    WipeCopiesWrittenBefore(folder, limit, wipeCycles);
    for (const fs::path& entry : EntriesOf(folder)) {
        std::error_code error;
        if (IsNumbered(entry.filename().string()) && fs::is_directory(fs::symlink_status(entry, error)) &&
            WipeCopiesWrittenBefore(entry, limit, wipeCycles)) {
            // Removes the folder only when nothing is left in it.
            fs::remove(entry, error);
        }
    }
}
