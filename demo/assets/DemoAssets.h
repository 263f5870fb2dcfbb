// The whole list of the demo game's asset files and where they go in the game folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct TDemoFile {
  std::string Path;              // relative to the game folder, with '/' separators
  std::vector<uint8_t> Bytes;
};

// Makes every asset in memory, in a fixed order. The same program always makes the same bytes.
std::vector<TDemoFile> MakeDemoAssets();

// Writes every asset below GameFolder (folders created as needed), together with the
// package flag file "data/$$$.i" that tells the player the game carries all its assets.
void WriteDemoAssets(const std::filesystem::path& GameFolder);
