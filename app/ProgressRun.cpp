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

std::string NameOf(const std::string& fileName)
{
    return std::filesystem::path(fileName).filename().string();
}

} // namespace

bool RunWithProgress(IBusyIndicator& indicator, const std::string& caption, const std::string& fileName,
                     const std::function<void(const TCopyProgress& progress)>& work)
{
    bool cancelled = false;
    indicator.BeginProgress(caption, fileName);
    const TProgressEnd end(indicator);
    work([&](std::int64_t done, std::int64_t total) {
        cancelled = cancelled || !indicator.StepProgress(done, total);
        return !cancelled;
    });
    return !cancelled;
}

void AddFileShowingProgress(IBusyIndicator& indicator, TRandomCryptoContainer& container, const std::string& fileName,
                            const std::string& baseFolder)
{
    RunWithProgress(indicator, MsgText(msg::Add), NameOf(fileName),
                    [&](const TCopyProgress&) { container.AddFile(fileName, baseFolder); });
}

void ExtractFileShowingProgress(IBusyIndicator& indicator, TRandomCryptoContainer& container, int index,
                                const std::string& targetFolder)
{
    const std::string name = container.GetCatalog().Item(index)->FPath.FileName();
    RunWithProgress(indicator, MsgText(msg::ExtractEllipsis), name,
                    [&](const TCopyProgress&) { container.ExtractFile(index, targetFolder); });
}

void CopyContainerShowingProgress(IBusyIndicator& indicator, const std::string& sourceFile,
                                  const std::string& sourcePassword, const std::string& targetFile,
                                  const std::string& tempFile, const std::string& targetPassword)
{
    RunWithProgress(indicator, MsgText(msg::SaveContainer), NameOf(targetFile), [&](const TCopyProgress&) {
        CopyContainer(sourceFile, sourcePassword, targetFile, tempFile, targetPassword);
    });
}

void RekeyContainerShowingProgress(IBusyIndicator& indicator, const std::string& fileName,
                                   const std::string& newPassword, const std::string& oldPassword)
{
    RunWithProgress(indicator, MsgText(msg::SaveContainer), NameOf(fileName), [&](const TCopyProgress&) {
        RekeyContainer(fileName, newPassword, oldPassword, fileName + ".tmp");
    });
}

bool WipeFileShowingProgress(IBusyIndicator& indicator, const std::string& fileName, std::int32_t cycles)
{
    return RunWithProgress(indicator, MsgText(msg::Wipe), NameOf(fileName), [&](const TCopyProgress& progress) {
        WipeFile(fileName, cycles, true, [&](std::int64_t done, std::int64_t total) { progress(done, total); });
    });
}
