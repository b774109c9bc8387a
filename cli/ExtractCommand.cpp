#include "Commands.h"

#include "CommandError.h"
#include "ContainerFiles.h"
#include "OpenContainer.h"
#include "Progress.h"
#include "TextFormat.h"
#include "container/FileWriteBehind.h"
#include "container/Container.h"
#include "language/Messages.h"
#include "text/ShownText.h"

#include <algorithm>
#include <filesystem>

namespace {

// The entries the selectors name, in entry-number order, each once. A selector is an entry number
// or a name: the file name alone or with its folder ("docs/report.txt"); a name may match several
// entries. Nothing is extracted when a selector matches nothing.
std::vector<int> ChosenEntries(const TCatalog& catalog, const std::vector<std::string>& selectors,
                               const std::string& containerName)
{
    const std::vector<int> all = IndicesByNumber(catalog);
    if (selectors.empty()) {
        return all;
    }
    std::vector<bool> chosen(static_cast<std::size_t>(catalog.Count()), false);
    for (const std::string& selector : selectors) {
        bool found = false;
        if (const std::optional<std::int64_t> number = ParseEntryNumber(selector)) {
            const int index = IndexOfEntry(catalog, *number);
            if (index >= 0) {
                chosen[static_cast<std::size_t>(index)] = found = true;
            }
        }
        if (!found) {
            for (const int index : all) {
                const TFileInfo& entry = *catalog.Item(index);
                if (entry.FPath.FileName() == selector || EntryPath(entry) == selector) {
                    chosen[static_cast<std::size_t>(index)] = found = true;
                }
            }
        }
        if (!found) {
            throw ECommandError("no entry '" + selector + "' in '" + containerName + "'",
                                std::string("'") + ProgramName + " list " + containerName + "' shows the entries");
        }
    }
    std::vector<int> result;
    std::copy_if(all.begin(), all.end(), std::back_inserter(result),
                 [&](int index) { return chosen[static_cast<std::size_t>(index)]; });
    return result;
}

int Run(const TArguments& args, TConsole& console)
{
    const std::string& file = args.Positionals()[0];
    const std::vector<std::string> selectors(args.Positionals().begin() + 1, args.Positionals().end());
    const std::string folder = args.Value("output").value_or(".");
    const bool force = args.Has("force");
    if (folder.empty()) {
        throw EUsageError("the output folder is empty");
    }
    int failures = 0;
    WithContainer(args, console, TAccess::ReadOnly, [&](TContainer& container, const TCatalog& catalog) {
        const std::vector<int> chosen = ChosenEntries(catalog, selectors, file);
        std::filesystem::create_directories(folder);

        std::int64_t total = 0;
        for (const int index : chosen) {
            total += catalog.Item(index)->FSize;
        }
        TProgress progress(console, total);
        std::int64_t done = 0;
        bool hinted = false;
        const auto fail = [&](const std::exception& error) {
            progress.Finish();
            console.Error(error.what());
            ++failures;
            if (dynamic_cast<const EFileExists*>(&error) != nullptr && !hinted) {
                console.Hint("add --force to replace existing files");
                hinted = true;
            }
        };
        // Without --force and without a terminal to ask on, existing files are left alone: a file
        // takes its name only if that is still free once the file is complete, so nothing needs to
        // be looked up first.
        const bool asks = !force && console.IsInteractive();
        // Small files are written on two more threads while the next ones are deciphered.
        TFileWriteBehind writeBehind(fail, force || asks ? TOverwrite::Allowed : TOverwrite::Refused);
        for (const int index : chosen) {
            const std::shared_ptr<TFileInfo> entry = catalog.Item(index);
            try {
                if (!entry->FPath.StoredFileName().empty()) {
                    entry->FPath.CheckExtractable();
                    const std::string target = entry->FPath.TargetName(folder);
                    bool write = true;
                    if (asks) {
                        // An earlier entry of the same name may still be on its way.
                        writeBehind.Settle(target);
                        if (std::filesystem::exists(std::filesystem::symlink_status(target))) {
                            progress.Finish();
                            write = console.Confirm(Message(msg::OverwriteFile, {ShownSafely(target, false)}) + "?");
                        }
                    }
                    if (write) {
                        progress.Show(done, EntryPath(*entry));
                        container.ExtractFile(index, folder, &writeBehind);
                    }
                }
            } catch (const std::exception& error) {
                fail(error);
            }
            done += entry->FSize;
        }
        writeBehind.Finish();
        progress.Finish();
    });
    return failures == 0 ? ExitDone : ExitFailure;
}

} // namespace

TCommand ExtractCommand()
{
    return {.Name = "extract",
            .Summary = "extract entries of a container (all when none is named)",
            .Synopsis = "CONTAINER [NUMBER|NAME]...",
            .Details = "Entries are written below DIR with the folders they were stored with, and get\n"
                       "their stored modification time. An existing file is replaced only after a yes on\n"
                       "the terminal, or with --force; without a terminal it is left alone and reported.\n"
                       "A stored name that would lead outside DIR is refused, and so is an entry whose\n"
                       "stored record does not match what 'list' shows. Every file appears complete or\n"
                       "not at all.\n",
            .Options = {{"output", 'o', "DIR", "extract below DIR (default: the current folder)"},
                        ForceOption("replace existing files without asking"),
                        PasswordFileOption()},
            .MinPositionals = 1,
            .Run = Run};
}
