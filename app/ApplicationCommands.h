#pragma once

#include "AppCommands.h"

// The application's operations. Outlook does not exist on this platform; no container window is
// open until the container flows create them. The container flows (new, open, drop, wipe,
// options) are the next steps of the program and join here.
class TApplicationCommands : public IAppCommands
{
public:
    void NewContainer() override {}
    void OpenContainerFile(const std::string&) override {}
    void OpenOutlookContainer(bool) override {}
    bool IsOutlookRunning() override { return false; }
    void WipeFiles() override {}
    void ShowOptions() override {}
    void DropFiles(const std::vector<std::string>&) override {}
    void DropText(const std::string&) override {}
    int OpenContainerWindowCount() override { return 0; }
    bool CloseContainerWindows() override { return true; }
    void ForgetRememberedPassword() override {}
};
