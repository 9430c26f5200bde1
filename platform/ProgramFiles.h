// Where an installed program finds its files on the host. The program keeps everything beside
// itself when it can (a build folder, a copied folder); installed under a prefix, its read-only data
// lives in <prefix>/share/partwell/ and the user's settings in the user's configuration folder.
// Paths are Windows-style Shift-JIS texts, as the file services take them.
#pragma once

#include <string>

namespace platform {

// The folder share/partwell of the prefix a program in <prefix>/bin belongs to (programFolder ends
// in a separator, or is empty for the current folder).
std::string SharedDataFolder(const std::string& programFolder);

// The user's folder for this program's settings, ending in a separator: Partwell in $XDG_CONFIG_HOME
// (when that is an absolute path), else in $HOME/.config (in %APPDATA% on Windows).
// Empty when neither is known or the folder has no Shift-JIS form.
std::string UserSettingsFolder();

// True when this process (its effective user) may create files in folder; empty is the current
// folder.
bool FolderWritable(const std::string& folder);

// Makes folder and every missing folder above it. True when it exists afterwards.
bool CreateFolders(const std::string& folder);

}  // namespace platform
