#pragma once

#include <string>
#include <vector>

class IContainerWindow;
class QObject;
class TSession;
class TSettings;

// Attachments handed to other programs as real files: dragged out of a container window's list
// or copied to the clipboard. Each is decrypted into the work folder first and kept on the
// temporary-file list to the program's end (the receiver may read it after the window has
// closed: a file manager copying in the background, a mail program at sending).
class TAttachmentHandOver
{
public:
    TAttachmentHandOver(TSettings& settings, TSession& session);

    // The attachments at the rows (catalog order), each decrypted under its stored name apart
    // from any file of that name there (two of one name land in separate sub-folders). The paths
    // in the rows' order. Raises what the container raises (ECancelled when the user cancelled).
    std::vector<std::string> Extract(IContainerWindow& window, const std::vector<int>& rows);

    // Drags the selected attachments out from the source widget, as a copy only. The window is
    // the session's drop source meanwhile, so that a drop back onto it adds nothing.
    void Drag(QObject& source, IContainerWindow& window);
    // Puts the selected attachments on the clipboard as files, the last selected first.
    void CopyToClipboard(IContainerWindow& window);

private:
    TSettings& FSettings;
    TSession& FSession;
};
