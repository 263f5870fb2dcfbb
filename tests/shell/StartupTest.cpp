#include "shell/Startup.h"

#include <gtest/gtest.h>

#include "TestFolder.h"

namespace fs = std::filesystem;

TEST(Startup, GameTitleComesFromTheIniNamedAfterTheExecutable) {
  TTestFolder game;
  EXPECT_EQ(ReadGameTitle(game.Path().string()), "Untitled");
  game.Write("Quest.ini", "[TOVRAX]\nGameTitle=Without an executable\n");
  EXPECT_EQ(ReadGameTitle(game.Path().string()), "Untitled");
  // A game made for this player carries tessera.ini instead.
  game.Write("tessera.ini", "[TOVRAX]\nGameTitle=Native\n");
  EXPECT_EQ(ReadGameTitle(game.Path().string()), "Native");
  game.Write("QUEST.EXE", "MZ");
  EXPECT_EQ(ReadGameTitle(game.Path().string()), "Without an executable");
  // Renaming the executable renames the ini looked for.
  fs::rename(game / "QUEST.EXE", game / "Other.exe");
  EXPECT_EQ(ReadGameTitle(game.Path().string()), "Untitled");
  game.Write("other.INI", "[TOVRAX]\nFullPackageFlag=1\n");
  EXPECT_EQ(ReadGameTitle(game.Path().string()), "Untitled");
  game.Write("other.INI", "[TOVRAX]\nGameTitle=\x83\x51\x81\x5B\x83\x80\n");
  EXPECT_EQ(ReadGameTitle(game.Path().string()), "\x83\x51\x81\x5B\x83\x80");
}

TEST(Startup, TheTitleIniCannotLeadOutsideTheGameFolder) {
  TTestFolder root;
  root.Write("outside.ini", "[TOVRAX]\nGameTitle=Secret\n");
  root.Write("game/Game.exe", "MZ");
  std::filesystem::create_symlink(root / "outside.ini", root / "game/Game.ini");
  EXPECT_EQ(ReadGameTitle(root / "game"), "Untitled");
}

TEST(Startup, GameFolderIsTheOptionThenTheProgramFolderWithDataThenTheCurrentFolder) {
  TTestFolder root;
  const std::string program = root.Path() / "bin", current = root.Path() / "cwd";
  fs::create_directories(program);
  fs::create_directories(current);
  EXPECT_EQ(FindGameFolder("", program, current), current + "/");
  root.Write("bin/data/$$$.B", "");
  EXPECT_EQ(FindGameFolder("", program, current), program + "/");
  EXPECT_EQ(FindGameFolder(root.Path() / "bin/../cwd", program, current), current + "/");
}

TEST(Startup, ProgramValuesFollowTheWordsAndTheFolder) {
  TTestFolder root;
  const std::string folder = root.Path() / "Quest";
  fs::create_directories(folder);
  TStartOptions options = ParseStartOptions({"TestPlay", "HideTitle"});
  TProgramValues values = MakeProgramValues(options, folder + "/");
  EXPECT_EQ(values.GameFolderName, "Quest");
  EXPECT_TRUE(values.TestPlayMode);
  EXPECT_FALSE(values.ShowLogos);
  EXPECT_FALSE(values.ShowTitle);
  EXPECT_FALSE(values.ExeReadOnly);

  if (geteuid() != 0) {  // permissions do not bind the superuser
    fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_TRUE(MakeProgramValues(options, folder + "/").ExeReadOnly);
  }
}

TEST(Startup, MissingPackageEndsWithItsMessageAndFailure) {
  TTestFolder root;
  TScopedEnv package("TESSERA_PACKAGE", nullptr);
  TScopedEnv config("XDG_CONFIG_HOME", (root / "cfg").c_str());
  fs::create_directories(root.Path() / "game/data");
  testing::internal::CaptureStderr();
  const int code = RunTessera({"--headless", "--game", root / "game"}, "/nowhere/tessera");
  const std::string output = testing::internal::GetCapturedStderr();
  EXPECT_EQ(code, 1);
  EXPECT_NE(output.find("Kelmora Studio: RunTime Package not found. Install VSKe.exe"), std::string::npos)
      << output;
}

TEST(Startup, HelpAndBadOptions) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(RunTessera({"--help"}, "/nowhere/tessera"), 0);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("usage: tessera"), std::string::npos);
  testing::internal::CaptureStderr();
  EXPECT_EQ(RunTessera({"--bogus"}, "/nowhere/tessera"), 2);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("unknown option --bogus"), std::string::npos);
}
