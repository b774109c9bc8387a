#pragma once

#include <QObject>
#include <QTimer>

#include <string>
#include <utility>
#include <vector>

class IContainerWindow;
class TTemporaryFiles;

// The program's process-wide state, created at start-up and alive to the end: the open container
// windows in order of creation, the remembered password with its timer, the mail-dialog flag, the
// drop-source marker and the temporary folders. The temporary-file list is reached through it.
class TSession : public QObject
{
    Q_OBJECT

public:
    explicit TSession(TTemporaryFiles& temporaryFiles, QObject* parent = nullptr);

    TTemporaryFiles& TemporaryFiles() { return FTemporaryFiles; }

    // Open container windows. Adding gives the window its index; removing renumbers the ones after it.
    const std::vector<IContainerWindow*>& Windows() const { return FWindows; }
    void AddWindow(IContainerWindow& window);
    void RemoveWindow(IContainerWindow& window);
    // A number that differs for every container window of this run (the provisional password).
    int NextWindowSerial() { return ++FWindowSerial; }

    // The last password that opened a container, offered first at the next password question. It
    // is forgotten when the timer runs out, restarted at every accepted password; the passwords
    // the windows keep for their next password question are wiped with it then.
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

    // The folders whose containers count as received (see ReceivedLocation.h): the system's
    // temporary folders unless set otherwise.
    const std::vector<std::string>& TemporaryFolders() const { return FTemporaryFolders; }
    void SetTemporaryFolders(std::vector<std::string> folders) { FTemporaryFolders = std::move(folders); }

private:
    void PasswordTimeUp();

    TTemporaryFiles& FTemporaryFiles;
    std::vector<IContainerWindow*> FWindows;
    int FWindowSerial = 0;
    std::string FRememberedPassword;
    QTimer FPasswordTimer;
    bool FMailDialogOpen = false;
    IContainerWindow* FDropSource = nullptr;
    std::vector<std::string> FTemporaryFolders;
};
