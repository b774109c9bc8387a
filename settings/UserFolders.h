#pragma once

#include <string>

// Where the program keeps its per-user files. Every folder name comes without a trailing "/".

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute path, else
// ~/.config.
std::string ConfigHome();

// The settings file: <ConfigHome>/Sealvane/Sealvane.conf.
std::string SettingsFolder();
std::string SettingsFileName();

// Whether the folder is private: a real folder (not a symbolic link) that belongs to the user,
// with mode 0700 (nobody else may list, enter or change it).
bool IsPrivateFolder(const std::string& folder);

// The folder of the work folder, the single-instance socket and the start lock: $XDG_RUNTIME_DIR
// when it is set and usable (an absolute path naming a private folder that the user can write),
// else <system temporary folder>/sealvane-<uid>.
std::string PrivateRuntimeFolder();

// Makes sure that the private runtime folder is the user's own before anything in it is used: a
// missing one is created with mode 0700. False when it is not private afterwards (another user
// made it first, it is a symbolic link or open to others); such a folder is left as it is.
bool PreparePrivateRuntimeFolder();

// The name of the work folder and its default path: <PrivateRuntimeFolder>/SV_Work.
inline constexpr const char* WorkFolderName = "SV_Work";
std::string DefaultWorkFolder();

// The default folder of the copies handed to the mail program: ~/Sealvane/Sent. A mail program
// in a sandbox (snap, Flatpak) reads the attachment itself, often after this program ended, and
// may read only non-hidden files under the home folder: the private runtime folder is out of its
// reach. A fixed name under the home folder is chosen over the documents folder of the XDG user
// folders, which may be unset, point at the home folder itself, or carry a localised name that
// changes with the language.
std::string DefaultSentCopiesFolder();
