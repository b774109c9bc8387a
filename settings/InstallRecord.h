#pragma once

#include <string>

// The installation record: a read-only file that the package writes when it installs the
// program, holding a line "ProgPath=/absolute/path/of/the/program". It lives at
// /etc/sealvane/install.conf; the environment variable SEALVANE_INSTALL_RECORD names another
// file instead.
std::string InstallRecordFile();

// Whether an installed copy is recorded: the record names, by an absolute path, an existing file
// (not a folder). A true answer is kept for the rest of the process (a removal of the
// installation is not noticed); a false answer is not kept, so an installation made while the
// program runs is noticed at the next call.
bool IsInstalled();
// The same, giving the installed program path (empty when the answer is false).
bool IsInstalled(std::string& progPath);

// Forgets a kept answer, so that the next call reads the record again (for tests).
void ResetInstalledCache();
