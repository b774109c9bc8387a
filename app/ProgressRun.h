#pragma once

#include "container/CopyProgress.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class IBusyIndicator;
class TFileInfo;
class TContainerKey;
class TContainer;

// Runs one long piece of work on one file (adding, extracting, copying, re-keying or wiping) with
// the progress display of a window: begun with the caption and the file's name, stepped through
// the callback the work hands to the core, ended also when the work fails. A cancel in the display
// makes the callback answer false from then on: a copy then ends with ECancelled, undone by the
// core (RunCommand ends the command quietly); work that goes on all the same (a wipe) makes this
// answer false.
bool RunWithProgress(IBusyIndicator& indicator, const std::string& caption, const std::string& fileName,
                     const std::function<void(const TCopyProgress& progress)>& work);

// The long operations of the flows, each shown in the window's progress display.
void AddFileShowingProgress(IBusyIndicator& indicator, TContainer& container, const std::string& fileName,
                            const std::string& baseFolder);
// What becomes of one entry of an extraction, decided once its target name is known.
enum class TEntryChoice
{
    Extract,
    PassOver,
    // Ends the extraction before this entry.
    Stop
};
// Extracts the entries at the indices under the folder, each under its stored folders, in one
// progress display for them all (showing the folder). As the command-line tool does, they are
// extracted in the order they were stored, whatever the list shows, so that of several of one name
// the newest is written last; small files are written on threads of their own while the next
// ones are deciphered.
// An entry without a name is passed over. Before each entry, once every earlier file of its name
// is written, choose decides about its target. A failed entry (a refused name included) is told
// to onFailure, on this thread, and the others go on. Every file handed over is written by the
// time this returns, also when the user cancels (ECancelled is raised afterwards). False when
// choose stopped the extraction.
bool ExtractFilesShowingProgress(IBusyIndicator& indicator, TContainer& container,
                                 const std::vector<int>& indices, const std::string& targetFolder,
                                 const std::function<TEntryChoice(const std::string& target)>& choose,
                                 const std::function<void(const std::exception& error)>& onFailure);
void ExtractFileToShowingProgress(IBusyIndicator& indicator, TContainer& container, int index,
                                  const std::string& targetFile);
void CopyContainerShowingProgress(IBusyIndicator& indicator, const std::string& sourceFile,
                                  const TContainerKey& sourceKey, const std::string& targetFile,
                                  const std::string& tempFile, const TContainerKey& targetKey);
// Gives the container file a new key; the new file is built at tempFile (a free name) and
// replaces the old one only when complete.
void RekeyContainerShowingProgress(IBusyIndicator& indicator, const std::string& fileName, const TContainerKey& newKey,
                                   const TContainerKey& oldKey, const std::string& tempFile);
// False when the user cancelled meanwhile. The file is wiped to the end all the same: a file wiped
// in part would be neither kept nor gone.
bool WipeFileShowingProgress(IBusyIndicator& indicator, const std::string& fileName, std::int32_t cycles);
