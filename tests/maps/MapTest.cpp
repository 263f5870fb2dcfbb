// The map unit: fields and events read back from a writer-made file, defaults, the layer fill
// and wrap rules, file naming, and the failures.
#include "MapFixtures.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

namespace {

TLcfMap Reloaded(const TBytes& File) {
  TLcfMap Map;
  Map.LoadFromBytes(File);
  return Map;
}

TEST(Map, ReadsBackWhatTheWriterWrote) {
  const TLcfMap Map = Reloaded(MakeSampleMap().SaveToBytes());
  EXPECT_EQ(Map.ChipSetId, 2);
  EXPECT_EQ(Map.Width, 30);
  EXPECT_EQ(Map.Height, 20);
  EXPECT_EQ(Map.ScrollType, ScrollHorizontal);
  EXPECT_TRUE(Map.LoopsX());
  EXPECT_FALSE(Map.LoopsY());
  EXPECT_EQ(Map.PanoramaName, "Sky");
  EXPECT_EQ(Map.PanoramaUsed, 1);
  EXPECT_EQ(Map.PanoramaAutoX, 1);
  EXPECT_EQ(Map.PanoramaSpeedX, -3);
  EXPECT_EQ(Map.PanoramaAutoY, 0);
  EXPECT_EQ(Map.SaveCount, 41);
  EXPECT_EQ(Map.LowerLayer.TileAt(29, 19), 5000 + 29 + 30 * 19);
  EXPECT_EQ(Map.UpperLayer.TileAt(3, 2), 10005);
  ASSERT_EQ(Map.Events.Count(), 2u);
  const TLcfEventItem& Door = Map.Events.ItemById(1);
  EXPECT_EQ(Door.Name, "Door");
  EXPECT_EQ(Door.Y, 7);
  ASSERT_EQ(Door.Pages.Count(), 2u);
  EXPECT_EQ(Door.Pages.ItemById(2).Trigger, 1);
  EXPECT_EQ(Door.Pages.ItemById(2).Script.Lines(0).Text, "Locked");
  EXPECT_EQ(Map.CharSetNames(), (std::vector<std::string>{"Doors", "Doors", "People"}));
  EXPECT_EQ(Map.SaveToBytes(), MakeSampleMap().SaveToBytes());
}

TEST(Map, AnEmptyRecordIsANewMap) {
  const TLcfMap Map = Reloaded(MapFile(TChunkBytes().End()));
  EXPECT_EQ(Map.ChipSetId, 1);
  EXPECT_EQ(Map.Width, 20);
  EXPECT_EQ(Map.Height, 15);
  EXPECT_EQ(Map.ScrollType, ScrollNone);
  EXPECT_EQ(Map.PanoramaName, "");
  EXPECT_EQ(Map.SaveCount, 0);
  EXPECT_EQ(Map.Events.Count(), 0u);
  EXPECT_EQ(Map.LowerLayer.TileAt(19, 14), 0);
  EXPECT_EQ(Map.UpperLayer.TileAt(0, 0), 10000);
  EXPECT_EQ(Map.LowerLayer.TileAt(20, 0), -1);
}

// Chunk 71 of a 30 x 20 map: only exactly 30 * 20 * 2 bytes are tiles; any other size leaves the
// layer filled. An absent chunk gives a filled layer of the map's size, not of a new map's.
TEST(Map, LayerChunksOfTheWrongSizeLeaveTheFill) {
  struct TCase {
    size_t Bytes;
    int32_t Expected;
  } Cases[] = {{1200, 5001}, {600, 0}, {1198, 0}, {1202, 0}};
  for (const TCase& C : Cases) {
    TBytes Layer = Tiles(C.Bytes / 2, 5001);
    Layer.resize(C.Bytes, 0x13);
    const TLcfMap Map = Reloaded(MapFile(TChunkBytes().Int(2, 30).Int(3, 20).Chunk(71, Layer).End()));
    EXPECT_EQ(Map.LowerLayer.TileAt(29, 19), C.Expected) << C.Bytes;
    EXPECT_EQ(Map.LowerLayer.TileAt(0, 0), C.Expected) << C.Bytes;
    EXPECT_EQ(Map.UpperLayer.TileAt(29, 19), 10000) << C.Bytes;  // absent: filled, at the map's size
  }
}

TEST(Map, LayersTakeTheMapSizeWhateverTheChunkOrder) {
  // The layer comes before the size that it belongs to: it was read at the old 20 x 15 size and
  // keeps those tiles at the top-left of the 25 x 16 map.
  const TLcfMap Map = Reloaded(MapFile(TChunkBytes().Chunk(71, Tiles(300, 5002)).Int(2, 25).Int(3, 16).End()));
  EXPECT_EQ(Map.LowerLayer.Width, 25);
  EXPECT_EQ(Map.LowerLayer.TileAt(19, 14), 5002);
  EXPECT_EQ(Map.LowerLayer.TileAt(24, 15), 0);
}

TEST(Map, HugeStatedSizesCostNothingUntilTheFileHoldsTheTiles) {
  // 65535 x 65535 cells would be 8 GiB: without the data the layer stays the fill.
  const TLcfMap Big = Reloaded(MapFile(TChunkBytes().Int(2, 65535).Int(3, 65535).Chunk(71, Tiles(4, 5003)).End()));
  EXPECT_EQ(Big.LowerLayer.TileAt(65534, 65534), 0);
  EXPECT_EQ(Big.UpperLayer.TileAt(65534, 0), 10000);
  EXPECT_EQ(Big.LowerLayer.TileAt(65535, 0), -1);
  EXPECT_EQ(Reloaded(Big.SaveToBytes()).Width, 65535);
  // A chunk whose size claims more than the file holds is damage.
  TBytes Claim = TChunkBytes().Int(2, 65535).Int(3, 65535).Open();
  Claim.insert(Claim.end(), {71, 0x8F, 0xFF, 0xFF, 0xFF, 0x7E, 0, 0});
  EXPECT_THROW(Reloaded(MapFile(Claim)), EReadError);
  // Negative sizes give empty layers.
  const TLcfMap Negative = Reloaded(MapFile(TChunkBytes().Int(2, -5).Int(3, 4).End()));
  EXPECT_EQ(Negative.LowerLayer.TileAt(0, 0), -1);
}

TEST(Map, EventIdsNearTheTopOfTheRange) {
  TLcfMap Map;
  Map.Events.GetOrCreate(2147483647).X = 3;
  Map.Events.GetOrCreate(2147483646).Y = 4;
  const TLcfMap Back = Reloaded(Map.SaveToBytes());
  ASSERT_EQ(Back.Events.Count(), 2u);
  EXPECT_EQ(Back.Events.ItemById(2147483647).X, 3);
  EXPECT_EQ(Back.Events.Items(0)->Id, 2147483646);
  // An event count that the file cannot hold fails before anything is allocated.
  TByteWriter Count;
  Count.Ber(0x7FFFFFFF);
  EXPECT_THROW(Reloaded(MapFile(TChunkBytes().Chunk(81, Count.Take()).End())), EReadError);
}

TEST(Map, TileAtWrapsOnLoopingAxes) {
  TLcfMap Map;
  Map.SetSize(30, 20);
  for (int32_t X = 0; X < 30; ++X) Map.LowerLayer.SetTile(X, 3, uint16_t(5000 + X));
  for (int32_t Y = 0; Y < 20; ++Y) Map.LowerLayer.SetTile(2, Y, uint16_t(6000 + Y));
  struct TCase {
    uint8_t Scroll;
    int32_t X, Y, Expected;
  } Cases[] = {
      {ScrollHorizontal, -1, 3, 5029}, {ScrollHorizontal, 65, 3, 5005}, {ScrollHorizontal, -61, 3, 5029},
      {ScrollNone, -1, 3, -1},         {ScrollNone, 30, 3, -1},         {ScrollHorizontal, 2, 20, -1},
      {ScrollVertical, 2, -1, 6019},   {ScrollVertical, 32, 0, -1},     {ScrollBoth, 32, 41, 6001},
  };
  for (const TCase& C : Cases) {
    Map.SetScrollType(C.Scroll);
    EXPECT_EQ(Map.LowerLayer.TileAt(C.X, C.Y), C.Expected) << int(C.Scroll) << " " << C.X << "," << C.Y;
  }
  TLcfMapLayer Empty(0);
  Empty.WrapX = Empty.WrapY = true;
  Empty.Resize(0, 0);
  EXPECT_EQ(Empty.TileAt(5, 5), -1);
}

TEST(Map, ResizeKeepsTheTopLeftAndFillsTheRest) {
  TLcfMapLayer Layer(10000);
  Layer.Reset();
  for (int32_t Y = 0; Y < 15; ++Y)
    for (int32_t X = 0; X < 20; ++X) Layer.SetTile(X, Y, uint16_t(10000 + X + Y));
  Layer.Resize(25, 10);
  EXPECT_EQ(Layer.TileAt(19, 9), 10028);
  EXPECT_EQ(Layer.TileAt(20, 0), 10000);
  EXPECT_EQ(Layer.TileAt(0, 10), -1);
  EXPECT_TRUE(Layer.HoldsAllTiles());
  Layer.Resize(20, 15);  // the cut rows come back as fill
  EXPECT_EQ(Layer.TileAt(0, 14), 10000);
  Layer.Fill();
  EXPECT_EQ(Layer.TileAt(19, 9), 10000);
}

TEST(Map, FileNamesHaveAtLeastFourDigits) {
  EXPECT_EQ(MapFileName(1), "data\\0001.M");
  EXPECT_EQ(MapFileName(7), "data\\0007.M");
  EXPECT_EQ(MapFileName(12345), "data\\12345.M");
  TTestFolder Game;
  const TBytes File = MakeSampleMap().SaveToBytes();
  Game.Write("DATA/0007.m", std::string(File.begin(), File.end()));
  TLcfMap Map;
  Map.Load(TGameFolder(Game.Path().string()), 7);
  EXPECT_EQ(Map.Id, 7);
  EXPECT_EQ(Map.Width, 30);
  EXPECT_TRUE(Map.UpperLayer.WrapX);
  try {
    Map.Load(TGameFolder(Game.Path().string()), 12345);
    FAIL();
  } catch (const EFileError& E) {
    EXPECT_EQ(std::string(E.what()), "Cannot open file " + Game.Path().string() + "/data/12345.M");
  }
}

TEST(Map, TheChipSetIsLookedUpOnLoad) {
  TLcfChipSet ChipSets;
  ChipSets.GetOrCreate(1).Name = "Field";
  ChipSets.GetOrCreate(2).Name = "Town";
  TLcfMap Map;
  Map.ChipSets = &ChipSets;
  Map.LoadFromBytes(MakeSampleMap().SaveToBytes());
  ASSERT_NE(Map.ChipSet, nullptr);
  EXPECT_EQ(Map.ChipSet->Name, "Town");
  ChipSets.Delete(2);
  try {
    Map.LoadFromBytes(MakeSampleMap().SaveToBytes());
    FAIL();
  } catch (const ELcfError& E) {
    EXPECT_STREQ(E.what(), "Invalid ChipSet Name");
  }
}

TEST(Map, AWrongHeaderIsAStreamReadErrorAndLeavesAnEmptyMap) {
  TLcfMap Map;
  Map.LoadFromBytes(MakeSampleMap().SaveToBytes());
  TBytes File = MakeSampleMap().SaveToBytes();
  File[4] = 'm';
  try {
    Map.LoadFromBytes(File);
    FAIL();
  } catch (const EReadError& E) {
    EXPECT_STREQ(E.what(), "Stream read error");
  }
  EXPECT_EQ(Map.Events.Count(), 0u);
  EXPECT_EQ(Map.Width, 20);
  EXPECT_FALSE(Map.LowerLayer.WrapX);
}

}  // namespace
