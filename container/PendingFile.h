#pragma once

#include <string>

// A file written under a temporary name beside its final name and renamed into place only when
// complete: whatever fails on the way, the final name holds either its old contents or the
// complete new ones, never a part. The temporary file is removed unless committed. It stays
// private while it is written; the finished file gets the permissions of the file it replaces,
// or those any new file gets.
class TPendingFile
{
public:
    // Raises EContainerError ("File '%s' is read only! Cannot open for overwrite.") when a
    // read-only file stands at the final name (as writing into it would), or when nothing can be
    // created beside it.
    explicit TPendingFile(const std::string& finalName);
    ~TPendingFile();
    TPendingFile(const TPendingFile&) = delete;
    TPendingFile& operator=(const TPendingFile&) = delete;

    const std::string& TempName() const { return FTempName; }
    // Gives the finished file its permissions and renames it to its final name, replacing a
    // file that stood there; raises EContainerError ("File '%s' is read only! Cannot open for
    // overwrite.") when that fails.
    void Commit();

private:
    std::string FFinalName;
    std::string FTempName;
    unsigned FMode = 0;
};
