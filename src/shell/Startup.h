// The program entry: finds the game folder, checks the resource package and the audio library,
// reads the game title, builds the main window and runs it. Everything a test needs to start
// the player in-process without a person at the keyboard.
#pragma once

#include <string>
#include <vector>

#include "shell/Game.h"
#include "shell/StartOptions.h"

// The caption of the messages shown before a game is running.
extern const char* const StartupCaption;
extern const char* const PackageNotFoundMessage;
extern const char* const AudioLibraryNotFoundMessage;

// --game DIR, else the program's folder when it holds data/$$$.B, else the current folder;
// absolute, with a trailing '/'.
std::string FindGameFolder(const std::string& option, const std::string& programFolder,
                           const std::string& currentFolder);

// "GameTitle" of section "TOVRAX" in the ini named after the game's Windows executable (the
// .exe in the game folder, its name matched without regard to letter case), or "tessera.ini"
// in a game folder without executable; "Untitled" when there is no such ini or key.
std::string ReadGameTitle(const std::string& gameFolder);

// The process-wide values of a run, from its options and game folder.
TProgramValues MakeProgramValues(const TStartOptions& options, const std::string& gameFolder);

// Runs the whole program; returns the process exit code.
int RunTessera(const std::vector<std::string>& arguments, const std::string& programPath);
