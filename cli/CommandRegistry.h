#pragma once

#include "Command.h"

#include <memory>
#include <string_view>
#include <vector>

// The commands of the tool, in the order the usage text lists them.
class TCommandRegistry
{
public:
    // A registry holding every command of the tool.
    static TCommandRegistry WithAllCommands();

    void Add(std::unique_ptr<TCommand> command);
    // The command of that name, or nullptr.
    const TCommand* Find(std::string_view name) const;
    const std::vector<std::unique_ptr<TCommand>>& Commands() const { return FCommands; }

private:
    std::vector<std::unique_ptr<TCommand>> FCommands;
};
