// Where the player keeps what belongs to the user rather than to a game: settings, the saves of
// games installed read-only, and screenshots. Follows the XDG base-directory rules. Nothing here
// creates a folder: callers create one only when they really write into it.
#pragma once

#include <optional>
#include <string>

// $XDG_CONFIG_HOME/tessera, else ~/.config/tessera.
std::string ConfigFolder();

// $XDG_DATA_HOME/tessera, else ~/.local/share/tessera.
std::string DataFolder();

// $XDG_PICTURES_DIR/tessera (from the environment or user-dirs.dirs), else ~/Pictures/tessera.
std::string ScreenshotFolder();

// The settings file: ConfigFolder()/tessera.ini.
std::string SettingsFile();

// The folder of the shared resource package: the environment variable TESSERA_PACKAGE, else the
// key RuntimePackagePath of section [Package] in the settings file; empty when neither is set.
// Reading never creates the settings file or its folder.
std::string PackageFolderSetting();

// Whether the current user may create files in Folder.
bool IsFolderWritable(const std::string& Folder);
