#include "ProgressRun.h"

#include "Dialogs.h"
#include "container/ContainerError.h"
#include "container/FileWriteBehind.h"
#include "container/Container.h"
#include "sealed/ContainerFormats.h"
#include "container/Wipe.h"
#include "language/Messages.h"
#include "language/MsgText.h"

#include <algorithm>
#include <filesystem>

namespace {

class TProgressEnd
{
public:
    explicit TProgressEnd(IBusyIndicator& indicator) : FIndicator(indicator) {}
    ~TProgressEnd() { FIndicator.EndProgress(); }
    TProgressEnd(const TProgressEnd&) = delete;
    TProgressEnd& operator=(const TProgressEnd&) = delete;

private:
    IBusyIndicator& FIndicator;
};

// The container reports its copies to the progress while this lives, and to nobody afterwards.
class TContainerProgress
{
public:
    TContainerProgress(TContainer& container, const TCopyProgress& progress) : FContainer(container)
    {
        container.SetProgress(progress);
    }
    ~TContainerProgress() { FContainer.SetProgress({}); }
    TContainerProgress(const TContainerProgress&) = delete;
    TContainerProgress& operator=(const TContainerProgress&) = delete;

private:
    TContainer& FContainer;
};

std::string NameOf(const std::string& fileName)
{
    return std::filesystem::path(fileName).filename().string();
}

// Steps of a thousandth: the display gets at most about a thousand steps per piece of work,
// however small the chunks the core reports.
constexpr std::int64_t StepsPerWork = 1000;

// Extracts the entry at index unless choose says otherwise; false when it says Stop. A failure
// is told to onFailure; a cancel is raised.
bool ExtractChosen(TContainer& container, int index, const std::string& targetFolder,
                   TFileWriteBehind& writeBehind, const std::function<TEntryChoice(const std::string& target)>& choose,
                   const std::function<void(const std::exception& error)>& onFailure)
{
    try {
        const TPathInfo& path = container.GetCatalog().Item(index)->FPath;
        // A name that would lead out of the folder is refused before anything is asked.
        path.CheckExtractable();
        const std::string target = path.TargetName(targetFolder);
        // An earlier entry of the same name may still be on its way: what is asked about is what
        // stands there once it is written.
        writeBehind.Settle(target);
        const TEntryChoice choice = choose(target);
        if (choice == TEntryChoice::Extract) {
            container.ExtractFile(index, targetFolder, &writeBehind);
        }
        return choice != TEntryChoice::Stop;
    } catch (const ECancelled&) {
        throw;
    } catch (const std::exception& error) {
        onFailure(error);
    }
    return true;
}

} // namespace

bool RunWithProgress(IBusyIndicator& indicator, const std::string& caption, const std::string& fileName,
                     const std::function<void(const TCopyProgress& progress)>& work)
{
    bool cancelled = false;
    std::int64_t shownStep = -1;
    indicator.BeginProgress(caption, fileName);
    const TProgressEnd end(indicator);
    work([&](std::int64_t done, std::int64_t total) {
        const std::int64_t step = total > 0 ? done * StepsPerWork / total : StepsPerWork;
        if (!cancelled && step != shownStep) {
            shownStep = step;
            cancelled = !indicator.StepProgress(done, total);
        }
        return !cancelled;
    });
    return !cancelled;
}

void AddFileShowingProgress(IBusyIndicator& indicator, TContainer& container, const std::string& fileName,
                            const std::string& baseFolder)
{
    RunWithProgress(indicator, MsgText(msg::Add), NameOf(fileName), [&](const TCopyProgress& progress) {
        const TContainerProgress reporting(container, progress);
        container.AddFile(fileName, baseFolder);
    });
}

bool ExtractFilesShowingProgress(IBusyIndicator& indicator, TContainer& container,
                                 const std::vector<int>& indices, const std::string& targetFolder,
                                 const std::function<TEntryChoice(const std::string& target)>& choose,
                                 const std::function<void(const std::exception& error)>& onFailure)
{
    const TCatalog& catalog = container.GetCatalog();
    std::vector<int> byNumber = indices;
    std::sort(byNumber.begin(), byNumber.end(),
              [&](int a, int b) { return catalog.Item(a)->FID < catalog.Item(b)->FID; });
    std::int64_t total = 0;
    for (const int index : byNumber) {
        total += catalog.Item(index)->FSize;
    }
    bool stopped = false;
    RunWithProgress(indicator, MsgText(msg::ExtractEllipsis), targetFolder, [&](const TCopyProgress& progress) {
        std::int64_t done = 0;
        const TContainerProgress reporting(
            container, [&](std::int64_t doneInEntry, std::int64_t) { return progress(done + doneInEntry, total); });
        TFileWriteBehind writeBehind(onFailure);
        try {
            for (const int index : byNumber) {
                const TCatalog::TEntry entry = catalog.Item(index);
                if (!entry->FPath.StoredFileName().empty()) {
                    stopped = !ExtractChosen(container, index, targetFolder, writeBehind, choose, onFailure);
                    if (stopped) {
                        break;
                    }
                }
                done += entry->FSize;
            }
        } catch (const ECancelled&) {
            // What was extracted before the cancel is written all the same.
            writeBehind.Finish();
            throw;
        }
        writeBehind.Finish();
    });
    return !stopped;
}

void ExtractFileToShowingProgress(IBusyIndicator& indicator, TContainer& container, int index,
                                  const std::string& targetFile)
{
    const std::string name = container.GetCatalog().Item(index)->FPath.FileName();
    RunWithProgress(indicator, MsgText(msg::ExtractEllipsis), name, [&](const TCopyProgress& progress) {
        const TContainerProgress reporting(container, progress);
        container.ExtractFileTo(index, targetFile);
    });
}

void CopyContainerShowingProgress(IBusyIndicator& indicator, const std::string& sourceFile,
                                  const TContainerKey& sourceKey, const std::string& targetFile,
                                  const std::string& tempFile, const TContainerKey& targetKey)
{
    RunWithProgress(indicator, MsgText(msg::SaveContainer), NameOf(targetFile), [&](const TCopyProgress& progress) {
        CopyContainer(sourceFile, sourceKey, targetFile, tempFile, targetKey, progress);
    });
}

void RekeyContainerShowingProgress(IBusyIndicator& indicator, const std::string& fileName, const TContainerKey& newKey,
                                   const TContainerKey& oldKey, const std::string& tempFile)
{
    RunWithProgress(indicator, MsgText(msg::SaveContainer), NameOf(fileName), [&](const TCopyProgress& progress) {
        RekeyContainer(fileName, newKey, oldKey, tempFile, progress);
    });
}

bool WipeFileShowingProgress(IBusyIndicator& indicator, const std::string& fileName, std::int32_t cycles)
{
    return RunWithProgress(indicator, MsgText(msg::Wipe), NameOf(fileName), [&](const TCopyProgress& progress) {
        WipeFile(fileName, cycles, true, [&](std::int64_t done, std::int64_t total) { progress(done, total); });
    });
}
