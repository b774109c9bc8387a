#pragma once

#include "container/CopyProgress.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class IBusyIndicator;
class TFileInfo;
class TContainerKey;
class TRandomCryptoContainer;

// Runs one long piece of work on one file (adding, extracting, copying, re-keying or wiping) with
// the progress display of a window: begun with the caption and the file's name, stepped through
// the callback the work hands to the core, ended also when the work fails. A cancel in the display
// makes the callback answer false from then on: a copy then ends with ECancelled, undone by the
// core (RunCommand ends the command quietly); work that goes on all the same (a wipe) makes this
// answer false.
bool RunWithProgress(IBusyIndicator& indicator, const std::string& caption, const std::string& fileName,
                     const std::function<void(const TCopyProgress& progress)>& work);

// The long operations of the flows, each shown in the window's progress display.
void AddFileShowingProgress(IBusyIndicator& indicator, TRandomCryptoContainer& container, const std::string& fileName,
                            const std::string& baseFolder);
void ExtractFileShowingProgress(IBusyIndicator& indicator, TRandomCryptoContainer& container, int index,
                                const std::string& targetFolder);
void ExtractFileToShowingProgress(IBusyIndicator& indicator, TRandomCryptoContainer& container, int index,
                                  const std::string& targetFile);
void CopyContainerShowingProgress(IBusyIndicator& indicator, const std::string& sourceFile,
                                  const TContainerKey& sourceKey, const std::string& targetFile,
                                  const std::string& tempFile, const TContainerKey& targetKey);
// Gives the container file a new key; the new file is built at the file's name with ".tmp"
// appended and replaces the old one only when complete.
void RekeyContainerShowingProgress(IBusyIndicator& indicator, const std::string& fileName, const TContainerKey& newKey,
                                   const TContainerKey& oldKey);
// False when the user cancelled meanwhile. The file is wiped to the end all the same: a file wiped
// in part would be neither kept nor gone.
bool WipeFileShowingProgress(IBusyIndicator& indicator, const std::string& fileName, std::int32_t cycles);
