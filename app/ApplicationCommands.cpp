#include "ApplicationCommands.h"

#include "ContainerWindow.h"
#include "Session.h"
#include "mail/MailAutomation.h"

TApplicationCommands::TApplicationCommands(TSettings& settings, TSession& session, IContainerWindowFactory& windows,
                                           IDialogs& startDialogs, IMailClient& mail)
    : FSession(session), FStartDialogs(startDialogs), FFlows(settings, session, windows, startDialogs),
      FAttachments(settings, session, FFlows), FWipe(settings, session),
      FMail(settings, session, windows, FFlows, mail),
      FOutlook(settings, session, FFlows, startDialogs, PlatformMailAutomation())
{
}

void TApplicationCommands::NewContainer()
{
    FFlows.NewContainer();
}

void TApplicationCommands::OpenContainerFile(IContainerWindow* window, const std::string& fileName)
{
    FFlows.OpenContainerFile(window, fileName);
}

void TApplicationCommands::OpenOutlookContainer(bool loud)
{
    const TSession::TFlowGuard flow(FSession);
    FOutlook.OpenContainer(loud);
}

bool TApplicationCommands::IsOutlookRunning()
{
    return FOutlook.IsRunning();
}

void TApplicationCommands::WipeFiles()
{
    const TSession::TFlowGuard flow(FSession);
    FWipe.Run(FStartDialogs);
}

void TApplicationCommands::DropFiles(IContainerWindow* window, const std::vector<std::string>& fileNames)
{
    FFlows.DropFiles(window, fileNames);
}

void TApplicationCommands::DropText(IContainerWindow* window, const std::string& text, bool rich)
{
    FFlows.DropText(window, text, rich);
}

int TApplicationCommands::OpenContainerWindowCount()
{
    return static_cast<int>(FSession.Windows().size());
}

bool TApplicationCommands::CloseContainerWindows()
{
    while (!FSession.Windows().empty()) {
        IContainerWindow* last = FSession.Windows().back();
        last->RequestClose();
        if (!FSession.Windows().empty() && FSession.Windows().back() == last) {
            return false;
        }
    }
    return true;
}

bool TApplicationCommands::IsMailDialogOpen()
{
    return FSession.MailDialogOpen();
}

bool TApplicationCommands::FlowRunning()
{
    return FSession.FlowRunning();
}

void TApplicationCommands::AfterFlow(std::function<void()> action)
{
    FSession.AfterFlow(std::move(action));
}

void TApplicationCommands::ShowOptions()
{
    if (FShowOptions) {
        FShowOptions();
    }
}

void TApplicationCommands::Run(const char*, TWindowFlow flow, IContainerWindow& window)
{
    flow(FWindowParts, window);
}

void TApplicationCommands::OpenAttachment(IContainerWindow& window, int row)
{
    const TSession::TFlowGuard flow(FSession);
    FAttachments.OpenAttachment(window, row);
}

bool TApplicationCommands::CloseContainerWindow(IContainerWindow& window)
{
    return FFlows.CloseContainerWindow(window);
}
