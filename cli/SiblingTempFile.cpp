#include "SiblingTempFile.h"

#include "CommandError.h"
#include "SignalCleanup.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

TSiblingTempFile::TSiblingTempFile(const std::string& finalName) : FFinalName(finalName)
{
    const std::filesystem::path target(finalName);
    std::string pattern =
        (target.parent_path() / ("." + target.filename().string().substr(0, 200) + ".XXXXXX")).string();
    const int handle = ::mkstemp(pattern.data());
    if (handle < 0) {
        const std::string folder = target.parent_path().empty() ? "." : target.parent_path().string();
        throw ECommandError("cannot create a file in '" + folder + "': " + std::strerror(errno));
    }
    // mkstemp makes the file private; the finished file gets the permissions any new file gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(handle, 0666 & ~mask);
    ::close(handle);
    FName = pattern;
    FCleanupSlot = TSignalCleanup::AddFile(FName);
}

TSiblingTempFile::~TSiblingTempFile()
{
    if (!FName.empty()) {
        std::remove(FName.c_str());
    }
    TSignalCleanup::RemoveFile(FCleanupSlot);
}

void TSiblingTempFile::Commit()
{
    std::filesystem::rename(FName, FFinalName);
    FName.clear();
    TSignalCleanup::RemoveFile(FCleanupSlot);
    FCleanupSlot = -1;
}
