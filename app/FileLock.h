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
