#pragma once

class IContainerWindow;

// The operations a container window hands itself to: its buttons, menu items and keys call
// them, and the flows do the work on the window's container and reload the window. The program
// wires the container flows and the attachment commands behind it; tests record the calls.
class IContainerCommands
{
public:
    virtual ~IContainerCommands() = default;

    virtual void SendContainer(IContainerWindow& window) = 0;
    virtual void ReplyContainer(IContainerWindow& window) = 0;
    virtual void ForwardContainer(IContainerWindow& window) = 0;
    virtual void ChangePassword(IContainerWindow& window) = 0;
    virtual void SaveContainerAs(IContainerWindow& window) = 0;
    virtual void ExtractTextAndAttachments(IContainerWindow& window) = 0;
    virtual void ExtractText(IContainerWindow& window) = 0;
    virtual void AddAttachments(IContainerWindow& window) = 0;
    virtual void ExtractAllAttachments(IContainerWindow& window) = 0;
    virtual void ExtractSelectedAttachments(IContainerWindow& window) = 0;
    virtual void DeleteSelectedAttachments(IContainerWindow& window) = 0;
    // Opens the attachment at a row of the list (catalog order) with its program.
    virtual void OpenAttachment(IContainerWindow& window, int row) = 0;
    // The close flow: gives back opened attachments, asks to save, stores the geometry and the
    // text, closes the container and takes the window off the session's list. False when the
    // window must stay open.
    virtual bool CloseContainerWindow(IContainerWindow& window) = 0;
};
