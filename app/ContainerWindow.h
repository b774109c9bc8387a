#pragma once

#include <memory>
#include <string>
#include <vector>

class IDialogs;
class TOpenContainer;

// A container window as the flows see it: a view of one open container of the session's. The
// flows change the open container and ask the window to show it again. The windows implement it;
// tests give a double.
class IContainerWindow
{
public:
    virtual ~IContainerWindow() = default;

    // The open container the window shows, given when the session lists the window (AddWindow).
    TOpenContainer& Shown() { return *FShown; }
    const TOpenContainer& Shown() const { return *FShown; }

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

private:
    friend class TSession;
    std::shared_ptr<TOpenContainer> FShown;
};

// Creates container windows: empty, invisible, already appended to the session's list.
class IContainerWindowFactory
{
public:
    virtual ~IContainerWindowFactory() = default;
    virtual IContainerWindow& CreateContainerWindow() = 0;
};
