#pragma once

class IContainerWindow;
class TAttachmentCommands;
class TContainerFlows;
class TMailFlows;

// The application's parts a container window's commands work on.
struct TWindowFlowParts
{
    TContainerFlows& FFlows;
    TAttachmentCommands& FAttachments;
    TMailFlows& FMail;
};

// What a command of a container window does in the application: a flow on the window.
using TWindowFlow = void (*)(TWindowFlowParts& app, IContainerWindow& window);

// The operations a container window hands itself to: its buttons, menu items and keys run
// flows, and the flows do the work on the window's container and reload the window. The program
// runs them on its parts; tests record the commands by name.
class IContainerCommands
{
public:
    virtual ~IContainerCommands() = default;

    // Runs the flow of the window's command of that name.
    virtual void Run(const char* command, TWindowFlow flow, IContainerWindow& window) = 0;
    // Opens the attachment at a row of the list (catalog order) with its program.
    virtual void OpenAttachment(IContainerWindow& window, int row) = 0;
    // The close flow: gives back opened attachments, asks to save, stores the geometry and the
    // text, closes the container and takes the window off the session's list. False when the
    // window must stay open.
    virtual bool CloseContainerWindow(IContainerWindow& window) = 0;
};
