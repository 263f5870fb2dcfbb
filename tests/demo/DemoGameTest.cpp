// The demo game as the build leaves it in the build folder: its files load with the player's own
// readers, every picture, song and sound they name is in the game folder, and gamekit gives each
// file back byte for byte from its dump.
#include "DemoChecks.h"
#include "MapLayers.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class DemoGameTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Game = std::make_unique<TBuiltGame>(std::filesystem::path(TESSERA_BINARY_DIR) / "demo"); }
  static inline std::unique_ptr<TBuiltGame> Game;
};

TEST_F(DemoGameTest, TheGameHasItsContent) {
  const TLcfDataBase& DataBase = Game->DataBase;
  EXPECT_EQ(DataBase.Actors.Count(), 4u);
  EXPECT_GE(DataBase.Items.Count(), 12u);
  EXPECT_GE(DataBase.Skills.Count(), 12u);
  EXPECT_EQ(DataBase.Enemies.Count(), 5u);
  EXPECT_EQ(DataBase.System.PartyMember(0), 1);
  ExpectStartOnAPassableTile(*Game);
}

TEST_F(DemoGameTest, EveryMapLoadsAndNamesOnlyMapsTroopsAndItemsThatExist) {
  for (const int32_t Id : Game->MapIds()) {
    SCOPED_TRACE("map " + std::to_string(Id));
    const TLcfMap Map = Game->LoadMap(Id);
    EXPECT_TRUE(Map.LowerLayer.HoldsAllTiles());
    EXPECT_NO_THROW(Game->DataBase.ChipSets.ItemById(Map.ChipSetId));
  }
  ExpectScriptsNameWhatExists(*Game);
}

TEST_F(DemoGameTest, EveryReferencedAssetIsInTheGameFolder) { EXPECT_GE(ExpectEveryAssetInTheFolder(*Game), 40u); }

TEST_F(DemoGameTest, GamekitGivesEveryFileBackFromItsDump) { ExpectGamekitRoundTrips(*Game); }

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
