#include "ReceivedLocation.h"

#include <QDir>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The path with its symbolic links resolved as far as it exists.
fs::path Resolved(const fs::path& path)
{
    std::error_code error;
    const fs::path resolved = fs::weakly_canonical(fs::absolute(path), error);
    return error ? path.lexically_normal() : resolved;
}

bool IsSameOrBelow(const fs::path& folder, const fs::path& root)
{
    // A trailing separator would leave an empty last part that no folder has.
    const fs::path base = root.has_filename() ? root : root.parent_path();
    return std::mismatch(base.begin(), base.end(), folder.begin(), folder.end()).first == base.end();
}

bool IsOwnWritableFolder(const fs::path& folder)
{
    struct stat status = {};
    return ::stat(folder.c_str(), &status) == 0 && status.st_uid == ::geteuid() &&
           ::access(folder.c_str(), W_OK) == 0;
}

} // namespace

std::vector<std::string> SystemTemporaryFolders()
{
    std::vector<std::string> folders = {"/tmp", "/var/tmp", QDir::tempPath().toStdString()};
    if (const char* variable = std::getenv("TMPDIR"); variable != nullptr && *variable != '\0') {
        folders.emplace_back(variable);
    }
    return folders;
}

bool IsReceivedLocation(const std::string& fileName, const std::vector<std::string>& temporaryFolders)
{
    const fs::path folder = Resolved(fs::absolute(fileName).parent_path());
    const bool temporary = std::any_of(temporaryFolders.begin(), temporaryFolders.end(), [&](const std::string& root) {
        return !root.empty() && IsSameOrBelow(folder, Resolved(root));
    });
    return temporary || !IsOwnWritableFolder(folder);
}
