#pragma once

#include <string>

// A free hidden name beside a final name (".name.XXXXXX" in the same folder), for a new file that
// must not appear under the final name before it is complete: whoever writes it creates the file
// under this name (exclusively, as a container is created: something put at the name meanwhile
// makes that fail instead of being written through); Commit renames it into place in one step;
// otherwise it is removed when the object ends, also when the program is interrupted.
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
