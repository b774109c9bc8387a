#pragma once

#include "CommandRegistry.h"
#include "Console.h"

#include <string>
#include <vector>

// The tool's entry: finds the command named by the first argument, runs it, and turns whatever
// it raises into "sealvane-cli: error: ..." on standard error and an exit code (2 for usage
// errors, 3 for a wrong password, 1 for every other failure). Answers --help, COMMAND --help,
// "help [COMMAND]" and --version itself.
class TCommandLine
{
public:
    TCommandLine(const TCommandRegistry& registry, TConsole& console);

    // args: everything after the program name.
    int Run(const std::vector<std::string>& args);
    std::string Usage() const;

private:
    int RunCommand(const TCommand& command, const std::vector<std::string>& args);

    const TCommandRegistry& FRegistry;
    TConsole& FConsole;
};
