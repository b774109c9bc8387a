#include "CommandRegistry.h"

#include "AddCommand.h"
#include "CheckCommand.h"
#include "CompactCommand.h"
#include "CreateCommand.h"
#include "DeleteCommand.h"
#include "ExtractCommand.h"
#include "InfoCommand.h"
#include "ListCommand.h"
#include "MemoCommand.h"
#include "PasswdCommand.h"
#include "SetMemoCommand.h"
#include "WipeCommand.h"

TCommandRegistry TCommandRegistry::WithAllCommands()
{
    TCommandRegistry registry;
    registry.Add(std::make_unique<TCreateCommand>());
    registry.Add(std::make_unique<TListCommand>());
    registry.Add(std::make_unique<TAddCommand>());
    registry.Add(std::make_unique<TExtractCommand>());
    registry.Add(std::make_unique<TMemoCommand>());
    registry.Add(std::make_unique<TSetMemoCommand>());
    registry.Add(std::make_unique<TDeleteCommand>());
    registry.Add(std::make_unique<TPasswdCommand>());
    registry.Add(std::make_unique<TCheckCommand>());
    registry.Add(std::make_unique<TInfoCommand>());
    registry.Add(std::make_unique<TCompactCommand>());
    registry.Add(std::make_unique<TWipeCommand>());
    return registry;
}

void TCommandRegistry::Add(std::unique_ptr<TCommand> command)
{
    FCommands.push_back(std::move(command));
}

const TCommand* TCommandRegistry::Find(std::string_view name) const
{
    for (const auto& command : FCommands) {
        if (command->Name() == name) {
            return command.get();
        }
    }
    return nullptr;
}
