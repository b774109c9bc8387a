#pragma once

#include <string>
#include <vector>

// Where a container is changed in place and where it is only read. A container that lies in a
// temporary folder (a mail program puts a dragged attachment there and deletes it minutes later;
// this program's work folder is one too), in a folder of another user or in one the user cannot
// write was received or is passing through: it is opened read only, and whoever wants to change
// it saves it in a folder of their own first.

// The system's temporary folders: /tmp, /var/tmp, $TMPDIR and Qt's temporary folder.
std::vector<std::string> SystemTemporaryFolders();

// True when the file's folder is one of the given folders or lies below one, belongs to another
// user, or cannot be written by the user.
bool IsReceivedLocation(const std::string& fileName, const std::vector<std::string>& temporaryFolders);
