// The small game folders of demo/tests as the build leaves them in demo-tests/: each loads with
// the player's own readers, plays on its own (every asset it names is in its own folder, it says
// it needs no package), lands its teleports inside their maps, round-trips through gamekit, and
// holds the commands of the one feature it is there to show.
#include "DemoChecks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <sstream>
#include <string>

namespace {

const std::filesystem::path TestGamesRoot = std::filesystem::path(TESSERA_BINARY_DIR) / "demo-tests";

// A test game and the script commands that show its feature.
struct TTestGame {
  const char* Name;
  std::set<int32_t> Commands;
};

const TTestGame TestGames[] = {
    {"message", {10130, 10110, 10140, 20140, 10150}},
    {"teleport", {10690, 10810, 11010, 11020}},
    {"shop", {10310, 10720, 20720, 20721}},
    {"inn", {10460, 10730, 20730, 20731}},
    {"battle", {10710, 20710, 13260, 13310, 13110}},
    {"encounter", {}},
    {"switches", {10210, 10220, 11410}},
    {"save", {11910}},
};

void PrintTo(const TTestGame& Game, std::ostream* Out) { *Out << Game.Name; }

std::string ReadText(const std::filesystem::path& Path) {
  std::ifstream In(Path, std::ios::binary);
  std::ostringstream Text;
  Text << In.rdbuf();
  return Text.str();
}

class DemoTestGamesTest : public ::testing::TestWithParam<TTestGame> {
 protected:
  // Games load once for the whole suite, as each parameter's tests reuse them.
  static const TBuiltGame& Game(const std::string& Name) {
    static std::map<std::string, std::unique_ptr<TBuiltGame>> Loaded;
    auto& Slot = Loaded[Name];
    if (!Slot) Slot = std::make_unique<TBuiltGame>(TestGamesRoot / Name);
    return *Slot;
  }
  const TBuiltGame& ThisGame() const { return Game(GetParam().Name); }
};

TEST_P(DemoTestGamesTest, LoadsWithSmallMapsAndAStartThePartyCanLeave) {
  const TBuiltGame& G = ThisGame();
  const std::vector<int32_t> Maps = G.MapIds();
  ASSERT_TRUE(Maps.size() == 1 || Maps.size() == 2);
  for (const int32_t Id : Maps) {
    SCOPED_TRACE("map " + std::to_string(Id));
    const TLcfMap Map = G.LoadMap(Id);
    EXPECT_EQ(Map.Width, 20);
    EXPECT_EQ(Map.Height, 15);
    EXPECT_TRUE(Map.LowerLayer.HoldsAllTiles());
    EXPECT_NO_THROW(G.DataBase.ChipSets.ItemById(Map.ChipSetId));
  }
  ExpectStartOnAPassableTile(G);
}

TEST_P(DemoTestGamesTest, TeleportsLandInsideTheirMapsAndScriptsNameWhatExists) { ExpectScriptsNameWhatExists(ThisGame()); }

TEST_P(DemoTestGamesTest, EveryAssetItNamesIsInItsOwnFolder) {
  EXPECT_GE(ExpectEveryAssetInTheFolder(ThisGame()), 30u);
  EXPECT_TRUE(TGameFolder(ThisGame().Folder.string()).IsFullPackage());
}

TEST_P(DemoTestGamesTest, NamesItsFeatureInTheWindowTitle) {
  const std::string Ini = ReadText(ThisGame().Folder / "tessera.ini");
  EXPECT_EQ(Ini.rfind("[TOVRAX]\r\nGameTitle=Tessera test: ", 0), 0u) << Ini;
}

TEST_P(DemoTestGamesTest, GamekitGivesEveryFileBackFromItsDump) { ExpectGamekitRoundTrips(ThisGame()); }

TEST_P(DemoTestGamesTest, HoldsTheCommandsOfItsFeature) {
  std::set<int32_t> Used;
  ForEachScript(ThisGame(), [&](const TLcfEventScriptList& Script, const std::string&) {
    for (const TLcfEventScriptLine& Line : Script.Items) Used.insert(Line.Code);
  });
  for (const int32_t Code : GetParam().Commands) EXPECT_TRUE(Used.count(Code)) << "command " << Code;
}

// An automatic start runs again as soon as it ends, so each one must turn on a switch that a
// later page of its event waits for; otherwise the game hangs in that page.
TEST_P(DemoTestGamesTest, EveryAutomaticStartEndsItself) {
  const TBuiltGame& G = ThisGame();
  for (const int32_t Id : G.MapIds()) {
    const TLcfMap Map = G.LoadMap(Id);
    for (size_t E = 0; E < Map.Events.Count(); ++E) {
      const TLcfEventItem& Event = *Map.Events.Items(E);
      for (size_t P = 0; P < Event.Pages.Count(); ++P) {
        const TLcfEventPageItem& Page = *Event.Pages.Items(P);
        if (Page.Trigger != 3) continue;
        SCOPED_TRACE("map " + std::to_string(Id) + " event " + Event.Name);
        std::set<int32_t> TurnedOn;
        for (const TLcfEventScriptLine& Line : Page.Script.Items)
          if (Line.Code == 10210 && Line.Params.size() >= 4 && Line.Params[0] == 0 && Line.Params[3] == 0)
            TurnedOn.insert(Line.Params[1]);
        bool Ends = false;
        for (size_t Later = P + 1; Later < Event.Pages.Count(); ++Later) {
          const TLcfEventCondition& If = Event.Pages.Items(Later)->Condition;
          Ends = Ends || ((If.Flags & 0x01) && TurnedOn.count(If.SwitchA));
        }
        EXPECT_TRUE(Ends);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(TestGames, DemoTestGamesTest, ::testing::ValuesIn(TestGames),
                         [](const ::testing::TestParamInfo<TTestGame>& Info) { return std::string(Info.param.Name); });

// The features that live in the database and the map tree rather than in a script.
TEST(DemoTestGameFeaturesTest, TheBattleIsAgainstOneSlimeWithBattleEvents) {
  const TBuiltGame G(TestGamesRoot / "battle");
  const TLcfMap Map = G.LoadMap(1);
  int32_t TroopId = 0;
  for (const TLcfEventScriptLine& Line : Map.Events.ItemById(1).Pages.ItemById(1).Script.Items)
    if (Line.Code == 10710) TroopId = Line.Params.at(1);
  const TLcfMonGroupItem& Troop = G.DataBase.Troops.ItemById(TroopId);
  ASSERT_EQ(Troop.Members.Count(), 1u);
  EXPECT_EQ(G.DataBase.Enemies.ItemById(Troop.Members.Items(0)->MonsterId).Name, "Slime");
  ASSERT_GE(Troop.Pages.Count(), 1u);
  for (size_t P = 0; P < Troop.Pages.Count(); ++P)
    EXPECT_NE(Troop.Pages.Items(P)->Trigger.Flags, 0) << "a battle page without a condition never runs";
}

TEST(DemoTestGameFeaturesTest, TheEncounterMapMeetsMonstersEveryFewSteps) {
  const TBuiltGame G(TestGamesRoot / "encounter");
  const TLcfMapTreeItem& Field = G.Tree.ItemById(G.Tree.StartingPoint.Party.MapId);
  EXPECT_GE(Field.Encounters.Count(), 1u);
  EXPECT_GE(Field.EncounterSteps, 1);
  EXPECT_LE(Field.EncounterSteps, 5);
  for (size_t I = 0; I < Field.Encounters.Count(); ++I) EXPECT_NO_THROW(G.DataBase.Troops.ItemById(Field.Encounters.Items(I)->TroopId));
}

TEST(DemoTestGameFeaturesTest, TheSwitchRoomCountsWithAParallelCommonEventBehindItsSwitch) {
  const TBuiltGame G(TestGamesRoot / "switches");
  bool Parallel = false;
  for (size_t I = 0; I < G.DataBase.CommonEvents.Count(); ++I) {
    const TLcfCommonEventItem& Common = *G.DataBase.CommonEvents.Items(I);
    Parallel = Parallel || (Common.Trigger == 4 && Common.UseSwitch == 1 && Common.SwitchId == 1);
  }
  EXPECT_TRUE(Parallel);
  // Pages that follow the switch and the variable the common event counts up.
  std::set<uint8_t> ConditionKinds;
  const TLcfMap Map = G.LoadMap(1);
  for (size_t E = 0; E < Map.Events.Count(); ++E)
    for (size_t P = 0; P < Map.Events.Items(E)->Pages.Count(); ++P) ConditionKinds.insert(Map.Events.Items(E)->Pages.Items(P)->Condition.Flags);
  EXPECT_TRUE(ConditionKinds.count(0x01));
  EXPECT_TRUE(ConditionKinds.count(0x04));
}

TEST(DemoTestGameFeaturesTest, TestGamesKeepTheDemosDatabaseWhereTheyChangeNothing) {
  const TBuiltGame Demo(std::filesystem::path(TESSERA_BINARY_DIR) / "demo");
  EXPECT_EQ(TBuiltGame(TestGamesRoot / "save").ReadGameFile("$$$.B"), Demo.ReadGameFile("$$$.B"));
  // A changed database keeps what it does not change.
  const TBuiltGame Shop(TestGamesRoot / "shop");
  EXPECT_EQ(Shop.DataBase.Switches.ItemById(1).Name, "Purse given");
  EXPECT_EQ(Shop.DataBase.Switches.Count(), Demo.DataBase.Switches.Count());
  EXPECT_EQ(Shop.DataBase.Items.Count(), Demo.DataBase.Items.Count());
  EXPECT_EQ(Shop.DataBase.Troops.Count(), Demo.DataBase.Troops.Count());
}

}  // namespace
