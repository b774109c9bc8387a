#pragma once

#include "app/AppCommands.h"

#include <string>
#include <vector>

// The application's operations, recorded instead of run.
class TRecordingCommands : public IAppCommands
{
public:
    void NewContainer() override { FCalls.push_back("NewContainer"); }
    void OpenContainerFile(IContainerWindow* window, const std::string& fileName) override
    {
        FCalls.push_back(WindowMark(window) + "OpenContainerFile:" + fileName);
    }
    void OpenOutlookContainer(bool loud) override { FCalls.push_back(loud ? "Outlook:loud" : "Outlook:quiet"); }
    bool IsOutlookRunning() override { return FOutlook; }
    void WipeFiles() override { FCalls.push_back("WipeFiles"); }
    void ShowOptions() override { FCalls.push_back("ShowOptions"); }
    void DropFiles(IContainerWindow* window, const std::vector<std::string>& fileNames) override
    {
        for (const auto& name : fileNames) {
            FCalls.push_back(WindowMark(window) + "DropFile:" + name);
        }
    }
    void DropText(IContainerWindow* window, const std::string& text, bool rich) override
    {
        FCalls.push_back(WindowMark(window) + (rich ? "DropRichText:" : "DropText:") + text);
    }
    int OpenContainerWindowCount() override { return FWindows; }
    bool CloseContainerWindows() override
    {
        FCalls.push_back("CloseContainerWindows");
        return FWindowsClose;
    }
    bool IsMailDialogOpen() override { return FMailDialogOpen; }

    std::vector<std::string> FCalls;
    bool FOutlook = false;
    int FWindows = 0;
    bool FWindowsClose = true;
    bool FMailDialogOpen = false;

private:
    // Calls from a container window are marked; the start window's (no window) are not.
    static std::string WindowMark(const IContainerWindow* window) { return window != nullptr ? "window:" : ""; }
};
