#pragma once

#include <string>

// Where a file may be written into a folder of ours without replacing anything: folder/name when
// nothing has that name there, else folder/N/name for the first N (1, 2, ...) under which the
// name is free, the sub-folder created as needed. Files of the same name that are still in use
// (an attachment opened for viewing, a copy the mail program has yet to read) so stay apart.
std::string UnusedPath(const std::string& folder, const std::string& name);
