#include "SetMemoCommand.h"

#include "CommandError.h"
#include "ContainerCloser.h"
#include "ContainerFiles.h"
#include "PasswordReader.h"
#include "TextFormat.h"
#include "container/RandomCryptoContainer.h"
#include "language/Messages.h"

std::string TSetMemoCommand::Summary() const
{
    return "replace the memo of a container";
}

std::string TSetMemoCommand::Synopsis() const
{
    return "CONTAINER (TEXT | --file FILE)";
}

std::string TSetMemoCommand::Details() const
{
    return "The memo is replaced by TEXT, or by the contents of FILE: plain text, or a rich-text\n"
           "(RTF) document, which is kept as it is. An empty TEXT clears the memo.\n"
           "The earlier memo stays in the file, readable to whoever has the password,\n"
           "until 'sealvane-cli compact' writes it anew.\n";
}

std::vector<TOption> TSetMemoCommand::Options() const
{
    return {{"file", 0, "FILE", "take the memo from FILE"}, PasswordFileOption()};
}

int TSetMemoCommand::Run(const TArguments& args, TConsole& console) const
{
    const std::string& file = args.Positionals()[0];
    const std::optional<std::string> memoFile = args.Value("file");
    const bool hasText = args.Positionals().size() > 1;
    if (hasText == memoFile.has_value()) {
        throw EUsageError(hasText ? "give the memo as TEXT or with --file, not both"
                                  : "missing the memo TEXT or --file");
    }
    const std::string memo = memoFile ? StoredMemoFromFile(*memoFile) : StoredMemo(args.Positionals()[1]);
    RequireWritableContainer(file);

    TRandomCryptoContainer container(TPasswordReader(console).Existing(args.Value("password-file")));
    container.Open(file);
    TContainerCloser closer(container);
    container.SetMemo(memo);
    container.Close();
    console.Hint(Message(msg::OldBytesStayUntilCompact, {file}));
    return ExitDone;
}
