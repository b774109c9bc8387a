#include "SiblingTempFile.h"

#include "CommandError.h"
#include "SignalCleanup.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
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
    // The name is found by taking it, and freed again for the writer, who creates the file anew
    // (with the permissions any new file gets).
    ::close(handle);
    ::unlink(pattern.c_str());
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
