#pragma once

#include "AppCommands.h"
#include "AttachmentCommands.h"
#include "ContainerFlows.h"
#include "MailFlows.h"
#include "WipeCommand.h"

class IContainerWindowFactory;
class IDialogs;
class IMailClient;
class TSession;
class TSettings;

// The application's operations over the container flows, the attachment commands and the wipe
// command. Outlook does not exist on this platform; the options dialog joins here later.
class TApplicationCommands : public IAppCommands
{
public:
    // startDialogs are the start window's: they serve the commands that come from it. The mail
    // program gets the containers sent.
    TApplicationCommands(TSettings& settings, TSession& session, IContainerWindowFactory& windows,
                         IDialogs& startDialogs, IMailClient& mail);

    void NewContainer() override;
    void OpenContainerFile(IContainerWindow* window, const std::string& fileName) override;
    void OpenOutlookContainer(bool) override {}
    bool IsOutlookRunning() override { return false; }
    void WipeFiles() override;
    void ShowOptions() override {}
    void DropFiles(IContainerWindow* window, const std::vector<std::string>& fileNames) override;
    void DropText(IContainerWindow* window, const std::string& text, bool rich) override;
    int OpenContainerWindowCount() override;
    // Each window is asked to close; its close query runs the close flow, which takes it off the
    // session's list. A window still listed afterwards refused.
    bool CloseContainerWindows() override;
    bool IsMailDialogOpen() override;

    // The container windows' commands.
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
};
