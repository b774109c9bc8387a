#include "CommandRegistry.h"

#include "Commands.h"

TCommandRegistry TCommandRegistry::WithAllCommands()
{
    TCommandRegistry registry;
    registry.FCommands = {CreateCommand(), ListCommand(),    AddCommand(),     ExtractCommand(),
                          MemoCommand(),   SetMemoCommand(), DeleteCommand(),  PasswdCommand(),
                          CheckCommand(),  InfoCommand(),    CompactCommand(), WipeCommand()};
    return registry;
}

const TCommand* TCommandRegistry::Find(std::string_view name) const
{
    for (const TCommand& command : FCommands) {
        if (command.Name == name) {
            return &command;
        }
    }
    return nullptr;
}
