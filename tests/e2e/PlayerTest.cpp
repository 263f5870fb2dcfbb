#include <gtest/gtest.h>

#include "GameFixture.h"
#include "PlayerRun.h"

namespace {

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
  TLcfDataBase database;
  database.System.TitlePicture = "Nowhere";
  const TBytes bytes = SavedBytes(database);
  root.Write("game/data/$$$.B", std::string(bytes.begin(), bytes.end()));
  // Test play skips the logos: the title's missing picture is the first thing loaded.
  const TRun run = Play(root, "--headless --fast --frames 100 --game '" + game + "' TestPlay");
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Output.find("Test Quest: Cannot open file Nowhere"), std::string::npos) << run.Output;
}

TEST(Player, AGameFolderWithoutDatabaseFailsWithTheFileName) {
  TTestFolder root;
  root.Write("game/data/$$$.i", "[TOVRAX]\r\nFullPackageFlag=1\r\n");
  const TRun run = Play(root, "--headless --fast --frames 5 --game '" + (root / "game") + "'");
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_NE(run.Output.find("Untitled: Cannot open file"), std::string::npos) << run.Output;
}
