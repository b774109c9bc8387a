#pragma once

#include <string>
#include <vector>

// The application's operations as the start window, its tray menu and a second start of the
// program call them. The container flows fill them in; tests record the calls.
class IAppCommands
{
public:
    virtual ~IAppCommands() = default;

    virtual void NewContainer() = 0;
    // An empty name asks the user for the file.
    virtual void OpenContainerFile(const std::string& fileName) = 0;
    // Loud: problems are reported to the user; quiet: nothing is said when there is no container.
    virtual void OpenOutlookContainer(bool loud) = 0;
    virtual bool IsOutlookRunning() = 0;
    virtual void WipeFiles() = 0;
    virtual void ShowOptions() = 0;
    // One container file opens it; other files become the attachments of a new container.
    virtual void DropFiles(const std::vector<std::string>& fileNames) = 0;
    virtual void DropText(const std::string& text) = 0;

    virtual int OpenContainerWindowCount() = 0;
    // Closes every container window from the last to the first, each asking to save as it needs;
    // false as soon as one refuses.
    virtual bool CloseContainerWindows() = 0;
    // The password remembered after a container was opened is forgotten.
    virtual void ForgetRememberedPassword() = 0;
};
