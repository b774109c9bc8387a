#pragma once

#include "Command.h"

#include <string_view>
#include <vector>

// The commands of the tool, in the order the usage text lists them.
class TCommandRegistry
{
public:
    // A registry holding every command of the tool.
    static TCommandRegistry WithAllCommands();

    // The command of that name, or nullptr.
    const TCommand* Find(std::string_view name) const;
    const std::vector<TCommand>& Commands() const { return FCommands; }

private:
    std::vector<TCommand> FCommands;
};
