#pragma once

#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

// Another process that holds a file while it runs: a real program started for the test, ended
// (killed and reaped) by End or at the end of the scope.
class ChildProcess
{
public:
    // "sleep" with the file opened as its standard input.
    static ChildProcess HoldingOpen(const std::string& fileName) { return ChildProcess({"sleep", "600"}, fileName); }
    // "flock" holding an exclusive lock on the file while the "sleep" it started runs.
    static ChildProcess HoldingLock(const std::string& fileName)
    {
        return ChildProcess({"flock", "--exclusive", "--close", fileName, "sleep", "600"}, "/dev/null");
    }

    ChildProcess(ChildProcess&& other) noexcept : FPid(std::exchange(other.FPid, -1)) {}
    ChildProcess& operator=(ChildProcess&&) = delete;
    ~ChildProcess() { End(); }

    // Waits up to ten seconds until holds(fileName) answers expected: the child holds what it was
    // started for (its descriptor or lock is visible), or after End no longer does.
    static bool WaitUntil(bool (*holds)(const std::string&), const std::string& fileName, bool expected = true);
    void End();

private:
    ChildProcess(const std::vector<std::string>& arguments, const std::string& stdinFile);

    pid_t FPid = -1;
};
