#pragma once

#include <string>

class IBusyIndicator;
class TOpenContainer;
class TTemporaryFiles;

// Files written into the work folder for other programs to read. Each lands under a free name
// (UnusedPath: files of one name that are still in use stay apart) and is on the temporary-file
// list before a byte of it is written, so that whatever a failure or a crash midway leaves is
// wiped all the same.

// How long a work copy stays.
enum class TWorkCopyUse
{
    // Saved there for this program (a container the mail program hands over): the next close
    // of a container window wipes it.
    Ordinary,
    // Decrypted for another program (dragged out, copied to the clipboard): only the closing
    // sequence wipes it, since the receiver may read it after the window has closed.
    HandedOver,
    // Decrypted to be opened with its program: among the open container's opened attachments,
    // kept from the closes of other windows until the attachment is given back.
    Opened,
};

// A free path for the name in the work folder, listed for wiping.
std::string ListedWorkPath(const std::string& workFolder, const std::string& name, TTemporaryFiles& temporaryFiles,
                           TWorkCopyUse use);

// Decrypts the attachment at the row (catalog order) of the open container into the work folder
// under its stored file name, which must be one that cannot lead out of the folder
// (TPathInfo::CheckExtractable), showing the progress. The path written. Raises what the container
// raises (ECancelled when the user cancelled).
std::string DecryptToWorkFolder(IBusyIndicator& indicator, TOpenContainer& open, int row, const std::string& workFolder,
                                TTemporaryFiles& temporaryFiles, TWorkCopyUse use);
