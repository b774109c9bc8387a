#include "Commands.h"

#include "CommandError.h"
#include "ContainerFiles.h"
#include "PasswordReader.h"
#include "Progress.h"
#include "SiblingTempFile.h"
#include "TextFormat.h"
#include "container/ContainerError.h"
#include "container/ExtraString.h"
#include "container/LocalFiles.h"
#include "container/Container.h"
#include "sealed/ContainerFormats.h"
#include "language/Messages.h"

#include <filesystem>
#include <future>
#include <memory>

namespace {

// An existing output is replaced only when asked for, and never when it is read only.
void CheckOutput(const std::string& fileName, bool force)
{
    const std::filesystem::file_status status = std::filesystem::status(fileName);
    if (!std::filesystem::exists(status)) {
        return;
    }
    if (std::filesystem::is_directory(status)) {
        throw ECommandError("'" + fileName + "' is a folder");
    }
    if (!force) {
        throw ECommandError("'" + fileName + "' already exists", "add --force to replace it");
    }
    if (IsReadOnlyFile(fileName)) {
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {fileName});
    }
}

int Run(const TArguments& args, TConsole& console)
{
    const std::vector<std::string>& positionals = args.Positionals();
    const std::string& output = positionals[0];
    const std::vector<std::string> inputs(positionals.begin() + 1, positionals.end());
    const std::optional<std::string> memoText = args.Value("memo");
    const std::optional<std::string> memoFile = args.Value("memo-file");
    if (memoText && memoFile) {
        throw EUsageError("--memo and --memo-file cannot be used together");
    }

    // A password from a file is there at once: the container's key, which takes a while to set
    // up, is then set up while the files are collected. A password typed on the terminal is
    // asked only once everything that can be checked has been.
    const std::optional<std::string> passwordFile = args.Value("password-file");
    const auto newPassword = [&] {
        return TPasswordReader(console).New(passwordFile, Message(msg::PasswordLabel) + " ");
    };
    const std::int64_t format = FormatAskedFor(args, DefaultFormat);
    const auto setUpKey = [format](const TContainerKey& key) {
        return std::async(std::launch::async, [key, format] { return NewContainer(key, format); });
    };
    std::future<std::unique_ptr<TContainer>> keyed;
    if (passwordFile) {
        keyed = setUpKey(newPassword());
    }
    const std::string memo = memoFile ? StoredMemoFromFile(*memoFile) : StoredMemo(memoText.value_or(""));
    CheckOutput(output, args.Has("force"));
    TInputSelection selection = CollectInputFiles(inputs, output, TProgress::CanShow(console));
    WarnSkipped(selection, console);
    if (!passwordFile) {
        keyed = setUpKey(newPassword());
    }

    // The files are read while the key is set up.
    TFileReadAhead files(std::move(selection.Files));
    TSiblingTempFile pending(output);
    {
        const std::unique_ptr<TContainer> container = keyed.get();
        container->OpenNew(pending.Name());
        try {
            StoreFiles(*container, files, selection.TotalSize, console);
            container->SetMemo(memo);
            container->SetExtra(TExtraString(true).Serialize());
        } catch (...) {
            container->Close();
            throw;
        }
        container->Close();
    }
    pending.Commit();
    return ExitDone;
}

} // namespace

TCommand CreateCommand()
{
    return {.Name = "create",
            .Summary = "create a new container from files, folders and a memo",
            .Synopsis = "OUT [FILE|FOLDER]...",
            .Details = "A file is stored by its name alone; a folder with everything below it, so that\n"
                       "extracting gives back the folder itself. The new password is asked twice on a\n"
                       "terminal. OUT appears only once it is complete: a failure leaves no file.\n",
            .Options = {{"memo", 'm', "TEXT", "the memo (message) of the container"},
                        {"memo-file", 0, "FILE", "take the memo from FILE (plain text, or rich text as is)"},
                        ForceOption("replace OUT when it exists"),
                        FormatOption("4 (the default: readable by every Sealvane) or 5 (authenticated:\n"
                                     "needs this version or the browser page)"),
                        PasswordFileOption()},
            .MinPositionals = 1,
            .Run = Run};
}
