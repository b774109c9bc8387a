#pragma once

#include "AppCommands.h"
#include "AttachmentCommands.h"
#include "ContainerCommands.h"
#include "ContainerFlows.h"
#include "MailFlows.h"
#include "OutlookImport.h"
#include "WipeCommand.h"

class IContainerWindowFactory;
class IDialogs;
class IMailClient;
class TSession;
class TSettings;

#include <functional>

// The application's operations, as the start window and the container windows call them, over
// the container flows, the attachment commands, the mail flows and the wipe command. Outlook does
// not exist on this platform. The options dialog is a window: the program hands it in.
class TApplicationCommands : public IAppCommands, public IContainerCommands
{
public:
    // startDialogs are the start window's: they serve the commands that come from it. The mail
    // program gets the containers sent.
    TApplicationCommands(TSettings& settings, TSession& session, IContainerWindowFactory& windows,
                         IDialogs& startDialogs, IMailClient& mail);

    void NewContainer() override;
    void OpenContainerFile(IContainerWindow* window, const std::string& fileName) override;
    void OpenOutlookContainer(bool loud) override;
    bool IsOutlookRunning() override;
    void WipeFiles() override;
    void ShowOptions() override;
    void SetShowOptions(std::function<void()> showOptions) { FShowOptions = std::move(showOptions); }
    void DropFiles(IContainerWindow* window, const std::vector<std::string>& fileNames) override;
    void DropText(IContainerWindow* window, const std::string& text, bool rich) override;
    int OpenContainerWindowCount() override;
    // Each window is asked to close; its close query runs the close flow, which takes it off the
    // session's list. A window still listed afterwards refused.
    bool CloseContainerWindows() override;
    bool IsMailDialogOpen() override;
    bool FlowRunning() override;
    void AfterFlow(std::function<void()> action) override;

    // IContainerCommands
    void Run(const char* command, TWindowFlow flow, IContainerWindow& window) override;
    void OpenAttachment(IContainerWindow& window, int row) override;
    bool CloseContainerWindow(IContainerWindow& window) override;

    // The parts, for tests.
    TContainerFlows& Flows() { return FFlows; }
    TAttachmentCommands& Attachments() { return FAttachments; }
    TWipeCommand& Wipe() { return FWipe; }
    TMailFlows& Mail() { return FMail; }

private:
    TSession& FSession;
    IDialogs& FStartDialogs;
    TContainerFlows FFlows;
    TAttachmentCommands FAttachments;
    TWipeCommand FWipe;
    TMailFlows FMail;
    TOutlookImport FOutlook;
    std::function<void()> FShowOptions;
    TWindowFlowParts FWindowParts{FFlows, FAttachments, FMail};
};
