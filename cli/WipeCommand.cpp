#include "Commands.h"

#include "CommandError.h"
#include "Progress.h"
#include "TextFormat.h"
#include "container/LocalFiles.h"
#include "container/Wipe.h"
#include "language/Messages.h"

#include <filesystem>

namespace {

constexpr int MinCycles = 1;
constexpr int MaxCycles = 8;

int CyclesOf(const std::optional<std::string>& text)
{
    if (!text) {
        return 1;
    }
    if (text->size() == 1 && (*text)[0] >= '0' + MinCycles && (*text)[0] <= '0' + MaxCycles) {
        return (*text)[0] - '0';
    }
    throw EUsageError("the number of cycles must be 1 to 8, not '" + *text + "'");
}

int Run(const TArguments& args, TConsole& console)
{
    const int cycles = CyclesOf(args.Value("cycles"));
    const bool yes = args.Has("yes");
    if (!yes && !console.IsInteractive()) {
        throw ECommandError("nothing wiped: standard input is not a terminal to confirm on",
                            "add --yes to wipe without asking");
    }
    int wiped = 0;
    int failures = 0;
    for (const std::string& file : args.Positionals()) {
        if (!yes && !console.Confirm(Message(msg::FileWillBeWipedConfirm, {file}))) {
            continue;
        }
        const std::string cannot = Message(msg::CannotWipeFile, {file});
        const std::filesystem::file_status status = std::filesystem::symlink_status(file);
        if (std::filesystem::is_symlink(status)) {
            console.Error(cannot + " ('" + file + "' is a symbolic link)");
            ++failures;
            continue;
        }
        if (!std::filesystem::is_regular_file(status)) {
            console.Error(cannot + " " + Message(msg::FileNotFound, {file}));
            ++failures;
            continue;
        }
        try {
            // Shown for a large file; the wiper counts the bytes of all passes.
            TProgress progress(console, FileSizeOf(file));
            WipeFile(file, cycles, true, [&](std::int64_t done, std::int64_t total) {
                progress.SetTotal(total);
                progress.Show(done, file);
            });
        } catch (const std::exception& error) {
            console.Error(cannot + " " + error.what());
            ++failures;
            continue;
        }
        ++wiped;
    }
    if (wiped > 0) {
        console.Out() << Message(msg::FilesWiped, {std::int64_t{wiped}}) << '\n';
    }
    return failures == 0 ? ExitDone : ExitFailure;
}

} // namespace

TCommand WipeCommand()
{
    return {.Name = "wipe",
            .Summary = "overwrite files, then delete them",
            .Synopsis = "FILE...",
            .Details = "Each cycle overwrites a file three times (bytes AA, then 55, then random), each pass\n"
                       "reaching the disk before the next; then the file is deleted. Each file is confirmed\n"
                       "on the terminal unless --yes is given; without a terminal, --yes is required.\n"
                       "A file that cannot be wiped is reported and the others are wiped all the same.\n"
                       "Symbolic links are refused: wipe the file they point to.\n"
                       "\n"
                       "Overwriting cannot reach copies the system keeps elsewhere: on copy-on-write or\n"
                       "journaling filesystems, on SSDs (wear levelling), and in snapshots and backups the\n"
                       "old contents may survive.\n",
            .Options = {{"cycles", 'n', "CYCLES", "overwrite cycles per file, 1 to 8 (default 1)"},
                        {"yes", 'y', "", "do not ask before wiping each file"}},
            .MinPositionals = 1,
            .Run = Run};
}
