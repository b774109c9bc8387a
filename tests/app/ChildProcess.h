#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// Another process that holds a file while it runs: a real program started for the test, ended
// (killed and reaped) by End or at the end of the scope.
class ChildProcess
{
public:
    // "sleep" with the file opened as its standard input.
    static ChildProcess HoldingOpen(const std::string& fileName);
    // "flock" holding an exclusive lock on the file while the "sleep" it started runs.
    static ChildProcess HoldingLock(const std::string& fileName);

    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&&) = delete;
    ~ChildProcess();

    // Waits until the child holds what it was started for (its descriptor or lock is visible).
    bool WaitUntil(bool (*holds)(const std::string&), const std::string& fileName) const;
    void End();

private:
    ChildProcess(const std::vector<std::string>& arguments, const std::string& stdinFile);

    pid_t FPid = -1;
};
