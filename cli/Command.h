#pragma once

#include "Arguments.h"
#include "Console.h"

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

// Exit status of the tool.
enum TExitCode : int
{
    ExitDone = 0,
    ExitFailure = 1,
    ExitUsage = 2,
    ExitWrongPassword = 3
};

// One subcommand of the tool. A command describes itself (name, one-line summary, the arguments
// after its name, options) and runs with parsed arguments. Failures are raised, not printed:
// the command line turns them into messages and exit codes, so every command reports alike.
class TCommand
{
public:
    virtual ~TCommand() = default;

    virtual std::string Name() const = 0;
    virtual std::string Summary() const = 0;
    // The arguments after the name, as the usage line shows them: "OUT [FILE|FOLDER]...".
    virtual std::string Synopsis() const = 0;
    // More about the command for its help text; may be empty.
    virtual std::string Details() const { return {}; }
    virtual std::vector<TOption> Options() const { return {}; }

    // Parses the arguments (EUsageError when they do not fit), then runs; returns the exit code.
    int Execute(const std::vector<std::string>& args, TConsole& console) const;
    // The command's help text: usage line, summary, details and options.
    std::string Help() const;
    std::string UsageLine() const;

protected:
    virtual std::size_t MinPositionals() const { return 0; }
    virtual std::size_t MaxPositionals() const { return std::numeric_limits<std::size_t>::max(); }
    virtual int Run(const TArguments& args, TConsole& console) const = 0;
};

// Options several commands share.
TOption PasswordFileOption();
TOption ForceOption(const std::string& help);
