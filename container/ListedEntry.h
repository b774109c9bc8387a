#pragma once

#include "FileInfo.h"

// Whether the entry header stored in the entry area is the entry the catalog lists, in every
// field that decides what is written and what the list shows: size, base folder, relative folder,
// file name, modification time and time added, compared as stored (names in the internal form,
// times as the stored seconds). Names are compared as they settle through the stored text coding
// (SettledStoredText): a catalog written again may read a name differently from a header written
// once. Not compared: the position (the catalog's is where the header was found), the duplicate
// number (a writer may raise an earlier entry's number in the catalog when a file of the same name
// is added later), the attributes and the reserved text (never used to write a file), and the
// header length.
bool IsListedEntry(const TFileInfo& header, const TFileInfo& listed);
