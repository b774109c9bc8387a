#include "Commands.h"

#include "CommandError.h"
#include "ContainerFiles.h"
#include "OpenContainer.h"
#include "TextFormat.h"
#include "container/Container.h"
#include "language/Messages.h"

#include <algorithm>

namespace {

int Run(const TArguments& args, TConsole& console)
{
    const std::string& file = args.Positionals()[0];
    std::vector<std::int64_t> numbers;
    for (auto arg = args.Positionals().begin() + 1; arg != args.Positionals().end(); ++arg) {
        const std::optional<std::int64_t> number = ParseEntryNumber(*arg);
        if (!number) {
            throw EUsageError("'" + *arg + "' is not an entry number");
        }
        if (std::find(numbers.begin(), numbers.end(), *number) == numbers.end()) {
            numbers.push_back(*number);
        }
    }
    WithContainer(args, console, TAccess::Writable, [&](TContainer& container, const TCatalog& catalog) {
        std::vector<std::shared_ptr<TFileInfo>> entries;
        for (const std::int64_t number : numbers) {
            const int index = IndexOfEntry(catalog, number);
            if (index < 0) {
                throw ECommandError("no entry number " + std::to_string(number) + " in '" + file + "'",
                                    std::string("'") + ProgramName + " list " + file + "' shows the entries");
            }
            entries.push_back(catalog.Item(index));
        }
        for (const auto& entry : entries) {
            container.DeleteEntry(*entry);
        }
    });
    console.Hint(Message(msg::OldBytesStayUntilCompact, {file}));
    return ExitDone;
}

} // namespace

TCommand DeleteCommand()
{
    return {.Name = "delete",
            .Summary = "delete entries from a container",
            .Synopsis = "CONTAINER NUMBER...",
            .Details = "The entries leave the catalog; their bytes stay in the file, readable to whoever\n"
                       "has the password, until 'sealvane-cli compact' writes it anew. Nothing is deleted\n"
                       "when one of the numbers names no entry.\n",
            .Options = {PasswordFileOption()},
            .MinPositionals = 2,
            .Run = Run};
}
