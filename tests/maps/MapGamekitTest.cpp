// gamekit on the map files: readable dumps, byte-identical round trips, and the new-game folder
// that the player's own readers load.
#include "GameJson.h"
#include "MapFixtures.h"
#include "NewGame.h"
#include "TestFolder.h"

#include "database/LD_DataBase.h"

#include <gtest/gtest.h>

namespace {

TBytes RoundTrip(const TBytes& File) { return BuildFile(TJson::parse(DumpFile(File).dump())); }

TEST(MapGamekit, MapTreeDumpIsReadable) {
  const TJson Doc = DumpFile(SavedBytes(MakeSampleTree()));
  EXPECT_EQ(Doc["header"], "$$$F");
  const TJson& Body = Doc["body"];
  EXPECT_EQ(Body["Maps"][2]["@id"], 2);
  EXPECT_EQ(Body["Maps"][2]["Music"]["Name"], "Town");
  EXPECT_EQ(Body["Maps"][4]["AreaRect"], TJson::parse("[5, 5, 10, 10]"));
  EXPECT_EQ(Body["TreeOrder"], TJson::parse("[0, 1, 2, 3, 4]"));
  EXPECT_EQ(Body["Reserved"], 2);
  EXPECT_EQ(Body["StartingPoint"]["PartyX"], 8);
}

TEST(MapGamekit, MapDumpIsReadable) {
  TLcfMap Map = MakeSampleMap();
  Map.SetSize(3, 2);
  const TJson Doc = DumpFile(Map.SaveToBytes());
  EXPECT_EQ(Doc["header"], "$$$M");
  EXPECT_EQ(Doc["body"]["LowerLayer"], TJson::parse("[5000, 5001, 5002, 5030, 5031, 5032]"));
  EXPECT_EQ(Doc["body"]["Events"][0]["Name"], "Door");
  EXPECT_EQ(Doc["body"]["PanoramaSpeedX"], -3);
}

TEST(MapGamekit, EveryKindRoundTripsByteForByte) {
  TByteWriter Odd;  // a tree order id in a long form and bytes after the start record
  Odd.BerString("$$$F");
  Odd.Ber(1), Odd.Ber(1), Odd.Ber(0);
  Odd.Ber(1), Odd.Byte(0x80), Odd.Byte(0x01);
  Odd.Ber(0), Odd.Ber(0);
  Odd.Byte(0xEE);
  TLcfDataBase DB;
  DB.Animations.ItemById(1).Frames.ItemById(3).Cells.Append().Zoom = 150;
  DB.ChipSets.ItemById(1).LowerFlags[5] = 0x3F;
  TByteWriter DataBase;
  DB.SaveToStream(DataBase);
  for (const TBytes& File : {SavedBytes(MakeSampleTree()), MakeSampleMap().SaveToBytes(), Odd.Take(), DataBase.Take(),
                             MapFile(TChunkBytes().Int(2, 2).Int(3, 1).Chunk(71, {1, 2, 3}).Chunk(72, Tiles(2, 10001)).End())})
    EXPECT_EQ(RoundTrip(File), File);
}

TEST(MapGamekit, NewGameLoadsWithThePlayersReaders) {
  TTestFolder Folder;
  WriteNewGame(Folder.Path().string(), {.Title = "Quest"});
  const TGameFolder Game(Folder.Path().string());
  EXPECT_TRUE(Game.IsFullPackage());
  TLcfDataBase DB;
  DB.Load(Game);
  EXPECT_EQ(DB.Actors.Count(), 1u);
  EXPECT_EQ(DB.Actors.ItemById(1).Name, "Hero");
  EXPECT_EQ(DB.System.PartyMember(0), 1);
  TLcfMapTree Tree;
  Tree.Load(Game);
  const auto& Start = Tree.StartingPoint.Party;
  ASSERT_NE(Start.MapId, 0);
  EXPECT_EQ(Tree.ItemById(0).Name, "Quest");
  TLcfMap Map;
  Map.ChipSets = &DB.ChipSets;
  Map.Load(Game, Start.MapId);
  EXPECT_EQ(Tree.ItemById(Map.Id).ParentId, 0);
  const int32_t Ground = Map.LowerLayer.TileAt(Start.X, Start.Y);
  EXPECT_EQ(Map.ChipSet->LowerFlagsOf(Ground) & 0x0F, 0x0F);  // the party can walk off the start
  EXPECT_EQ(Map.UpperLayer.TileAt(Start.X, Start.Y), 10000);
  for (const char* Name : {"data/$$$.B", "data/$$$.F", "data/0001.M"}) {
    const TBytes File = ReadWholeFile(Folder / Name);
    EXPECT_EQ(RoundTrip(File), File) << Name;
  }
}

}  // namespace
