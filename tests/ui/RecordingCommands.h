#pragma once

#include "app/AppCommands.h"
#include "app/ContainerCommands.h"
#include "app/ContainerWindow.h"
#include "app/Session.h"

#include <cstdio>
#include <string>
#include <vector>

// The application's and the container windows' operations, recorded instead of run, and told on
// standard error when FTell is set (for a person trying a window). The close flow of a container
// window answers as told and, when it lets the window close, stores its geometry and takes it off
// the session's list as the real flow does. What must wait for a running flow waits on the
// session's flows; without a session nothing runs and it is done at once.
class TRecordingCommands : public IAppCommands, public IContainerCommands
{
public:
    explicit TRecordingCommands(TSession* session = nullptr) : FSession(session) {}

    void NewContainer() override { Record("NewContainer"); }
    void OpenContainerFile(IContainerWindow* window, const std::string& fileName) override
    {
        Record(WindowMark(window) + "OpenContainerFile:" + fileName);
    }
    void OpenOutlookContainer(bool loud) override { Record(loud ? "Outlook:loud" : "Outlook:quiet"); }
    bool IsOutlookRunning() override { return FOutlook; }
    void WipeFiles() override { Record("WipeFiles"); }
    void ShowOptions() override { Record("ShowOptions"); }
    void DropFiles(IContainerWindow* window, const std::vector<std::string>& fileNames) override
    {
        for (const auto& name : fileNames) {
            Record(WindowMark(window) + "DropFile:" + name);
        }
    }
    void DropText(IContainerWindow* window, const std::string& text, bool rich) override
    {
        Record(WindowMark(window) + (rich ? "DropRichText:" : "DropText:") + text);
    }
    int OpenContainerWindowCount() override { return FWindows; }
    bool CloseContainerWindows() override
    {
        Record("CloseContainerWindows");
        return FWindowsClose;
    }
    bool IsMailDialogOpen() override { return FMailDialogOpen; }
    bool FlowRunning() override { return FSession != nullptr && FSession->FlowRunning(); }
    void AfterFlow(std::function<void()> action) override
    {
        if (FSession != nullptr) {
            FSession->AfterFlow(std::move(action));
        } else {
            action();
        }
    }

    void Run(const char* command, TWindowFlow, IContainerWindow&) override { Record(command); }
    void OpenAttachment(IContainerWindow&, int row) override { Record("open attachment " + std::to_string(row)); }
    bool CloseContainerWindow(IContainerWindow& window) override
    {
        Record("close");
        if (FCloses) {
            window.StoreGeometry();
            FSession->RemoveWindow(window);
        }
        return FCloses;
    }

    std::vector<std::string> FCalls;
    bool FTell = false;
    bool FOutlook = false;
    int FWindows = 0;
    bool FWindowsClose = true;
    bool FMailDialogOpen = false;
    bool FCloses = true;

private:
    void Record(const std::string& call)
    {
        if (FTell) {
            std::fprintf(stderr, "command: %s\n", call.c_str());
        }
        FCalls.push_back(call);
    }

    // Calls from a container window are marked; the start window's (no window) are not.
    static std::string WindowMark(const IContainerWindow* window) { return window != nullptr ? "window:" : ""; }

    TSession* FSession;
};
