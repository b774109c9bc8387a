#pragma once

#include <string>

// A new, empty hidden file beside a final name (".name.XXXXXX" in the same folder), for work that
// must not appear under the final name before it is complete: Commit renames it into place in one
// step; otherwise it is removed when the object ends, also when the program is interrupted.
class TSiblingTempFile
{
public:
    // Raises ECommandError when nothing can be created in that folder.
    explicit TSiblingTempFile(const std::string& finalName);
    ~TSiblingTempFile();
    TSiblingTempFile(const TSiblingTempFile&) = delete;
    TSiblingTempFile& operator=(const TSiblingTempFile&) = delete;

    const std::string& Name() const { return FName; }
    // Renames the file to the final name, replacing what stood there.
    void Commit();

private:
    std::string FFinalName;
    std::string FName;
    int FCleanupSlot = -1;
};
