#pragma once

#include <string>

// Whether another program is still busy with a file: on Linux nothing keeps the program from
// reading, overwriting or deleting a file that another process has open, so the test looks at
// what the other processes hold. A file that does not exist is never locked.

// Another process holds the file open (any of its descriptors under /proc/<pid>/fd leads to it).
// Only the processes whose descriptors can be seen count: the user's own ones.
bool HeldOpenByAnotherProcess(const std::string& fileName);
// Another process holds a lock on the file (/proc/locks).
bool LockedByAnotherProcess(const std::string& fileName);
// An editor's lock file lies beside the file: LibreOffice ".~lock.NAME#", Emacs ".#NAME", Vim
// ".NAME.swp".
bool EditorLockFileExists(const std::string& fileName);

// Any of the three.
bool IsFileLocked(const std::string& fileName);

// Whether two names lead to one file (the same device and inode), however they are spelled;
// false when either does not exist.
bool IsSameFile(const std::string& first, const std::string& second);

// The lock this program's containers hold on their files (an exclusive flock), taken on a file
// while it is replaced: an instance of the program that has the file open makes taking it fail,
// and none can open it meanwhile. A file that does not exist or cannot be read counts as locked by
// nobody.
class TExclusiveFileLock
{
public:
    explicit TExclusiveFileLock(const std::string& fileName);
    ~TExclusiveFileLock();
    TExclusiveFileLock(const TExclusiveFileLock&) = delete;
    TExclusiveFileLock& operator=(const TExclusiveFileLock&) = delete;

    // False when the file exists and another opening of it holds a lock.
    bool Taken() const { return FTaken; }

private:
    int FHandle = -1;
    bool FTaken = true;
};
