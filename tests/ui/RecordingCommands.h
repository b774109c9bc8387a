#pragma once

#include "app/AppCommands.h"

#include <string>
#include <vector>

// The application's operations, recorded instead of run.
class TRecordingCommands : public IAppCommands
{
public:
    void NewContainer() override { FCalls.push_back("NewContainer"); }
    void OpenContainerFile(const std::string& fileName) override { FCalls.push_back("OpenContainerFile:" + fileName); }
    void OpenOutlookContainer(bool loud) override { FCalls.push_back(loud ? "Outlook:loud" : "Outlook:quiet"); }
    bool IsOutlookRunning() override { return FOutlook; }
    void WipeFiles() override { FCalls.push_back("WipeFiles"); }
    void ShowOptions() override { FCalls.push_back("ShowOptions"); }
    void DropFiles(const std::vector<std::string>& fileNames) override
    {
        for (const auto& name : fileNames) {
            FCalls.push_back("DropFile:" + name);
        }
    }
    void DropText(const std::string& text) override { FCalls.push_back("DropText:" + text); }
    int OpenContainerWindowCount() override { return FWindows; }
    bool CloseContainerWindows() override
    {
        FCalls.push_back("CloseContainerWindows");
        return FWindowsClose;
    }
    void ForgetRememberedPassword() override { FCalls.push_back("ForgetPassword"); }

    std::vector<std::string> FCalls;
    bool FOutlook = false;
    int FWindows = 0;
    bool FWindowsClose = true;
};
