#pragma once

#include "AttachmentOwner.h"

#include <memory>
#include <string>
#include <vector>

class IDialogs;
class TRandomCryptoContainer;

// What a container window holds for the flows besides its container.
struct TContainerWindowState
{
    std::string FPassword;  // the password as typed when the container was opened or saved, offered at
                            // the next password question (the container holds the key made from it);
                            // empty for a new one, wiped with the remembered password
    bool FModified = false; // created here and not yet saved: the caption shows "(unsaved)"
    bool FNew = false;      // composed here (new, reply, forward, dropped text)
    bool FSaved = false;    // the container has a file the user chose: closing never asks
    bool FOwn = false;      // written by this user (computed when the window is shown)
    int FExtraValue = 0;    // numeric field 1 of the container's extra record
    int FIndex = -1;        // position in the session's list of open container windows
};

// A container window as the flows see it. The windows implement it; tests give a double.
class IContainerWindow : public IAttachmentOwner
{
public:
    bool HasContainer() const { return ContainerPointer() != nullptr; }
    // Takes ownership of a container (an open one); a container held before is closed and freed.
    virtual void AssignContainer(std::unique_ptr<TRandomCryptoContainer> container) = 0;
    // Gives up the container (the caller closes and frees it); the window holds none afterwards.
    virtual std::unique_ptr<TRandomCryptoContainer> ReleaseContainer() = 0;
    virtual TRandomCryptoContainer* ContainerPointer() const = 0;
    TRandomCryptoContainer& Container() override { return *ContainerPointer(); }

    virtual TContainerWindowState& State() = 0;
    // The window's caption as the user sees it.
    virtual std::string Title() const = 0;

    // Reloads address box, text and attachment list from the container and refreshes the commands.
    virtual void LoadContent() = 0;
    virtual void RefreshCommandState() = 0;
    // Shows the window (the first time with its first-showing steps) and raises it.
    virtual void BringToFront() = 0;
    virtual void HideWindow() = 0;
    // True drops the window's stay-on-top state while the mail program's compose window opens, so
    // that it is not hidden behind; false gives the state back as the user set it.
    virtual void SetTemporarilyNotOnTop(bool notOnTop) = 0;
    // Asks the window to close: its close query runs (which calls the close flow).
    virtual void RequestClose() = 0;

    // The editor's text: RTF when rich, else plain UTF-8.
    virtual std::string EditorText(bool rich) const = 0;
    // Replaces the editor's text; it counts as unchanged afterwards.
    virtual void SetEditorText(const std::string& text, bool rich) = 0;
    // Whether the user changed the text since it was last loaded or set: only then does the
    // container's memo take it (the text the editor writes back differs from any memo another
    // program wrote, and it drops what the editor cannot show).
    virtual bool TextChanged() const = 0;
    virtual bool EditorEmpty() const = 0;
    virtual void ApplyDefaultFont() = 0;
    virtual void FocusEditor() = 0;

    // The text of the reply-address box.
    virtual std::string ReplyAddress() const = 0;
    virtual void SetReplyAddress(const std::string& address) = 0;

    // Rows of the attachment list that are selected, ascending (positions in the catalog's order).
    virtual std::vector<int> SelectedAttachmentRows() const = 0;
    // Stores the detail-view column percentages and, as the settings ask, size and window state.
    virtual void StoreGeometry() = 0;
    // The dialogs owned by this window.
    virtual IDialogs& Dialogs() = 0;
};

// Creates container windows: empty, invisible, already appended to the session's list.
class IContainerWindowFactory
{
public:
    virtual ~IContainerWindowFactory() = default;
    virtual IContainerWindow& CreateContainerWindow() = 0;
};
