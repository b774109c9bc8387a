#include "SecondStart.h"

#include "AppCommands.h"
#include "SingleInstance.h"
#include "StartWindow.h"
#include "UserInterface.h"
#include "language/FormatText.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "settings/Settings.h"

#include <QFileInfo>

namespace {

constexpr int OutlookCheckIntervalMs = 500;

// The named files that exist; every other name that is not blank is reported as a container not
// found, so that a file named to the program is never dropped without a word.
std::vector<std::string> ExistingFiles(const QStringList& names, IMessages& messages)
{
    std::vector<std::string> files;
    for (const QString& name : names) {
        if (QFileInfo(name).isFile()) {
            files.push_back(name.toStdString());
        } else if (!name.trimmed().isEmpty()) {
            messages.ShowInfoBox(MsgText(msg::Error),
                                 FormatText(MsgText(msg::ContainerNotFound), {name.toStdString()}));
        }
    }
    return files;
}

} // namespace

TSecondStart::TSecondStart(TSettings& settings, IAppCommands& commands, IStartWindow& window)
    : FSettings(settings), FCommands(commands), FWindow(window)
{
    FOutlookCheckTimer.setSingleShot(true);
    FOutlookCheckTimer.setInterval(OutlookCheckIntervalMs);
    QObject::connect(&FOutlookCheckTimer, &QTimer::timeout, &FOutlookCheckTimer, [this] {
        if (FCommands.IsOutlookRunning()) {
            FCommands.OpenOutlookContainer(false);
        }
    });
}

void TSecondStart::OpenCommandLineFiles(const QStringList& arguments)
{
    const std::vector<std::string> files = ExistingFiles(arguments, FWindow.UserInterface());
    if (!files.empty()) {
        FCommands.DropFiles(nullptr, files);
    } else if (FSettings.fStart_CheckForOutlookContainer && FCommands.IsOutlookRunning()) {
        FCommands.OpenOutlookContainer(false);
    }
}

void TSecondStart::HandleForwardedText(const QString& forwarded)
{
    // What a second start hands over waits for a running flow (a save, a send) and comes in order.
    FCommands.AfterFlow([this, forwarded] { TakeForwardedText(forwarded); });
}

void TSecondStart::TakeForwardedText(const QString& forwarded)
{
    const QString text = forwarded.trimmed();
    // Forgetting the settings asks nothing of the user: it is done even while the mail dialog is open.
    if (text == QLatin1String(SingleInstance::ForgetSettingsText)) {
        std::string failure;
        if (!FSettings.Forget(failure)) {
            FWindow.UserInterface().ShowInfoBox(MsgText(msg::Error), failure);
        }
        return;
    }
    if (FCommands.IsMailDialogOpen()) {
        return;
    }
    if (text.isEmpty()) {
        FWindow.RestoreFromTray();
        if (FSettings.fStart_CheckForOutlookContainer) {
            FOutlookCheckTimer.start();
        }
    } else if (text == QLatin1String(SingleInstance::UpdateText)) {
        if (FCommands.OpenContainerWindowCount() > 0) {
            FWindow.UserInterface().ShowInfoBox(MsgText(msg::Information),
                                                MsgText(msg::InstalledUpdateBlockedByOpenContainers));
        } else {
            FWindow.CloseForReal();
        }
    } else if (const std::vector<std::string> files = ExistingFiles({text}, FWindow.UserInterface()); !files.empty()) {
        FCommands.DropFiles(nullptr, files);
    }
}
