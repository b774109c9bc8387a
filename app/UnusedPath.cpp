#include "UnusedPath.h"

#include <filesystem>

namespace {

bool Taken(const std::filesystem::path& path)
{
    return std::filesystem::exists(std::filesystem::symlink_status(path));
}

} // namespace

std::string UnusedPath(const std::string& folder, const std::string& name)
{
    namespace fs = std::filesystem;
    if (!Taken(fs::path(folder) / name)) {
        return (fs::path(folder) / name).string();
    }
    for (int number = 1;; ++number) {
        const fs::path subFolder = fs::path(folder) / std::to_string(number);
        const auto status = fs::symlink_status(subFolder);
        if (!fs::exists(status)) {
            fs::create_directory(subFolder);
        } else if (!fs::is_directory(status)) {
            continue;
        }
        if (!Taken(subFolder / name)) {
            return (subFolder / name).string();
        }
    }
}
