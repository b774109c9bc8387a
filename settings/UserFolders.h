#pragma once

#include <string>

// Where the program keeps its per-user files. Every folder name comes without a trailing "/".

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute path, else
// ~/.config.
std::string ConfigHome();

// The settings file: <ConfigHome>/Sealvane/Sealvane.conf.
std::string SettingsFolder();
std::string SettingsFileName();

// The folder below which the work folder lies: $XDG_RUNTIME_DIR when it is set and usable (an
// absolute path naming a real folder that belongs to the user, that the user can write, and
// that nobody else can write), else <system temporary folder>/sealvane-<uid>.
std::string PrivateRuntimeFolder();

// The name of the work folder and its default path: <PrivateRuntimeFolder>/SV_Work.
inline constexpr const char* WorkFolderName = "SV_Work";
std::string DefaultWorkFolder();
