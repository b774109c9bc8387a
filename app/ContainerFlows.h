#pragma once

#include "container/ContainerKey.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class IContainerWindow;
class IContainerWindowFactory;
class IDialogs;
class TExtraString;
class TContainer;
class TSession;
class TSettings;

// The container operations of the start window, the container windows, the drop targets and a
// second start: new container, open a file, drop files or text, save under a new name and
// password, close a window. A flow given no window (the start window) creates a container window
// through the factory; one given a window works on it. Every flow shows the wait cursor of the
// window concerned and reports a failure there with the caption "Error".
class TContainerFlows
{
public:
    // startDialogs are the start window's: they serve flows given no window.
    TContainerFlows(TSettings& settings, TSession& session, IContainerWindowFactory& windows, IDialogs& startDialogs);

    // A new container in a new window, its file in the work folder. Refused while the mail
    // dialog is open.
    void NewContainer();
    // Opens a container file (an empty name asks for it) after the password question, into the
    // given window when it holds no container yet, else into a new one; read only when it lies
    // where received containers do (see ReceivedLocation.h). Refused while the mail dialog is open.
    void OpenContainerFile(IContainerWindow* window, const std::string& fileName);
    // The same with the password question under its own caption.
    void OpenContainerFile(IContainerWindow* window, const std::string& fileName, const std::string& passwordCaption);
    // One container file (".xvt", ".bwk") is opened; other files become attachments of the
    // window's container (a new window's when none is given). A drop back onto the window the
    // drag started from adds nothing.
    void DropFiles(IContainerWindow* window, const std::vector<std::string>& fileNames);
    // The text (trimmed; RTF when rich) replaces the window's text (a new window's when none is
    // given).
    void DropText(IContainerWindow* window, const std::string& text, bool rich);
    // Gives back opened attachments, asks for file and new password, copies the container there
    // and reopens it from there. False when the user cancelled or it failed.
    bool SaveContainerAs(IContainerWindow& window);
    // The close query's work: gives back opened attachments, asks to save an unsaved container
    // that holds something, stores geometry and the text the user changed, closes the container,
    // takes the window off the session's list, wipes its password and the temporary files. False
    // when the window must stay open.
    bool CloseContainerWindow(IContainerWindow& window);

    // Steps the mail flows share.
    // A new container file in the work folder under the given password, with a fresh extra
    // record; null when no name could be made (the user has been told).
    std::unique_ptr<TContainer> NewWorkContainer(IDialogs& dialogs, const TContainerKey& key, std::int64_t format);
    // The window shows a container composed in it: new, modified, not saved, no password yet.
    void GiveNewContainer(IContainerWindow& window, std::unique_ptr<TContainer> container);
    // The text the user changed becomes the container's memo and the sender the window's address
    // box stands for (see AddressesOfBox) the sender address of the container's extra record (a
    // fresh record when the container holds none of the current format); a read-only container
    // keeps both.
    void StoreTextAndAddress(IContainerWindow& window);
    // A name in the work folder that no file has yet, listed for wiping; empty when none could be
    // made (the user has been told).
    std::string NewWorkFileName(IDialogs& dialogs);
    // Opens the file with the key as the window's container: for writing when that works and
    // writable is set, else read only.
    void Reopen(IContainerWindow& window, const std::string& fileName, const TContainerKey& key, bool writable);
    // Reloads the window from its container and raises it.
    void Show(IContainerWindow& window);
    // Refuses a change to a read-only container, saying how to make one that can be changed.
    static void TellReadOnly(IDialogs& dialogs);

private:
    IDialogs& DialogsOf(IContainerWindow* window);
    void OpenFile(IContainerWindow* window, IDialogs& dialogs, const std::string& fileName,
                  const std::string& passwordCaption);
    // Asks until the password opens the file: its key, and the text in password; none when the
    // user cancelled.
    std::optional<TContainerKey> AskOpenKey(IDialogs& dialogs, const std::string& caption, const std::string& fileName,
                                            std::string& password);
    void LoadIntoWindow(IContainerWindow* window, IDialogs& dialogs, const std::string& fileName,
                        const TContainerKey& key, const std::string& password);
    std::unique_ptr<TContainer> NewWorkContainer(IDialogs& dialogs);
    // Whether the file lies in a temporary folder (the work folder included) or another
    // user's: a container opened from there is only read.
    bool IsReceived(const std::string& fileName) const;
    // The window's extra value and whether the container is the user's own.
    void SetRecordState(IContainerWindow& window, const TExtraString& extra);
    // The window itself when it holds a container; else the window (or a new one when none is
    // given) with a new container. Null when no container could be made.
    IContainerWindow* TargetWithContainer(IContainerWindow* window, IDialogs& dialogs);
    // Runs work on the target window (made first when none is given) as one command, and shows the
    // window afterwards, also when the work failed.
    void RunOnTarget(IContainerWindow* window, const std::function<void(IContainerWindow&)>& work);
    void DropFilesOnto(IContainerWindow* window, const std::vector<std::string>& fileNames);
    void AddDroppedFiles(IContainerWindow& window, const std::vector<std::string>& fileNames);
    bool SaveAs(IContainerWindow& window);
    // Another open window whose container is the file (compared as files, not as names), or none.
    const IContainerWindow* WindowWithFile(const std::string& fileName, const IContainerWindow& except) const;
    bool AskToClose(IContainerWindow& window);

    TSettings& FSettings;
    TSession& FSession;
    IContainerWindowFactory& FWindows;
    IDialogs& FStartDialogs;
};
