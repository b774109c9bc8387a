#pragma once

#include <cstdint>
#include <string>

// The copies of containers handed to the mail program. The mail program reads its attachment
// while its compose window or a saved draft holds it, which may be long after this program
// ended, and a mail program in a sandbox cannot read this program's private runtime folder: the
// copies are kept in a folder of the user's (TSettings::SentCopiesFolder) until they are older
// than the settings allow. Only enciphered containers are put there.

// Makes the folder ready for a new copy: each missing folder of the path is created with mode
// 0700 (the mail program runs as the user; nobody else needs to look in). Raises
// std::runtime_error with "Error on creating the folder of sent containers '%s'!" when the path
// is not absolute or names no folder afterwards.
void PrepareSentCopiesFolder(const std::string& folder);

// Wipes the copies in the folder and in its numbered sub-folders (where a copy goes whose name
// was taken, see UnusedPath) that were last written more than the given number of days ago; a
// numbered sub-folder left empty goes too. A copy is a regular file of the user (no link) named
// "*.xvt" or "*.bwk", as the containers handed over are named; anything else is left, and so is
// every copy when days is 0 or less. A copy that cannot be wiped is passed over until next time.
void RemoveOldSentCopies(const std::string& folder, std::int32_t days, std::int32_t wipeCycles);
