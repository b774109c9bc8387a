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

// One subcommand of the tool, as data: its name, one-line summary, the arguments after its name,
// its help, options and how many arguments it takes, and the function that runs it with parsed
// arguments. Failures are raised, not printed: the command line turns them into messages and exit
// codes, so every command reports alike.
struct TCommand
{
    std::string Name;
    std::string Summary;
    // The arguments after the name, as the usage line shows them: "OUT [FILE|FOLDER]...".
    std::string Synopsis;
    // More about the command for its help text; may be empty.
    std::string Details;
    std::vector<TOption> Options;
    std::size_t MinPositionals = 0;
    std::size_t MaxPositionals = std::numeric_limits<std::size_t>::max();
    int (*Run)(const TArguments& args, TConsole& console) = nullptr;

    // Parses the arguments (EUsageError when they do not fit), then runs; returns the exit code.
    int Execute(const std::vector<std::string>& args, TConsole& console) const;
    // The command's help text: usage line, summary, details and options.
    std::string Help() const;
    std::string UsageLine() const;
};

// Options several commands share.
TOption PasswordFileOption();
TOption ForceOption(const std::string& help);
TOption FormatOption(const std::string& help);
// The format asked for with --format (4 or 5), or orElse; EUsageError for any other value.
std::int64_t FormatAskedFor(const TArguments& args, std::int64_t orElse);
