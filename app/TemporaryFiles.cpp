#include "TemporaryFiles.h"

#include "WorkFolder.h"

#include <algorithm>
#include <sys/stat.h>

namespace {

bool EntryExists(const std::string& fileName)
{
    struct stat info
    {
    };
    return ::lstat(fileName.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

} // namespace

bool TTemporaryFiles::Contains(const std::string& fileName) const
{
    return std::find(FFiles.begin(), FFiles.end(), fileName) != FFiles.end();
}

void TTemporaryFiles::Add(const std::string& fileName)
{
    FFiles.push_back(fileName);
    std::erase(FKeptToEnd, fileName);
}

void TTemporaryFiles::AddKeptToEnd(const std::string& fileName)
{
    FFiles.push_back(fileName);
    FKeptToEnd.push_back(fileName);
}

bool TTemporaryFiles::KeptToEnd(const std::string& fileName) const
{
    return std::find(FKeptToEnd.begin(), FKeptToEnd.end(), fileName) != FKeptToEnd.end();
}

void TTemporaryFiles::WipeTemporaryFiles(std::int32_t cycles)
{
    Wipe(cycles, true);
    std::erase_if(FKeptToEnd, [this](const std::string& fileName) { return !Contains(fileName); });
}

void TTemporaryFiles::WipeWindowFiles(std::int32_t cycles)
{
    Wipe(cycles, false);
}

void TTemporaryFiles::Wipe(std::int32_t cycles, bool keptToEndToo)
{
    std::size_t index = 0;
    while (index < FFiles.size()) {
        if (!keptToEndToo && KeptToEnd(FFiles[index])) {
            ++index;
            continue;
        }
        if (!EntryExists(FFiles[index])) {
            FFiles.erase(FFiles.begin() + static_cast<std::ptrdiff_t>(index));
            continue;
        }
        try {
            WipeWorkFile(FFiles[index], cycles);
            FFiles.erase(FFiles.begin() + static_cast<std::ptrdiff_t>(index));
        } catch (...) {
            ++index;
        }
    }
}
