#pragma once

#include <string>
#include <vector>

class IContainerWindow;
class IDialogs;
class TContainerFlows;
struct TMessage;
class TSession;
class TSettings;

// The container window's commands that move files into and out of its container: add, delete
// the selected, extract all or the selected attachments, extract text and attachments, save the
// text as an RTF file. Each runs as a flow of the user's (see TSession::TFlowGuard), under the
// window's wait cursor, and reports a failure with the caption "Error". An existing target file is replaced only when the user says Yes to "Overwrite";
// No passes over that file, Cancel ends the command at once (no folder is opened then).
class TAttachmentCommands
{
public:
    TAttachmentCommands(TSettings& settings, TSession& session, TContainerFlows& flows);

    // The files the user chooses are dropped onto the window.
    void AddAttachments(IContainerWindow& window);
    void DeleteSelectedAttachments(IContainerWindow& window);
    // Into a folder the user chooses, each attachment under its stored folders; the folder is
    // opened afterwards when the settings ask so.
    void ExtractAllAttachments(IContainerWindow& window);
    // The same for the selected attachments; the folder is never opened.
    void ExtractSelectedAttachments(IContainerWindow& window);
    // Every attachment and the text (named after the container, ".rtf"), into a sub-folder named
    // after the container when the settings ask so.
    void ExtractTextAndAttachments(IContainerWindow& window);
    // The text as an RTF file the user names.
    void ExtractText(IContainerWindow& window);
    // Decrypts the attachment at a row (catalog order) into the work folder under its bare name,
    // apart from any file of that name there, and opens it with its program; the window keeps it
    // among its opened attachments until it gives them back. An attachment the window has open
    // already is opened again as it is, with the user's changes. A program, script, installer or
    // launcher (IsProgramFile, by name or contents) is not handed to the desktop's opener: the
    // user is told so and may extract it into a folder instead.
    void OpenAttachment(IContainerWindow& window, int row);

private:
    void ExtractToChosenFolder(IContainerWindow& window, bool selectedOnly);
    // The rows into a folder the user chooses (asked with the caption), which becomes the default
    // folder; the folder when every file was written or passed over, empty when the user cancelled
    // or a file failed.
    std::string ExtractRowsToChosenFolder(IContainerWindow& window, const std::vector<int>& rows,
                                          const TMessage& caption);
    // Each failed file is told with the caption "Error" and the others are extracted all the same,
    // as the command-line tool does. False when the user cancelled or a file failed.
    bool ExtractRows(IContainerWindow& window, const std::vector<int>& rows, const std::string& folder);
    bool WriteTextFile(IContainerWindow& window, const std::string& fileName);
    bool RefusedReadOnly(IContainerWindow& window);

    TSettings& FSettings;
    TSession& FSession;
    TContainerFlows& FFlows;
};
