#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "GameFixture.h"

namespace {

struct TRun {
  int ExitCode = -1;
  std::string Output;  // stdout and stderr together
};

// Runs the player with Arguments (each quoted) and an isolated user configuration.
TRun Play(const TTestFolder& home, const std::string& arguments) {
  const std::string command = "env -u TESSERA_PACKAGE XDG_CONFIG_HOME='" + (home / "cfg") +
                              "' XDG_DATA_HOME='" + (home / "share") + "' '" TESSERA_BINARY_DIR
                              "/tessera' " + arguments + " 2>&1";
  TRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer;
  while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe)) run.Output.append(buffer.data(), n);
  const int status = pclose(pipe);
  run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string MakeGame(const TTestFolder& root) { return WriteMinimalGame(root); }

}  // namespace

TEST(Player, RunsTheGivenNumberOfFramesHeadlessAndEndsCleanly) {
  TTestFolder root;
  const std::string game = MakeGame(root);
  const TRun run = Play(root, "--headless --fast --frames 5 --game '" + game + "'");
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
}

TEST(Player, WithoutPackageOrFullPackageFlagItStopsWithTheMessage) {
  TTestFolder root;
  root.Write("game/data/readme.txt", "");
  const TRun run = Play(root, "--headless --frames 5 --game '" + (root / "game") + "'");
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Output.find("Kelmora Studio: RunTime Package not found. Install VSKe.exe"), std::string::npos)
      << run.Output;
}

TEST(Player, APackageFromTheSettingsFileIsEnough) {
  TTestFolder root;
  WriteMinimalGame(root);
  std::filesystem::remove(root / "game/data/$$$.i");
  root.Write("cfg/tessera/tessera.ini", "[Package]\nRuntimePackagePath=" + (root / "package") + "\n");
  const TRun run = Play(root, "--headless --fast --frames 2 --game '" + (root / "game") + "'");
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
}

TEST(Player, ScreenshotsAreWrittenAfterTheirFrameAndAreTheSameOnEveryRun) {
  TTestFolder root;
  const std::string game = MakeGame(root);
  const std::string arguments = "--headless --fast --seed 7 --frames 12 --game '" + game + "'";
  ASSERT_EQ(Play(root, arguments + " --screenshot '10:" + (root / "a.png") + "'").ExitCode, 0);
  ASSERT_EQ(Play(root, arguments + " --screenshot '10:" + (root / "b.png") + "'").ExitCode, 0);
  const std::string a = ReadFile(root / "a.png"), b = ReadFile(root / "b.png");
  ASSERT_GT(a.size(), 24u);
  EXPECT_EQ(a.substr(1, 3), "PNG");
  // Width and height of the IHDR chunk: 320 x 240.
  EXPECT_EQ(a.substr(16, 8), std::string("\0\0\x01\x40\0\0\0\xF0", 8));
  EXPECT_EQ(a, b);
}

TEST(Player, AMalformedInputFileIsNamedWithItsLine) {
  TTestFolder root;
  const std::string game = MakeGame(root);
  const std::string input = root.Write("keys.txt", "10 decision down\n12 jump down\n");
  const TRun run = Play(root, "--headless --fast --frames 5 --input '" + input + "' --game '" + game + "'");
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_NE(run.Output.find("keys.txt:2: unknown key \"jump\""), std::string::npos) << run.Output;
}

TEST(Player, AnEscapedErrorIsShownWithTheGameTitleAndFails) {
  TTestFolder root;
  const std::string game = MakeGame(root);
  root.Write("game/Game.exe", "MZ");
  root.Write("game/GAME.INI", "[TOVRAX]\nGameTitle=Test Quest\n");
  // Without a title scene the game cannot go past its reset.
  const TRun run = Play(root, "--headless --fast --frames 100 --game '" + game + "'");
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Output.find("Test Quest: "), std::string::npos) << run.Output;
}

TEST(Player, AGameFolderWithoutDatabaseFailsWithTheFileName) {
  TTestFolder root;
  root.Write("game/data/$$$.i", "[TOVRAX]\r\nFullPackageFlag=1\r\n");
  const TRun run = Play(root, "--headless --fast --frames 5 --game '" + (root / "game") + "'");
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Output.find("Untitled: Cannot open file"), std::string::npos) << run.Output;
}
