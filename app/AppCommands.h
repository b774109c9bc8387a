#pragma once

#include <functional>
#include <string>
#include <vector>

class IContainerWindow;

// The application's operations as the start window, its tray menu, the drop targets and a second
// start of the program call them. The container flows fill them in; tests record the calls.
// A window argument names the container window the call comes from; null stands for the start
// window (a new container window is then created where one is needed).
class IAppCommands
{
public:
    virtual ~IAppCommands() = default;

    virtual void NewContainer() = 0;
    // An empty name asks the user for the file.
    virtual void OpenContainerFile(IContainerWindow* window, const std::string& fileName) = 0;
    // Loud: problems are reported to the user; quiet: nothing is said when there is no container.
    virtual void OpenOutlookContainer(bool loud) = 0;
    virtual bool IsOutlookRunning() = 0;
    virtual void WipeFiles() = 0;
    virtual void ShowOptions() = 0;
    // One container file opens it; other files become attachments of the window's container.
    virtual void DropFiles(IContainerWindow* window, const std::vector<std::string>& fileNames) = 0;
    // The text (RTF when rich) becomes the window's text.
    virtual void DropText(IContainerWindow* window, const std::string& text, bool rich) = 0;

    virtual int OpenContainerWindowCount() = 0;
    // Closes every container window from the last to the first, each asking to save as it needs;
    // false as soon as one refuses.
    virtual bool CloseContainerWindows() = 0;
    // True while the mail client's send dialog is open: new and opened containers, forwarded
    // command lines and the start window's dialogs are refused meanwhile.
    virtual bool IsMailDialogOpen() = 0;
    // Whether a flow of the user's runs (a save, a send, adding or extracting; see TSession):
    // ending the program and what a second start hands over wait for its end.
    virtual bool FlowRunning() = 0;
    // Runs the action at once, or in order after the running flows (see TSession::AfterFlow).
    virtual void AfterFlow(std::function<void()> action) = 0;
};
