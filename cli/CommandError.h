#pragma once

#include <stdexcept>
#include <string>

// The command line itself is wrong: an unknown command or option, a missing or surplus argument.
// The tool ends with exit status 2 and points to the command's usage.
class EUsageError : public std::runtime_error
{
public:
    explicit EUsageError(const std::string& message) : std::runtime_error(message) {}
};

// A command could not do its work for a reason the core does not raise itself (an existing
// output file, an unreadable password file...). Carries an optional hint on what to do instead.
class ECommandError : public std::runtime_error
{
public:
    explicit ECommandError(const std::string& message, std::string hint = {})
        : std::runtime_error(message), FHint(std::move(hint))
    {
    }
    const std::string& Hint() const { return FHint; }

private:
    std::string FHint;
};
