#pragma once

#include "Console.h"
#include "InputFiles.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TCatalog;
class TContainer;

// What the container commands share.

// The container file a rewrite replaces: symbolic links resolved, so that the link stays and the
// file it points to gets the new contents.
std::string RewriteTarget(const std::string& fileName);

// An entry number as typed: decimal digits only.
std::optional<std::int64_t> ParseEntryNumber(const std::string& text);
// The index in the catalog's current order of the entry with that number; -1 when there is none.
int IndexOfEntry(const TCatalog& catalog, std::int64_t number);
// Every index of the catalog, ordered by entry number (the order the entries were stored in).
std::vector<int> IndicesByNumber(const TCatalog& catalog);

// A memo as a container keeps it. Rich text (a document starting "{\rtf") is kept as it is; plain
// text is stored in the container's 8-bit form.
std::string StoredMemo(const std::string& text);
// The same for the contents of a file ("File '%s' not found!" when it is missing).
std::string StoredMemoFromFile(const std::string& fileName);

// Stores the files the read-ahead hands over, with a progress line for large work (totalSize
// bytes). The container holds all of them or none: when one fails, the error is passed on.
void StoreFiles(TContainer& container, TFileReadAhead& files, std::int64_t totalSize, TConsole& console);
// Warns about the things below a folder that were not stored.
void WarnSkipped(const TInputSelection& selection, TConsole& console);
