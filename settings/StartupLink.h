#pragma once

#include <string>

// The option "start with the desktop" is an XDG autostart entry for the installed program; the
// option's value is whether the entry exists. Every operation works only for an installed copy,
// since the entry starts the installed program file.

// <ConfigHome>/autostart/Sealvane.desktop
std::string StartupLinkFile();

// True when an installed copy is recorded and the entry exists.
bool StartupLinkExists();
// Writes (or replaces) the entry for the installed program; false when not installed or when
// the entry could not be written.
bool CreateStartupLink();
// True when the entry does not exist afterwards; false when not installed.
bool RemoveStartupLink();

// The entry's text for a program path: Exec quoted and escaped as desktop entries require,
// Path the program's folder.
std::string StartupEntryText(const std::string& progPath);
