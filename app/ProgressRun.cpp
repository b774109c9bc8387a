#include "ProgressRun.h"

#include "Dialogs.h"
#include "container/RandomCryptoContainer.h"
#include "container/Wipe.h"
#include "language/Messages.h"
#include "language/MsgText.h"

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
    TContainerProgress(TRandomCryptoContainer& container, const TCopyProgress& progress) : FContainer(container)
    {
        container.SetProgress(progress);
    }
    ~TContainerProgress() { FContainer.SetProgress({}); }
    TContainerProgress(const TContainerProgress&) = delete;
    TContainerProgress& operator=(const TContainerProgress&) = delete;

private:
    TRandomCryptoContainer& FContainer;
};

std::string NameOf(const std::string& fileName)
{
    return std::filesystem::path(fileName).filename().string();
}

// Steps of a thousandth: the display gets at most about a thousand steps per piece of work,
// however small the chunks the core reports.
constexpr std::int64_t StepsPerWork = 1000;

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

void AddFileShowingProgress(IBusyIndicator& indicator, TRandomCryptoContainer& container, const std::string& fileName,
                            const std::string& baseFolder)
{
    RunWithProgress(indicator, MsgText(msg::Add), NameOf(fileName), [&](const TCopyProgress& progress) {
        const TContainerProgress reporting(container, progress);
        container.AddFile(fileName, baseFolder);
    });
}

void ExtractFileShowingProgress(IBusyIndicator& indicator, TRandomCryptoContainer& container, int index,
                                const std::string& targetFolder)
{
    const std::string name = container.GetCatalog().Item(index)->FPath.FileName();
    RunWithProgress(indicator, MsgText(msg::ExtractEllipsis), name, [&](const TCopyProgress& progress) {
        const TContainerProgress reporting(container, progress);
        container.ExtractFile(index, targetFolder);
    });
}

void ExtractFileToShowingProgress(IBusyIndicator& indicator, TRandomCryptoContainer& container, int index,
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
                                   const TContainerKey& oldKey)
{
    RunWithProgress(indicator, MsgText(msg::SaveContainer), NameOf(fileName), [&](const TCopyProgress& progress) {
        RekeyContainer(fileName, newKey, oldKey, fileName + ".tmp", progress);
    });
}

bool WipeFileShowingProgress(IBusyIndicator& indicator, const std::string& fileName, std::int32_t cycles)
{
    return RunWithProgress(indicator, MsgText(msg::Wipe), NameOf(fileName), [&](const TCopyProgress& progress) {
        WipeFile(fileName, cycles, true, [&](std::int64_t done, std::int64_t total) { progress(done, total); });
    });
}
