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

extern char** environ;

namespace {

bool IsLocaleVariable(const std::string& entry)
{
    for (const char* name : {"LANG=", "LC_ALL=", "LC_MESSAGES=", "LANGUAGE="}) {
        if (entry.starts_with(name)) {
            return true;
        }
    }
    return false;
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

} // namespace

TProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& input,
                       const std::string& folder, const std::vector<std::string>& environment)
{
    // Input and output go through files beside nothing else, so that nothing can block.
    const TempDir streams;
    WriteWholeFile(streams.File("in"), input);

    std::vector<std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (!IsLocaleVariable(*entry)) {
            variables.emplace_back(*entry);
        }
    }
    variables.insert(variables.end(), environment.begin(), environment.end());
    const std::vector<char*> envp = PointersTo(variables);
    std::vector<std::string> argvText = {program};
    argvText.insert(argvText.end(), args.begin(), args.end());
    const std::vector<char*> argv = PointersTo(argvText);

    const auto start = std::chrono::steady_clock::now();
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
        ::execve(program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    TProgramRun run;
    run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.Out = ReadWholeFile(streams.File("out"));
    run.Err = ReadWholeFile(streams.File("err"));
    return run;
}

TProgramRun RunOnTerminal(const std::string& program, const std::vector<std::string>& args,
                          const std::vector<TTerminalStep>& steps, const std::string& folder)
{
    std::vector<std::string> argvText = {program};
    argvText.insert(argvText.end(), args.begin(), args.end());
    const std::vector<char*> argv = PointersTo(argvText);

    int terminal = -1;
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child < 0) {
        throw std::runtime_error("forkpty failed");
    }
    if (child == 0) {
        if (::chdir(folder.c_str()) != 0) {
            ::_exit(127);
        }
        ::unsetenv("LANG");
        ::unsetenv("LC_ALL");
        ::unsetenv("LC_MESSAGES");
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    TProgramRun run;
    std::size_t seen = 0; // where the search for the next expected text starts
    std::size_t step = 0;
    for (;;) {
        if (step < steps.size() && run.Out.find(steps[step].Expect, seen) != std::string::npos) {
            seen = run.Out.find(steps[step].Expect, seen) + steps[step].Expect.size();
            const std::string& text = steps[step].Send;
            if (::write(terminal, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
                break;
            }
            ++step;
            continue;
        }
        pollfd wait{terminal, POLLIN, 0};
        if (::poll(&wait, 1, 5000) <= 0) {
            break; // the program waits for something the steps do not give
        }
        char buffer[4096];
        const ssize_t got = ::read(terminal, buffer, sizeof buffer);
        if (got <= 0) {
            break; // the program ended and closed the terminal
        }
        run.Out.append(buffer, static_cast<std::size_t>(got));
    }
    ::kill(child, SIGKILL); // nothing, if it has ended
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(terminal);
    run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}
