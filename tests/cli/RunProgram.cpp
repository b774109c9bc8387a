#include "RunProgram.h"

#include "TempDir.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using TClock = std::chrono::steady_clock;

constexpr const char* Env = "/usr/bin/env";

// The command line that runs the program through env(1), in this process's environment without
// its locale variables and with the given entries.
std::vector<std::string> CommandLine(const std::string& program, const std::vector<std::string>& args,
                                     const std::vector<std::string>& environment)
{
    std::vector<std::string> line = {Env, "-u", "LANG", "-u", "LC_ALL", "-u", "LC_MESSAGES", "-u", "LANGUAGE"};
    line.insert(line.end(), environment.begin(), environment.end());
    line.push_back(program);
    line.insert(line.end(), args.begin(), args.end());
    return line;
}

// The texts as the null-ended pointer array exec wants; the texts must outlive it.
std::vector<char*> PointersTo(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

void WaitFor(pid_t child, TClock::time_point start, TProgramRun& run)
{
    int status = 0;
    ::waitpid(child, &status, 0);
    run.Seconds = std::chrono::duration<double>(TClock::now() - start).count();
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

TProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& input,
                       const std::string& folder, const std::vector<std::string>& environment)
{
    // Input and output go through files, so that nothing can block.
    const TempDir streams;
    WriteWholeFile(streams.File("in"), input);
    std::vector<std::string> argvText = CommandLine(program, args, environment);
    const std::vector<char*> argv = PointersTo(argvText);
    const auto start = TClock::now();
    const pid_t child = ::fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        const int in = ::open(streams.File("in").c_str(), O_RDONLY);
        const int out = ::open(streams.File("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(streams.File("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
            ::chdir(folder.c_str()) != 0) {
            ::_exit(127);
        }
        ::setsid(); // no controlling terminal: the program must not find /dev/tty
        ::execv(Env, argv.data());
        ::_exit(127);
    }
    TProgramRun run;
    WaitFor(child, start, run);
    run.Out = ReadWholeFile(streams.File("out"));
    run.Err = ReadWholeFile(streams.File("err"));
    return run;
}

TProgramRun RunOnTerminal(const std::string& program, const std::vector<std::string>& args,
                          const std::vector<TTerminalStep>& steps, const std::string& folder)
{
    std::vector<std::string> argvText = CommandLine(program, args, {});
    const std::vector<char*> argv = PointersTo(argvText);
    int terminal = -1;
    const auto start = TClock::now();
    const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child < 0) {
        throw std::runtime_error("forkpty failed");
    }
    if (child == 0) {
        if (::chdir(folder.c_str()) == 0) {
            ::execv(Env, argv.data());
        }
        ::_exit(127);
    }
    TProgramRun run;
    std::size_t seen = 0; // where the search for the next expected text starts
    for (std::size_t step = 0;;) {
        const std::size_t found = step < steps.size() ? run.Out.find(steps[step].Expect, seen) : std::string::npos;
        if (found != std::string::npos) {
            seen = found + steps[step].Expect.size();
            const std::string& text = steps[step++].Send;
            if (::write(terminal, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
                break;
            }
            continue;
        }
        pollfd wait{terminal, POLLIN, 0};
        char buffer[4096];
        // Nothing within five seconds: the program waits for something the steps do not give;
        // nothing to read: it ended and closed the terminal.
        const ssize_t got = ::poll(&wait, 1, 5000) > 0 ? ::read(terminal, buffer, sizeof buffer) : 0;
        if (got <= 0) {
            break;
        }
        run.Out.append(buffer, static_cast<std::size_t>(got));
    }
    ::kill(child, SIGKILL); // nothing, if it has ended
    WaitFor(child, start, run);
    ::close(terminal);
    return run;
}
