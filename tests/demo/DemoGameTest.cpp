// The demo game as the build leaves it in the build folder: its files load with the player's own
// readers, every picture, song and sound they name is in the game folder, and gamekit gives each
// file back byte for byte from its dump.
#include "GameJson.h"
#include "MapLayers.h"
#include "data/GameFolder.h"
#include "database/LD_DataBase.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

const std::filesystem::path DemoFolder = std::filesystem::path(TESSERA_BINARY_DIR) / "demo";

TBytes ReadGameFile(const std::string& Name) {
  std::ifstream In(DemoFolder / "data" / Name, std::ios::binary);
  return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

std::string MapFileName(int32_t Id) {
  char Name[16];
  std::snprintf(Name, sizeof Name, "%04d.M", Id);
  return Name;
}

// A name the game data uses for an asset, and where the player looks it up.
struct TAssetRef {
  std::string Name, Folder;
  EAssetList List;
  std::string Where;
};

class DemoGameTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const TBytes Data = ReadGameFile("$$$.B");
    TByteReader In(Data);
    DataBase.LoadFromStream(In);
    const TBytes TreeData = ReadGameFile("$$$.F");
    TByteReader TreeIn(TreeData);
    Tree.LoadFromStream(TreeIn);
  }

  // The maps of the tree, areas and the root left out.
  static std::vector<int32_t> MapIds() {
    std::vector<int32_t> Ids;
    for (size_t I = 0; I < Tree.Count(); ++I)
      if (Tree.Items(I)->Id != 0 && Tree.Items(I)->ItemType != 2) Ids.push_back(Tree.Items(I)->Id);
    return Ids;
  }

  static TLcfMap LoadMap(int32_t Id) {
    TLcfMap Map;
    Map.LoadFromBytes(ReadGameFile(MapFileName(Id)));
    return Map;
  }

  static inline TLcfDataBase DataBase;
  static inline TLcfMapTree Tree;
};

void AddMusic(std::vector<TAssetRef>& Refs, const TLcfMusic& M, const std::string& Where) {
  if (M.Name != "(OFF)") Refs.push_back({M.Name, "data", EAssetList::Music, Where});
}
void AddSound(std::vector<TAssetRef>& Refs, const TLcfSound& S, const std::string& Folder, const std::string& Where) {
  if (S.Name != "(OFF)") Refs.push_back({S.Name, Folder, EAssetList::Sound, Where});
}

// The assets that script lines name in their text, by command code.
void AddScriptAssets(std::vector<TAssetRef>& Refs, const TLcfEventScriptList& Script, const std::string& Where) {
  for (const TLcfEventScriptLine& Line : Script.Items) {
    if (Line.Text.empty()) continue;
    switch (Line.Code) {
      case 10130:  // face
      case 10630:  // actor sprite
        Refs.push_back({Line.Text, "data", EAssetList::Image, Where});
        break;
      case 10660:  // system music
      case 11510:  // play music
        Refs.push_back({Line.Text, "data", EAssetList::Music, Where});
        break;
      case 11550:  // play sound
        if (Line.Text != "(OFF)") Refs.push_back({Line.Text, "data", EAssetList::Sound, Where});
        break;
      case 13210:  // battle backdrop
        Refs.push_back({Line.Text, "Backdrop", EAssetList::Image, Where});
        break;
      default:
        break;
    }
  }
}

TEST_F(DemoGameTest, TheGameHasItsContent) {
  EXPECT_EQ(DataBase.Actors.Count(), 4u);
  EXPECT_GE(DataBase.Items.Count(), 12u);
  EXPECT_GE(DataBase.Skills.Count(), 12u);
  EXPECT_EQ(DataBase.Enemies.Count(), 5u);
  EXPECT_EQ(DataBase.System.PartyMember(0), 1);
  const TLcfMapStartPosition& Start = Tree.StartingPoint;
  ASSERT_NE(Start.Party.MapId, 0);
  const TLcfMap Town = LoadMap(Start.Party.MapId);
  EXPECT_TRUE(Start.Party.X >= 0 && Start.Party.X < Town.Width && Start.Party.Y >= 0 && Start.Party.Y < Town.Height);
  const TLcfChipSetItem& ChipSet = DataBase.ChipSets.ItemById(Town.ChipSetId);
  EXPECT_NE(ChipSet.LowerFlagsOf(Town.LowerLayer.TileAt(Start.Party.X, Start.Party.Y)) & 0x0F, 0)
      << "the party starts on a tile it can leave";
}

TEST_F(DemoGameTest, EveryMapLoadsAndNamesOnlyMapsTroopsAndItemsThatExist) {
  for (const int32_t Id : MapIds()) {
    SCOPED_TRACE("map " + std::to_string(Id));
    const TLcfMap Map = LoadMap(Id);
    EXPECT_TRUE(Map.LowerLayer.HoldsAllTiles());
    EXPECT_NO_THROW(DataBase.ChipSets.ItemById(Map.ChipSetId));
    for (size_t E = 0; E < Map.Events.Count(); ++E)
      for (size_t P = 0; P < Map.Events.Items(E)->Pages.Count(); ++P)
        for (const TLcfEventScriptLine& Line : Map.Events.Items(E)->Pages.Items(P)->Script.Items) {
          if (Line.Code == 10810) {
            ASSERT_GE(Line.Params.size(), 3u);
            const TLcfMap Target = LoadMap(Tree.ItemById(Line.Params[0]).Id);
            EXPECT_LT(Line.Params[1], Target.Width);
            EXPECT_LT(Line.Params[2], Target.Height);
          }
          if (Line.Code == 10710) {
            EXPECT_NO_THROW(DataBase.Troops.ItemById(Line.Params.at(1)));
          }
          if (Line.Code == 10320) {
            EXPECT_NO_THROW(DataBase.Items.ItemById(Line.Params.at(2)));
          }
          if (Line.Code == 10720) {
            for (size_t G = 4; G < Line.Params.size(); ++G) EXPECT_NO_THROW(DataBase.Items.ItemById(Line.Params[G]));
          }
        }
  }
}

TEST_F(DemoGameTest, EveryReferencedAssetIsInTheGameFolder) {
  std::vector<TAssetRef> Refs;
  const TLcfSystem& System = DataBase.System;
  Refs.push_back({System.TitlePicture, "data", EAssetList::Image, "title picture"});
  Refs.push_back({System.GameOverPicture, "data", EAssetList::Image, "game-over picture"});
  Refs.push_back({System.SystemGraphic, "data", EAssetList::Image, "system graphic"});
  for (const TLcfMusic& M : System.Musics) AddMusic(Refs, M, "system music");
  for (const TLcfSound& S : System.Sounds) AddSound(Refs, S, "data", "system sound");
  if (!System.TestBackdrop.empty()) Refs.push_back({System.TestBackdrop, "Backdrop", EAssetList::Image, "test backdrop"});
  for (size_t I = 0; I < DataBase.Actors.Count(); ++I) {
    const TLcfPlayerItem& A = *DataBase.Actors.Items(I);
    Refs.push_back({A.CharSetName, "data", EAssetList::Image, "actor " + A.Name});
    Refs.push_back({A.FaceName, "data", EAssetList::Image, "actor " + A.Name});
  }
  for (size_t I = 0; I < DataBase.Skills.Count(); ++I) AddSound(Refs, DataBase.Skills.Items(I)->Sound, "data", "skill");
  for (size_t I = 0; I < DataBase.Enemies.Count(); ++I)
    Refs.push_back({DataBase.Enemies.Items(I)->GraphicName, "Monster", EAssetList::Image, "enemy"});
  for (size_t I = 0; I < DataBase.Terrains.Count(); ++I)
    if (!DataBase.Terrains.Items(I)->Backdrop.empty())
      Refs.push_back({DataBase.Terrains.Items(I)->Backdrop, "Backdrop", EAssetList::Image, "terrain"});
  for (size_t I = 0; I < DataBase.Animations.Count(); ++I) {
    const TLcfAnimationItem& A = *DataBase.Animations.Items(I);
    Refs.push_back({A.GraphicName, "Battle", EAssetList::Image, "animation " + A.Name});
    for (size_t T = 0; T < A.Timings.Count(); ++T) AddSound(Refs, A.Timings.Items(T)->Sound, "Sound", "animation " + A.Name);
  }
  for (size_t I = 0; I < DataBase.ChipSets.Count(); ++I)
    Refs.push_back({DataBase.ChipSets.Items(I)->GraphicName, "data", EAssetList::Image, "chipset"});
  for (size_t I = 0; I < DataBase.CommonEvents.Count(); ++I)
    AddScriptAssets(Refs, DataBase.CommonEvents.Items(I)->Script, "common event");
  for (size_t I = 0; I < DataBase.Troops.Count(); ++I)
    for (size_t P = 0; P < DataBase.Troops.Items(I)->Pages.Count(); ++P)
      AddScriptAssets(Refs, DataBase.Troops.Items(I)->Pages.Items(P)->Script, "troop");
  for (size_t I = 0; I < Tree.Count(); ++I) {
    AddMusic(Refs, Tree.Items(I)->Music, "map tree");
    if (!Tree.Items(I)->Backdrop.empty()) Refs.push_back({Tree.Items(I)->Backdrop, "Backdrop", EAssetList::Image, "map tree"});
  }
  for (const int32_t Id : MapIds()) {
    const TLcfMap Map = LoadMap(Id);
    const std::string Where = "map " + std::to_string(Id);
    if (!Map.PanoramaName.empty()) Refs.push_back({Map.PanoramaName, "Panorama", EAssetList::Image, Where});
    for (size_t E = 0; E < Map.Events.Count(); ++E)
      for (size_t P = 0; P < Map.Events.Items(E)->Pages.Count(); ++P) {
        const TLcfEventPageItem& Page = *Map.Events.Items(E)->Pages.Items(P);
        if (!Page.CharSetName.empty()) Refs.push_back({Page.CharSetName, "data", EAssetList::Image, Where});
        AddScriptAssets(Refs, Page.Script, Where + " event " + Map.Events.Items(E)->Name);
      }
  }
  const TGameFolder Game(DemoFolder.string());
  std::set<std::string> Checked;
  for (const TAssetRef& Ref : Refs) {
    ASSERT_FALSE(Ref.Name.empty()) << Ref.Where;
    EXPECT_TRUE(Game.FindAsset(Ref.Name, Ref.Folder, Ref.List)) << Ref.Folder << "/" << Ref.Name << " of " << Ref.Where;
    Checked.insert(Ref.Folder + "/" + Ref.Name);
  }
  EXPECT_GE(Checked.size(), 40u);
}

TEST_F(DemoGameTest, GamekitGivesEveryFileBackFromItsDump) {
  std::vector<std::string> Files = {"$$$.B", "$$$.F"};
  for (const int32_t Id : MapIds()) Files.push_back(MapFileName(Id));
  for (const std::string& Name : Files) {
    SCOPED_TRACE(Name);
    const TBytes Original = ReadGameFile(Name);
    ASSERT_FALSE(Original.empty());
    const TJson Dump = DumpFile(Original);
    EXPECT_EQ(BuildFile(Dump), Original);
    EXPECT_EQ(Dump.dump().find("$raw"), std::string::npos) << "every field of the demo shows readably";
  }
}

// The auto-tile shapes the map sources get from their neighbours (N, NE, E, SE, S, SW, W, NW).
TEST(DemoMapLayersTest, AutoTileShapeFollowsTheNeighbours) {
  struct TCase {
    TNeighbours Joined;
    int32_t Shape;
  };
  const bool o = false, X = true;
  const TCase Cases[] = {
      {{X, X, X, X, X, X, X, X}, 0},   // inside
      {{X, X, X, X, X, X, X, o}, 1},   // inner corner top-left
      {{X, X, X, o, X, X, X, X}, 4},   // inner corner bottom-right
      {{X, o, X, o, X, o, X, o}, 15},  // every inner corner
      {{X, X, X, X, X, X, o, X}, 16},  // open to the west
      {{o, X, X, X, X, X, X, X}, 20},  // open to the north
      {{o, X, X, o, X, o, X, X}, 23},  // north, with both lower inner corners
      {{X, X, o, X, X, X, X, X}, 24},  // east
      {{X, X, X, X, o, X, X, X}, 28},  // south
      {{X, X, o, X, X, X, o, X}, 32},  // east and west
      {{o, X, X, X, o, X, X, X}, 33},  // north and south
      {{o, X, X, X, X, X, o, X}, 34},  // top-left corner
      {{o, X, o, X, X, o, X, X}, 37},  // top-right corner with the inner corner below left
      {{X, X, o, X, o, X, X, X}, 38},  // bottom-right corner
      {{X, X, X, X, o, X, o, X}, 40},  // bottom-left corner
      {{o, X, o, X, X, X, o, X}, 42},  // open north, east and west
      {{o, X, X, X, o, X, o, X}, 43},
      {{X, X, o, X, o, X, o, X}, 44},
      {{o, X, o, X, o, X, X, X}, 45},
      {{o, o, o, o, o, o, o, o}, 46},  // alone
  };
  for (const TCase& C : Cases) EXPECT_EQ(AutoTileShape(C.Joined), C.Shape);
}

TEST(DemoMapLayersTest, LayersDrawnAsTextBecomeTileIds) {
  const nlohmann::ordered_json Layers = nlohmann::ordered_json::parse(R"({
    "Lower": {"Legend": {"g": 5000, "~": "water 0", "p": "terrain 1"}, "Rows": ["g~~", "gpg"]},
    "Upper": {"Legend": {".": 10000, "T": 10001}, "Rows": ["T..", "..."]}})");
  const auto [Lower, Upper] = DrawLayers(Layers, 3, 2);
  // Outside the map joins: the first water is open to the south and west (40), the second to
  // the south (28); the path is open everywhere but the south (42).
  EXPECT_EQ(Lower, nlohmann::ordered_json({5000, 40, 28, 5000, 4000 + 50 + 42, 5000}));
  EXPECT_EQ(Upper, nlohmann::ordered_json({10001, 10000, 10000, 10000, 10000, 10000}));
  EXPECT_THROW(DrawLayers(Layers, 4, 2), std::runtime_error);
}

}  // namespace
