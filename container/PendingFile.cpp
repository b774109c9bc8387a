#include "PendingFile.h"

#include "ContainerError.h"
#include "language/Messages.h"

#include <cstdio>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

TPendingFile::TPendingFile(const std::string& finalName) : FFinalName(finalName)
{
    const std::filesystem::path target(finalName);
    std::string pattern =
        (target.parent_path() / ("." + target.filename().string().substr(0, 200) + ".XXXXXX")).string();
    const int handle = ::mkstemp(pattern.data());
    if (handle < 0) {
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {finalName});
    }
    // mkstemp makes the file private; the finished file gets the permissions any new file gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(handle, 0666 & ~mask);
    ::close(handle);
    FTempName = pattern;
}

TPendingFile::~TPendingFile()
{
    if (!FTempName.empty()) {
        std::remove(FTempName.c_str());
    }
}

void TPendingFile::Commit()
{
    std::error_code error;
    std::filesystem::rename(FTempName, FFinalName, error);
    if (error) {
        // For example a folder of that name stands in the way.
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {FFinalName});
    }
    FTempName.clear();
}
