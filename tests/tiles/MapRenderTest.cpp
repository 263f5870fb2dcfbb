#include "MapRender.h"
#include "TilesTestUtil.h"

#include "data/ByteStream.h"
#include "data/GameFolder.h"
#include "database/LD_DataBase.h"
#include "graphics/PrismPng.h"
#include "maps/LD_Map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int SpriteIndex = 200;  // every pixel of the test's sprite sheet

// A 4x3 map on a labelled chipset: grass (5000) everywhere, a tile drawn above the characters
// (5001) at (1, 1), water at (3, 2); a sprite event standing on (1, 1), a tile event on (2, 2),
// and an event whose sprite sheet is missing.
class MapRenderTest : public ::testing::Test {
 protected:
  MapRenderTest() : Game(Scratch.Path().string()), Map(1) {
    TPrismBitmap Chips = LabelledChipSet();
    FillBitmap(Chips, 288, 128, 16, 16, 0);  // upper tile 0 is the empty one
    WritePicture(Scratch, "data", "Chips", Chips);
    TPrismBitmap Hero = IndexedBitmap(288, 256);
    FillBitmap(Hero, 0, 0, 288, 256, SpriteIndex);
    WritePicture(Scratch, "data", "Hero", Hero);

    TLcfChipSetItem& ChipSet = Data.ChipSets.ItemById(1);
    ChipSet.GraphicName = "Chips";
    ChipSet.LowerFlags[TLcfChipSetItem::TileIndex(5001)] |= ChipAbove;
    TByteWriter Out;
    Data.SaveToStream(Out);
    WriteWholeFile(Scratch / "data/$$$.B", Out.Buffer());

    Map.SetSize(4, 3);
    for (int32_t Y = 0; Y < 3; ++Y)
      for (int32_t X = 0; X < 4; ++X) Map.LowerLayer.SetTile(X, Y, 5000);
    Map.LowerLayer.SetTile(1, 1, 5001);
    Map.LowerLayer.SetTile(3, 2, 0);
    AddEvent(1, 1, "Hero", 0);
    AddEvent(2, 2, "", 2);
    AddEvent(3, 0, "Ghost", 0);
    WriteWholeFile(Scratch / "data/0001.M", Map.SaveToBytes());
  }
  void AddEvent(int32_t X, int32_t Y, const std::string& Sprite, int32_t Index) {
    TLcfEventItem& Event = Map.Events.GetOrCreate(int32_t(Map.Events.Count()) + 1);
    Event.X = X, Event.Y = Y;
    TLcfEventPageItem& Page = *Event.Pages.Items(0);
    Page.CharSetName = Sprite, Page.CharSetIndex = Index, Page.Layer = 1;
  }
  TPrismBoard Render(int32_t Frame) { return RenderMap(Game, Data, Map, Frame, Warnings); }

  TTestFolder Scratch;
  TGameFolder Game;
  TLcfDataBase Data;
  TLcfMap Map;
  std::vector<std::string> Warnings;
};

TEST_F(MapRenderTest, LayersAndEventsAreDrawnInTheFieldScenesOrder) {
  const TPrismBoard Board = Render(0);
  ASSERT_EQ(Board.Width(), 64);
  ASSERT_EQ(Board.Height(), 48);
  EXPECT_EQ(IndexAt(Board, 0, 0), 25);             // grass: lower tile 0, sub-tile (24, 0)
  EXPECT_EQ(IndexAt(Board, 14, 20), SpriteIndex);  // the sprite covers the grass left of (1, 1)
  EXPECT_EQ(IndexAt(Board, 20, 10), SpriteIndex);  // and the grass above it
  EXPECT_EQ(IndexAt(Board, 20, 20), 1);            // tile 5001 is drawn over it: (26, 0), lower half
  EXPECT_EQ(IndexAt(Board, 16, 16), 27);
  EXPECT_EQ(IndexAt(Board, 32, 32), 41);           // the tile event shows upper tile 2: (40, 16)
  EXPECT_EQ(IndexAt(Board, 48, 32), 1);            // water, frame 0: (0, 8)
  ASSERT_EQ(Warnings.size(), 1u);
  EXPECT_NE(Warnings[0].find("Ghost"), std::string::npos);
}

TEST_F(MapRenderTest, TheFrameCounterMovesTheWater) {
  EXPECT_EQ(IndexAt(Render(48), 48, 32), 5);  // frame 2: (4, 8)
  EXPECT_EQ(IndexAt(Render(24), 48, 32), 3);
}

TEST_F(MapRenderTest, TheCommandWritesThePictureOfTheMap) {
  const std::string Out = Scratch / "map.png";
  ASSERT_EQ(RenderMapCommand({Scratch.Path().string(), "1", Out, "--frame", "48"}), 0);
  const TPrismBitmap Picture = DecodePng(ReadWholeFile(Out));
  EXPECT_EQ(Picture.Width, 64);
  EXPECT_EQ(Picture.Height, 48);
  EXPECT_EQ(RenderMapCommand({Scratch.Path().string(), "1"}), 2);
  EXPECT_EQ(RenderMapCommand({Scratch.Path().string(), "1", Out, "--frame"}), 2);
  EXPECT_EQ(RenderMapCommand({Scratch.Path().string(), "x", Out}), 2);
  EXPECT_EQ(RenderMapCommand({Scratch.Path().string(), "7", Out}), 1);  // no such map
}

TEST_F(MapRenderTest, AHugeMapIsRefusedAndAMissingChipSetDrawsNoTiles) {
  Map.Width = 5000;
  EXPECT_THROW(Render(0), std::runtime_error);
  Map.Width = 4;
  Map.ChipSetId = 9;
  const TPrismBoard Board = Render(0);
  EXPECT_EQ(Board.ScanLine(0)[0], 0);
  EXPECT_EQ(IndexAt(Board, 20, 10), SpriteIndex);
  EXPECT_TRUE(std::any_of(Warnings.begin(), Warnings.end(), [](const std::string& W) { return W.find("chipset") != std::string::npos; }));
}

}  // namespace
