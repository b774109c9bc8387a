#pragma once

#include <string>

// A file written under a temporary name beside its final name and renamed into place only when
// complete: whatever fails on the way, the final name holds either its old contents or the
// complete new ones, never a part. The temporary file is removed unless committed. It stays
// private while it is written; the finished file gets the permissions of the file it replaces,
// or those any new file gets. The temporary file is created at once and kept open until Commit,
// so that whoever writes it need not look it up again; missing folders above it are made.
class TPendingFile
{
public:
    // Raises EContainerError ("File '%s' is read only! Cannot open for overwrite.") when a
    // read-only file stands at the final name (as writing into it would), or when nothing can be
    // created beside it; std::filesystem::filesystem_error when a missing folder above it cannot
    // be made (a file stands in its way, for example).
    explicit TPendingFile(const std::string& finalName);
    ~TPendingFile();
    TPendingFile(const TPendingFile&) = delete;
    TPendingFile& operator=(const TPendingFile&) = delete;

    const std::string& TempName() const { return FTempName; }
    // The temporary file, open for reading and writing (until Commit).
    int Handle() const { return FHandle; }
    // Gives the finished file its permissions, closes it and renames it to its final name,
    // replacing a file that stood there. Raises EStreamError when the file cannot be completed,
    // EContainerError ("File '%s' is read only! Cannot open for overwrite.") when the rename fails.
    void Commit();

private:
    std::string FFinalName;
    std::string FTempName;
    int FHandle = -1;
    unsigned FMode = 0;
};
