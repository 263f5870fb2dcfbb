#include "platform/UserFolders.h"

#include <gtest/gtest.h>

#include "TestFolder.h"

TEST(UserFolders, FollowTheXdgVariablesAndFallBackUnderHome) {
  TScopedEnv home("HOME", "/home/player");
  {
    TScopedEnv config("XDG_CONFIG_HOME", nullptr), data("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(ConfigFolder(), "/home/player/.config/tessera");
    EXPECT_EQ(DataFolder(), "/home/player/.local/share/tessera");
  }
  {
    TScopedEnv config("XDG_CONFIG_HOME", "/cfg"), data("XDG_DATA_HOME", "/dat");
    EXPECT_EQ(SettingsFile(), "/cfg/tessera/tessera.ini");
    EXPECT_EQ(DataFolder(), "/dat/tessera");
  }
  {
    // Relative values are not valid XDG folders.
    TScopedEnv config("XDG_CONFIG_HOME", "relative");
    EXPECT_EQ(ConfigFolder(), "/home/player/.config/tessera");
  }
}

TEST(UserFolders, ScreenshotsGoToThePicturesFolder) {
  TTestFolder folder;
  TScopedEnv home("HOME", folder.Path().c_str());
  TScopedEnv config("XDG_CONFIG_HOME", (folder / "cfg").c_str());
  {
    TScopedEnv pictures("XDG_PICTURES_DIR", "/pics");
    EXPECT_EQ(ScreenshotFolder(), "/pics/tessera");
  }
  TScopedEnv pictures("XDG_PICTURES_DIR", nullptr);
  EXPECT_EQ(ScreenshotFolder(), (folder / "Pictures/tessera"));
  folder.Write("cfg/user-dirs.dirs", "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
  EXPECT_EQ(ScreenshotFolder(), (folder / "Bilder/tessera"));
}

TEST(UserFolders, PackageSettingComesFromTheEnvironmentThenTheSettingsFile) {
  TTestFolder folder;
  TScopedEnv config("XDG_CONFIG_HOME", (folder / "cfg").c_str());
  {
    TScopedEnv package("TESSERA_PACKAGE", nullptr);
    EXPECT_EQ(PackageFolderSetting(), "");
    // Reading the setting never creates the settings folder or file.
    EXPECT_FALSE(std::filesystem::exists(folder / "cfg"));
    folder.Write("cfg/tessera/tessera.ini", "[Package]\nRuntimePackagePath=/opt/rtp\n");
    EXPECT_EQ(PackageFolderSetting(), "/opt/rtp");
  }
  TScopedEnv package("TESSERA_PACKAGE", "/from/env");
  EXPECT_EQ(PackageFolderSetting(), "/from/env");
}

TEST(UserFolders, WritableFolders) {
  TTestFolder folder;
  EXPECT_TRUE(IsFolderWritable(folder.Path().string()));
  EXPECT_FALSE(IsFolderWritable((folder / "missing")));
}
