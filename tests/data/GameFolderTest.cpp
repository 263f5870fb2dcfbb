// Asset lookup in a game folder and a package folder built on disk for each test.
#include "data/GameFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class GameFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Base = fs::temp_directory_path() / ("tessera-gamefolder-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Base);
    Game = Base / "game";
    Package = Base / "package";
    fs::create_directories(Game / "Data");
    fs::create_directories(Package / "data");
  }
  void TearDown() override { fs::remove_all(Base); }

  static void Touch(const fs::path& P, std::string_view Content = "x") {
    fs::create_directories(P.parent_path());
    std::ofstream(P, std::ios::binary) << Content;
  }
  std::string Found(const TGameFolder& G, std::string_view Name, std::string_view Folder, EAssetList L) {
    const auto R = G.FindAsset(Name, Folder, L);
    return R ? fs::relative(*R, Base).string() : "(none)";
  }

  fs::path Base, Game, Package;
};

TEST_F(GameFolderTest, ExtensionOrderAndGameBeforePackage) {
  Touch(Game / "Data" / "hero.png");
  Touch(Game / "Data" / "hero.xyz");
  Touch(Game / "Data" / "tune.wav");
  Touch(Package / "data" / "tune.mid");
  Touch(Package / "data" / "castle.xyz");
  TGameFolder G(Game.string(), Package.string());
  EXPECT_EQ(Found(G, "hero", "data", EAssetList::Image), "game/Data/hero.png");
  // The game folder is searched with every extension before the package.
  EXPECT_EQ(Found(G, "tune", "data", EAssetList::Music), "game/Data/tune.wav");
  EXPECT_EQ(Found(G, "castle", "data", EAssetList::Image), "package/data/castle.xyz");
  EXPECT_EQ(Found(G, "nothing", "data", EAssetList::Image), "(none)");
  EXPECT_EQ(Found(G, "", "data", EAssetList::Image), "(none)");
  Touch(Game / "Data" / "hero.bmp");
  EXPECT_EQ(Found(G, "hero", "data", EAssetList::Image), "game/Data/hero.bmp");  // the index refreshes
}

TEST_F(GameFolderTest, NamesMatchWithoutRegardToCaseAndBackslashSeparates) {
  Touch(Game / "Picture" / "Sub" / "Sunset.PNG");
  Touch(Game / "Battle" / "slash.png");
  Touch(Game / "Battle" / "Slash.png");
  TGameFolder G(Game.string());
  EXPECT_EQ(Found(G, "sub\\SUNSET", "picture", EAssetList::Image), "game/Picture/Sub/Sunset.PNG");
  // Two spellings on disk: the exact one wins.
  EXPECT_EQ(Found(G, "Slash", "Battle", EAssetList::Image), "game/Battle/Slash.png");
  EXPECT_EQ(Found(G, "slash", "Battle", EAssetList::Image), "game/Battle/slash.png");
  // A folder of that name is no file.
  fs::create_directories(Game / "Data" / "dir.png");
  EXPECT_EQ(Found(G, "dir", "data", EAssetList::Image), "(none)");
}

TEST_F(GameFolderTest, CodePageNamesFindUtf8Files) {
  // "勇者" in CP932 is 97 45 8E D2; the file on disk carries the UTF-8 spelling.
  Touch(Game / "Data" / "\xE5\x8B\x87\xE8\x80\x85.png");
  TGameFolder G(Game.string());
  EXPECT_EQ(Found(G, "\x97\x45\x8E\xD2", "data", EAssetList::Image), "game/Data/\xE5\x8B\x87\xE8\x80\x85.png");
  // "ソ" (83 5C) ends in the byte of "\": it is not a separator.
  Touch(Game / "Data" / "\x83\x5C.png");
  EXPECT_EQ(Found(G, "\x83\x5C", "data", EAssetList::Image), "game/Data/\x83\x5C.png");
}

TEST_F(GameFolderTest, NothingResolvesOutsideTheFolders) {
  Touch(Base / "secret.png");
  Touch(Game / "Data" / "inside.png");
  fs::create_symlink(Base / "secret.png", Game / "Data" / "link.png");
  fs::create_symlink(Game / "Data" / "inside.png", Game / "Data" / "alias.png");
  fs::create_symlink(Base, Game / "Data" / "up");
  TGameFolder G(Game.string());
  const std::string Escapes[] = {"..\\..\\secret", "../../secret", "link", "up\\secret",
                                 (Base / "secret").string(), "\\secret", "C:\\secret"};
  for (const std::string& Name : Escapes) EXPECT_EQ(Found(G, Name, "data", EAssetList::Image), "(none)") << Name;
  // A symlink that stays inside is fine (Found shows the real path).
  EXPECT_EQ(Found(G, "alias", "data", EAssetList::Image), "game/Data/inside.png");
}

TEST_F(GameFolderTest, WithoutPackageTheCurrentFolderIsNeverSearched) {
  Touch(Base / "data" / "stray.png");
  const fs::path Saved = fs::current_path();
  fs::current_path(Base);
  TGameFolder G(Game.string());
  const auto R = G.FindAsset("stray", "data", EAssetList::Image);
  fs::current_path(Saved);
  EXPECT_FALSE(R.has_value());
}

TEST_F(GameFolderTest, FullPackageFlag) {
  const struct {
    const char* Ini;
    bool Full;
  } Cases[] = {
      {nullptr, false},
      {"[TOVRAX]\r\nFullPackageFlag=1\r\n", true},
      {"[tovrax]\nfullpackageflag=0\n", false},
      {"[TOVRAX]\nFullPackageFlag=2\n", true},
      {"[TOVRAX]\nFullPackageFlag=yes\n", false},
      {"[Other]\nFullPackageFlag=1\n", false},
  };
  for (const auto& C : Cases) {
    fs::remove(Game / "Data" / "$$$.i");
    if (C.Ini) Touch(Game / "Data" / "$$$.i", C.Ini);
    EXPECT_EQ(TGameFolder(Game.string()).IsFullPackage(), C.Full) << (C.Ini ? C.Ini : "no file");
  }
}

TEST_F(GameFolderTest, RiffFilesAndDelimiters) {
  Touch(Base / "wave.wav", "RIFF\x10\0\0\0WAVE");
  Touch(Base / "short.wav", "RIF");
  Touch(Base / "midi.mid", "MThd");
  EXPECT_TRUE(IsRiffFile((Base / "wave.wav").string()));
  EXPECT_FALSE(IsRiffFile((Base / "short.wav").string()));
  EXPECT_FALSE(IsRiffFile((Base / "midi.mid").string()));
  EXPECT_FALSE(IsRiffFile((Base / "missing.wav").string()));
  EXPECT_EQ(IncludeTrailingDelimiter("/opt/pkg"), "/opt/pkg/");
  EXPECT_EQ(IncludeTrailingDelimiter("/opt/pkg/"), "/opt/pkg/");
  // A package path given without its delimiter still forms correct paths.
  Touch(Package / "data" / "bell.wav");
  TGameFolder G(Game.string(), Package.string());
  EXPECT_EQ(Found(G, "bell", "data", EAssetList::Sound), "package/data/bell.wav");
}

}  // namespace
