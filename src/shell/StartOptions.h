// The command line. Options that begin with "--" are taken out first, so they never shift the
// four positional words that games and their editors pass: "TestPlay"/"BattleTest",
// "HideTitle", "Window" and a battle test's troop id.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct TScreenshotRequest {
  uint64_t Frame = 0;
  std::string File;
};

struct TStartOptions {
  std::vector<std::string> Words;  // the positional words, in order
  std::string GameFolder;          // --game; empty means: find it
  bool Headless = false;
  bool Fast = false;
  bool Help = false;
  std::optional<uint64_t> Frames;
  std::optional<uint64_t> Seed;
  std::string InputFile;
  std::vector<TScreenshotRequest> Screenshots;
  std::string SaveStateFile;

  // The positional word at Index (0-based), or "" when there are fewer words.
  const std::string& Word(size_t index) const;
  bool BattleTestMode() const { return Word(0) == "BattleTest"; }
  bool TestPlayMode() const { return BattleTestMode() || Word(0) == "TestPlay"; }
  bool ShowTitle() const { return Word(1) != "HideTitle"; }
  bool WindowMode() const { return Word(2) == "Window"; }
};

class EStartOptions : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws EStartOptions naming the option at fault.
TStartOptions ParseStartOptions(const std::vector<std::string>& arguments);

extern const char* const StartOptionsUsage;
