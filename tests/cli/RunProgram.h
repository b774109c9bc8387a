#pragma once

#include <string>
#include <vector>

struct TProgramRun
{
    int ExitCode = -1;
    std::string Out;
    std::string Err;
    double Seconds = 0;
};

// Runs a program in a folder with the given standard input, and collects what it wrote and how
// long it took. The locale variables (LANG, LC_ALL, LC_MESSAGES, LANGUAGE) are cleared;
// environment entries ("NAME=value") are added after that.
TProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& input,
                       const std::string& folder, const std::vector<std::string>& environment = {});

// One exchange with a program on a terminal: wait until it has written Expect, then type Send.
struct TTerminalStep
{
    std::string Expect;
    std::string Send;
};

// Runs a program on a new pseudo-terminal (its controlling terminal and its standard streams),
// plays the steps, and returns everything the terminal showed as Out (nothing is typed that the
// program did not ask for; a step waits at most five seconds).
TProgramRun RunOnTerminal(const std::string& program, const std::vector<std::string>& args,
                          const std::vector<TTerminalStep>& steps, const std::string& folder);
