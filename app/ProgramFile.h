#pragma once

#include <string>

// Whether the desktop's opener would start a file rather than show it: a program, a script, an
// installer, a launcher or an archive of code, by the type its name gives or the type its
// contents give (either is enough: a received "photo.jpg" holding a program is refused too).
// Types are looked up in the desktop's shared MIME database; see ProgramFile.cpp for the list.
bool IsProgramFile(const std::string& fileName);
