// `gamekit new-game DIR`: the smallest game folder the player runs: a database with one actor
// and the starting party, a map tree with the root and one map, that map, and the ini files.
#pragma once

#include <string>

struct TNewGameOptions {
  std::string Title = "New Game";
};

// Writes the game into Folder (created when missing); EFileError when a file cannot be written.
void WriteNewGame(const std::string& Folder, const TNewGameOptions& Options = {});
