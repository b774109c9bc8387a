#pragma once

#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class IContainerWindow;
class TOpenContainer;
class TSettings;
class TTemporaryFiles;

// The program's process-wide state, created at start-up and alive to the end: the open containers
// and the windows that show them, in order of creation, the remembered password with its timer, the mail-dialog flag,
// the drop-source marker and the temporary folders. The temporary-file list is reached through it.
class TSession : public QObject
{
    Q_OBJECT

public:
    explicit TSession(TTemporaryFiles& temporaryFiles, QObject* parent = nullptr);

    TTemporaryFiles& TemporaryFiles() { return FTemporaryFiles; }

    // The windows of the open containers. Adding a window opens a container for it to show (empty
    // until a flow gives it one); removing it takes its open container off too (the window keeps
    // it to its end, so that it never shows a freed one).
    const std::vector<IContainerWindow*>& Windows() const { return FWindows; }
    void AddWindow(IContainerWindow& window);
    void RemoveWindow(IContainerWindow& window);
    // A number that differs for every container window of this run (the provisional password).
    int NextWindowSerial() { return ++FWindowSerial; }

    // The last password that opened a container, offered first at the next password question. It
    // is forgotten when the timer runs out, restarted at every accepted password; the passwords
    // the open containers keep for their next password question are wiped with it then.
    const std::string& RememberedPassword() const { return FRememberedPassword; }
    void RememberPassword(const std::string& password, int forgetAfterMs);
    // The timer starts again with a new interval (the options were saved).
    void RestartPasswordTimer(int forgetAfterMs);
    void ForgetPassword();

    // Set while the mail client's dialog is open: new and opened containers, forwarded command
    // lines and imports are refused meanwhile.
    bool MailDialogOpen() const { return FMailDialogOpen; }
    void SetMailDialogOpen(bool open) { FMailDialogOpen = open; }

    // The window a drag of attachments started from; a drop back onto it adds nothing.
    IContainerWindow* DropSource() const { return FDropSource; }
    void SetDropSource(IContainerWindow* window) { FDropSource = window; }

    // A flow of the user's (a save, a send, a re-key, adding or extracting) holds the session busy
    // while it runs: its progress steps and questions run the event loop, and closing a window,
    // ending the program or opening what a second start hands over must not happen in its middle
    // (the window may have given its container up for the flow). Flows nest.
    class TFlowGuard
    {
    public:
        explicit TFlowGuard(TSession& session);
        ~TFlowGuard();
        TFlowGuard(const TFlowGuard&) = delete;
        TFlowGuard& operator=(const TFlowGuard&) = delete;

    private:
        TSession& FSession;
    };
    bool FlowRunning() const { return FRunningFlows > 0; }
    // Runs the action at once when no flow runs; else it waits, and the waiting actions run in the
    // order they came once the last flow has ended, from the event loop (after the flow's caller
    // has finished its own steps).
    void AfterFlow(std::function<void()> action);
    // Whether the window is on the list of open container windows.
    bool IsOpen(const IContainerWindow& window) const;

    // The folder the next file dialog starts in: the last folder a file was opened, saved, added,
    // extracted or wiped in during this run; before that, and once the user has chosen another
    // default folder in the options, the options' default folder. Using a folder never changes
    // the option, so the folder the user chose there starts the next run.
    const std::string& DialogFolder(const TSettings& settings) const;
    void SetDialogFolder(const TSettings& settings, std::string folder);

    // The folders whose containers count as received (see ReceivedLocation.h): the system's
    // temporary folders unless set otherwise.
    const std::vector<std::string>& TemporaryFolders() const { return FTemporaryFolders; }
    void SetTemporaryFolders(std::vector<std::string> folders) { FTemporaryFolders = std::move(folders); }

private:
    void PasswordTimeUp();
    void EndFlow();
    void RunWaitingActions();

    TTemporaryFiles& FTemporaryFiles;
    std::vector<IContainerWindow*> FWindows;
    // Index-parallel to FWindows.
    std::vector<std::shared_ptr<TOpenContainer>> FOpenContainers;
    int FWindowSerial = 0;
    std::string FRememberedPassword;
    QTimer FPasswordTimer;
    bool FMailDialogOpen = false;
    IContainerWindow* FDropSource = nullptr;
    std::vector<std::string> FTemporaryFolders;
    std::string FDialogFolder;
    // The options' default folder when FDialogFolder was used.
    std::string FDialogFolderDefault;
    int FRunningFlows = 0;
    std::deque<std::function<void()>> FAfterFlow;
};
