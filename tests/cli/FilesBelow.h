#pragma once

#include "TempDir.h"

#include <filesystem>
#include <map>
#include <string>

// File names relative to a folder, with their contents.
using TFileTree = std::map<std::string, std::string>;

// Every file below a folder.
inline TFileTree FilesBelow(const std::string& folder)
{
    TFileTree files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
        if (!item.is_directory()) {
            files[std::filesystem::relative(item.path(), folder).string()] = ReadWholeFile(item.path());
        }
    }
    return files;
}
