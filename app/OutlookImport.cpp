#include "OutlookImport.h"

#include "ContainerFlows.h"
#include "Dialogs.h"
#include "RunCommand.h"
#include "Session.h"
#include "WorkCopy.h"
#include "container/LocalFiles.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "mail/MailAutomation.h"
#include "mail/OutlookContainer.h"
#include "settings/Settings.h"

TOutlookImport::TOutlookImport(TSettings& settings, TSession& session, TContainerFlows& flows, IDialogs& startDialogs,
                               IMailAutomation& automation)
    : FSettings(settings), FSession(session), FFlows(flows), FStartDialogs(startDialogs), FAutomation(automation)
{
}

bool TOutlookImport::IsRunning()
{
    return FAutomation.IsRunning();
}

void TOutlookImport::OpenContainer(bool loud)
{
    if (FSession.MailDialogOpen()) {
        return;
    }
    std::string fileName;
    // A container of the same name opened earlier from a mail stays as it is.
    const bool searched = RunCommand(FStartDialogs, [&] {
        fileName = FindOutlookContainer(FAutomation, [this](const std::string& name) {
            return ListedWorkPath(FSettings.TempPath, name, FSession.TemporaryFiles(), TWorkCopyUse::Ordinary);
        });
    });
    if (!searched) {
        return;
    }
    if (!fileName.empty() && FileExists(fileName)) {
        FFlows.OpenContainerFile(nullptr, fileName, MsgText(msg::PasswordOutlookContainer));
    } else if (loud) {
        FStartDialogs.ShowInfoBox(MsgText(msg::Information), MsgText(msg::SelectOutlookMessage));
    }
}
