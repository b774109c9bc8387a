#pragma once

#include <cstdint>
#include <string>

class IMessages;

// The work folder holds every decrypted or generated file. It is private: a real folder (no
// symbolic link) that belongs to the user, with mode 0700, in a parent folder that nobody else
// may change (the user's or root's, not writable by others unless sticky). Only a folder whose
// path ends with "SV_Work" is ever wiped.

// Cleans or creates the work folder: an existing one ending with "SV_Work" is wiped (files left
// from an earlier run, for example after a crash), a missing one is created with its missing
// parents (each with mode 0700). False for an empty name and for a folder that is not private
// or cannot be made so; such a folder is never wiped.
bool PrepareWorkFolder(const std::string& folder, std::int32_t wipeCycles);

// PrepareWorkFolder, showing "Error on creating temp directory '%s'!" (caption "Error") when it
// fails. The program cannot run without its work folder.
bool PrepareWorkFolderOrReport(const std::string& folder, std::int32_t wipeCycles, IMessages& messages);

// Wipes every file directly inside the folder, then deletes whatever is left below it (files in
// sub-folders are deleted, not overwritten); with removeFolder the folder goes too. Failures on
// single files are passed over. True when the folder does not exist or was cleaned; false for
// a symbolic link and for a folder whose path does not end with "SV_Work", which are left as
// they are.
bool WipeFolder(const std::string& folder, bool removeFolder, std::int32_t wipeCycles);

// Wipes one file of the work folder (WipeFile with the cycles, then deletes it). A symbolic link
// or a file with further hard links is only removed, so that nothing outside the work folder is
// ever overwritten. Raises as WipeFile does, and std::system_error when a link cannot be
// removed.
void WipeWorkFile(const std::string& fileName, std::int32_t wipeCycles);
