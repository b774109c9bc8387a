#include "Commands.h"

#include "CommandError.h"
#include "ContainerFiles.h"
#include "OpenContainer.h"
#include "TextFormat.h"
#include "container/Container.h"
#include "language/Messages.h"

namespace {

int Run(const TArguments& args, TConsole& console)
{
    const std::string& file = args.Positionals()[0];
    const std::optional<std::string> memoFile = args.Value("file");
    const bool hasText = args.Positionals().size() > 1;
    if (hasText == memoFile.has_value()) {
        throw EUsageError(hasText ? "give the memo as TEXT or with --file, not both"
                                  : "missing the memo TEXT or --file");
    }
    const std::string memo = memoFile ? StoredMemoFromFile(*memoFile) : StoredMemo(args.Positionals()[1]);
    WithContainer(args, console, TAccess::Writable,
                  [&](TContainer& container, const TCatalog&) { container.SetMemo(memo); });
    console.Hint(Message(msg::OldBytesStayUntilCompact, {file}));
    return ExitDone;
}

} // namespace

TCommand SetMemoCommand()
{
    return {.Name = "set-memo",
            .Summary = "replace the memo of a container",
            .Synopsis = "CONTAINER (TEXT | --file FILE)",
            .Details = "The memo is replaced by TEXT, or by the contents of FILE: plain text, or a rich-text\n"
                       "(RTF) document, which is kept as it is. An empty TEXT clears the memo.\n"
                       "The earlier memo stays in the file, readable to whoever has the password,\n"
                       "until 'sealvane-cli compact' writes it anew.\n",
            .Options = {{"file", 0, "FILE", "take the memo from FILE"}, PasswordFileOption()},
            .MinPositionals = 1,
            .MaxPositionals = 2,
            .Run = Run};
}
