#include "DeleteCommand.h"

#include "CommandError.h"
#include "ContainerCloser.h"
#include "ContainerFiles.h"
#include "PasswordReader.h"
#include "TextFormat.h"
#include "container/RandomCryptoContainer.h"
#include "language/Messages.h"

#include <algorithm>

std::string TDeleteCommand::Summary() const
{
    return "delete entries from a container";
}

std::string TDeleteCommand::Synopsis() const
{
    return "CONTAINER NUMBER...";
}

std::string TDeleteCommand::Details() const
{
    return "The entries leave the catalog; their bytes stay in the file, readable to whoever\n"
           "has the password, until 'sealvane-cli compact' writes it anew. Nothing is deleted\n"
           "when one of the numbers names no entry.\n";
}

std::vector<TOption> TDeleteCommand::Options() const
{
    return {PasswordFileOption()};
}

int TDeleteCommand::Run(const TArguments& args, TConsole& console) const
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
    RequireWritableContainer(file);

    TRandomCryptoContainer container(TPasswordReader(console).Existing(args.Value("password-file")));
    const TCatalog& catalog = container.Open(file);
    TContainerCloser closer(container);
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
    container.Close();
    console.Hint(Message(msg::OldBytesStayUntilCompact, {file}));
    return ExitDone;
}
