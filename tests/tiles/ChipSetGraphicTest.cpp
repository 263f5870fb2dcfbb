#include "TilesTestUtil.h"

#include "data/GameFolder.h"
#include "database/LD_ChipSet.h"
#include "graphics/GR_ChipSet.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint16_t Backdrop = 0xFFFF;  // an index the chipset never draws

class ChipSetGraphicTest : public ::testing::Test {
 protected:
  ChipSetGraphicTest() : Game(Scratch.Path().string()), Graphic(Game), Board(64, 64) {
    Graphic.AssignImage(LabelledChipSet(), "Labelled");
    Graphic.ChipSet = &Record;
    FillBoard(Board, Backdrop);
  }

  // The sub-tiles that the Size x Size square at (X, Y) shows, read back from their labels.
  // Every pixel of each quarter must carry the same label, or the place reads as (-1, -1).
  TSubTiles Shown(int32_t X, int32_t Y, int32_t Size) const {
    TSubTiles Parts;
    const int32_t S = Size / 2;
    for (int32_t Q = 0; Q < 4; ++Q) {
      const int32_t QX = X + (Q % 2) * S, QY = Y + (Q / 2) * S;
      TChipPosition Label{IndexAt(Board, QX, QY) - 1, IndexAt(Board, QX, QY + S / 2) - 1};
      for (int32_t y = 0; y < S; ++y)
        for (int32_t x = 0; x < S; ++x)
          if (IndexAt(Board, QX + x, QY + y) - 1 != (y < S / 2 ? Label.X : Label.Y)) Label = {-1, -1};
      Parts[size_t(Q)] = Label;
    }
    return Parts;
  }
  TSubTiles Drawn(int32_t TileId, int32_t Counter = 0, int32_t Size = 16) {
    FillBoard(Board, Backdrop);
    Graphic.DrawTile(Board, 8, 8, Size, TileId, Counter);
    return Shown(8, 8, Size);
  }
  bool Untouched() const {
    for (int32_t y = 0; y < Board.Height(); ++y)
      for (int32_t x = 0; x < Board.Width(); ++x)
        if (Board.ScanLine(y)[x] != Backdrop) return false;
    return true;
  }

  TTestFolder Scratch;
  TGameFolder Game;
  TLcfChipSetItem Record;
  TLcfChipSetGraphic Graphic;
  TPrismBoard Board;
};

TSubTiles Whole(int32_t X, int32_t Y) { return {{{X, Y}, {X + 1, Y}, {X, Y + 1}, {X + 1, Y + 1}}}; }

struct TAutoTileCase {
  int32_t TileId;
  TSubTiles Expected;
  const char* Why;
};

// Worked by hand from the shape tables, the kind rules and the corner sets.
const TAutoTileCase AutoTileCases[] = {
    {0, Whole(0, 8), "water kind 0, shape 0: one aligned square"},
    {49, Whole(0, 0), "water kind 0, shape 49"},
    {1001, {{{6, 6}, {1, 8}, {0, 9}, {1, 9}}}, "kind 1 moves pieces above row 8 one column block right"},
    {1049, Whole(6, 0), "kind 1, shape 49"},
    {1800, Whole(0, 8), "corner flag bit 4 has no effect"},
    {2000, Whole(0, 14), "kind 2 moves pieces from row 8 down by six rows"},
    {2049, Whole(0, 12), "kind 2, shape 49 is its own lone piece"},
    {250, {{{0, 10}, {1, 8}, {0, 11}, {1, 9}}}, "corner flags 5: top-left and bottom-left corners"},
    {1434, {{{6, 0}, {7, 4}, {6, 3}, {1, 11}}}, "kind 1 shape 34 with the bottom-right corner"},
    {2770, Whole(0, 12), "kind 2, all four deep corners"},
    {4000, Whole(2, 20), "terrain kind 0 at (0, 16), shape 0"},
    {4296, {{{18, 2}, {23, 2}, {18, 7}, {23, 7}}}, "terrain kind 5 at (18, 0), shape 46"},
    {4377, {{{22, 8}, {23, 12}, {22, 9}, {23, 13}}}, "terrain kind 7 at (18, 8), shape 27"},
    {4599, Whole(18, 24), "terrain kind 11 at (18, 24), shape 49"},
    {4213, {{{16, 0}, {15, 4}, {16, 1}, {17, 1}}}, "terrain kind 4 at (12, 0), shape 13"},
};

TEST_F(ChipSetGraphicTest, AutoTilesAreComposedFromTheShapeTheIdCarries) {
  for (const auto& Case : AutoTileCases) {
    EXPECT_EQ(Drawn(Case.TileId), Case.Expected) << Case.TileId << ": " << Case.Why;
    TSubTiles Parts;
    ASSERT_TRUE(TLcfChipSetGraphic::AutoTileParts(Case.TileId, 0, Parts));
    EXPECT_EQ(Parts, Case.Expected) << Case.TileId;
  }
}

TEST_F(ChipSetGraphicTest, SubTilesScaleWithTheTileSize) {
  EXPECT_EQ(Drawn(250, 0, 32), (TSubTiles{{{0, 10}, {1, 8}, {0, 11}, {1, 9}}}));
  EXPECT_EQ(Drawn(4000, 0, 32), Whole(2, 20));
}

TEST_F(ChipSetGraphicTest, WaterFrameFollowsTheCounterSpeedAndCycle) {
  struct TCase {
    int32_t Counter, Speed, Type, Frame;
  };
  const TCase Cases[] = {
      {0, 0, 0, 0}, {23, 0, 0, 0}, {24, 0, 0, 1}, {48, 0, 0, 2}, {72, 0, 0, 1}, {96, 0, 0, 0},
      {12, 1, 0, 1}, {36, 1, 0, 1}, {48, 1, 0, 0}, {72, 0, 1, 0}, {48, 0, 5, 2}, {36, 1, 1, 0},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(TLcfChipSetGraphic::WaterFrame(C.Counter, C.Speed, C.Type), C.Frame)
        << "counter " << C.Counter << " speed " << C.Speed << " type " << C.Type;
}

TEST_F(ChipSetGraphicTest, WaterFramesLieSideBySideAndUseTheRecordsSpeed) {
  EXPECT_EQ(Drawn(0, 48), Whole(4, 8));
  EXPECT_EQ(Drawn(250, 24), (TSubTiles{{{2, 10}, {3, 8}, {2, 11}, {3, 9}}}));
  EXPECT_EQ(Drawn(0, 72), Whole(2, 8));
  Record.AnimationSpeed = 1;
  EXPECT_EQ(Drawn(0, 24), Whole(4, 8));
  Record.AnimationType = 1;
  EXPECT_EQ(Drawn(0, 36), Whole(0, 8));
  // Terrain auto-tiles never move.
  EXPECT_EQ(Drawn(4000, 36), Whole(2, 20));
}

TEST_F(ChipSetGraphicTest, AnimatedTilesStepDownTheirColumnEverySixCounts) {
  EXPECT_EQ(Drawn(3000, 0), Whole(6, 8));
  EXPECT_EQ(Drawn(3050, 18), Whole(8, 14));
  EXPECT_EQ(Drawn(3149, 6), Whole(10, 10));
  EXPECT_EQ(Drawn(3100, 24), Whole(10, 8));
}

TEST_F(ChipSetGraphicTest, LowerAndUpperTilesSitAtTheirFixedPlaces) {
  EXPECT_EQ(Drawn(5000), Whole(24, 0));     // pixel (192, 0)
  EXPECT_EQ(Drawn(5007), Whole(26, 2));
  EXPECT_EQ(Drawn(5096), Whole(36, 0));     // pixel (288, 0)
  EXPECT_EQ(Drawn(5143), Whole(46, 14));
  EXPECT_EQ(Drawn(10000), Whole(36, 16));   // pixel (288, 128)
  EXPECT_EQ(Drawn(10048), Whole(48, 0));    // pixel (384, 0)
  EXPECT_EQ(Drawn(10143), Whole(58, 30));
  EXPECT_EQ(Drawn(10200), Whole(58, 30));   // clamped to upper tile 143
}

TEST_F(ChipSetGraphicTest, IdsOutsideEveryRangeDrawNothing) {
  for (int32_t Id : {-1, 3150, 3999, 4600, 4999, 5144, 9999, 20000, 65535}) {
    FillBoard(Board, Backdrop);
    Graphic.DrawTile(Board, 8, 8, 16, Id, 0);
    EXPECT_TRUE(Untouched()) << Id;
  }
}

TEST_F(ChipSetGraphicTest, ColorTwoCarriesToneAndFlash) {
  Graphic.Sheet.Color2.SetFlash(31, 31, 31, 32, true);
  Graphic.DrawTile(Board, 0, 0, 16, 5000, 0);
  EXPECT_EQ(ColorAt(Board, 0, 0), (TRgb565{31, 62, 31}));
  EXPECT_EQ(ColorAt(Board, 15, 15), (TRgb565{31, 62, 31}));
  Graphic.Sheet.Color2.Reset(true);
  Graphic.Sheet.Color2.SetTone(0, 100, 100, 100, true);
  Graphic.DrawTile(Board, 0, 0, 16, 5000, 0);
  EXPECT_EQ(ColorAt(Board, 0, 0), (TRgb565{0, 0, 0}));  // index 25: red 25, green 0
}

// Flags of a chipset that is blank but for the areas each case fills.
class ChipSetFlagsTest : public ::testing::Test {
 protected:
  ChipSetFlagsTest() : Game(Scratch.Path().string()), Graphic(Game), Picture(IndexedBitmap(480, 256)) {}
  void Load() { Graphic.AssignImage(Picture, "Flags"); }

  TTestFolder Scratch;
  TGameFolder Game;
  TLcfChipSetGraphic Graphic;
  TPrismBitmap Picture;
};

TEST_F(ChipSetFlagsTest, SolidAndEmptyFollowTheirAreas) {
  FillBitmap(Picture, 0, 0, 96, 64, 1);
  FillBitmap(Picture, 0, 64, 48, 64, 1);
  FillBitmap(Picture, 48, 64, 16, 64, 1);        // animated tile 0
  FillBitmap(Picture, 64, 64, 16, 63, 1);        // animated tile 1 misses its last row
  FillBitmap(Picture, 0, 128, 48, 64, 1);        // terrain kind 0
  FillBitmap(Picture, 208, 0, 16, 16, 1);        // lower tile 1
  FillBitmap(Picture, 224, 0, 16, 8, 1);         // lower tile 2, half
  FillBitmap(Picture, 304, 128, 4, 4, 1);        // upper tile 1, a corner
  Load();
  EXPECT_TRUE(Graphic.IsTileOpaque(0));
  EXPECT_TRUE(Graphic.IsTileOpaque(2999));
  EXPECT_TRUE(Graphic.IsTileOpaque(3000));
  EXPECT_FALSE(Graphic.IsTileOpaque(3050));
  EXPECT_TRUE(Graphic.IsTileOpaque(4000));
  EXPECT_FALSE(Graphic.IsTileOpaque(4050));
  EXPECT_FALSE(Graphic.IsTileOpaque(5000));
  EXPECT_TRUE(Graphic.IsTileOpaque(5001));
  EXPECT_FALSE(Graphic.IsTileOpaque(5002));
  EXPECT_FALSE(Graphic.IsTileOpaque(10001));
  EXPECT_FALSE(Graphic.IsTileOpaque(5144));
  EXPECT_TRUE(Graphic.Blocks[18].Empty);
  EXPECT_FALSE(Graphic.Blocks[19].Empty);
  EXPECT_FALSE(Graphic.Blocks[20].Empty);
  EXPECT_FALSE(Graphic.Blocks[20].Solid);
  EXPECT_TRUE(Graphic.UpperTiles[0].Empty);
  EXPECT_FALSE(Graphic.UpperTiles[1].Empty);
}

TEST_F(ChipSetFlagsTest, WaterIsSolidOnlyWithItsDeepRowsFull) {
  FillBitmap(Picture, 0, 0, 96, 64, 1);
  FillBitmap(Picture, 0, 64, 48, 64, 1);
  Picture.ScanLine(127)[47] = 0;
  Load();
  EXPECT_FALSE(Graphic.IsTileOpaque(0));
  EXPECT_FALSE(Graphic.IsTileOpaque(2000));
}

TEST_F(ChipSetFlagsTest, EmptyTilesAreSkippedOnlyOnATransparentSheet) {
  Picture.Palette[0] = {255, 255, 255, 0};
  Load();
  TPrismBoard Board(16, 16);
  Graphic.SetTransparent(true);
  Graphic.DrawTile(Board, 0, 0, 16, 5000, 0);
  Graphic.DrawTile(Board, 0, 0, 16, 10000, 0);
  EXPECT_EQ(Board.ScanLine(0)[0], 0);
  Graphic.SetTransparent(false);
  Graphic.DrawTile(Board, 0, 0, 16, 10000, 0);
  EXPECT_EQ(Board.ScanLine(15)[15], 0xFFFF);
}

TEST_F(ChipSetFlagsTest, LevelSetsTheOpacityOfTileCharacters) {
  const std::pair<int32_t, int32_t> Cases[] = {{0, 255}, {1, 225}, {3, 165}, {7, 45}};
  for (auto [Level, Opacity] : Cases) {
    Graphic.SetLevel(Level);
    EXPECT_EQ(Graphic.Sheet.Opacity, Opacity) << Level;
  }
}

TEST(ChipSetImageTest, LoadsByNameOnceAndAMissingImageRaisesWithAClearedSheet) {
  TTestFolder Scratch;
  WritePicture(Scratch, "data", "Chips", LabelledChipSet());
  TGameFolder Game(Scratch.Path().string());
  TLcfChipSetGraphic Graphic(Game);
  TLcfChipSetItem Record;
  Record.GraphicName = "chips";
  Graphic.SetChipSet(&Record);
  EXPECT_EQ(Graphic.FileName, "chips");
  EXPECT_EQ(Graphic.Sheet.ScanLine(8)[200], 26);  // sub-tile (25, 1), label row
  EXPECT_TRUE(Graphic.IsTileOpaque(5000));

  // The same name again keeps what is loaded (even if it was changed since).
  Graphic.Sheet.ScanLine(8)[200] = 99;
  Graphic.SetChipSet(&Record);
  EXPECT_EQ(Graphic.Sheet.ScanLine(8)[200], 99);

  EXPECT_THROW(Graphic.LoadImage("Gone"), EPrismImageError);
  EXPECT_EQ(Graphic.FileName, "Gone");
  EXPECT_TRUE(Graphic.Sheet.IsAreaEmpty(Graphic.Sheet.GetBounds()));
  EXPECT_EQ(Graphic.Sheet.Width(), 480);
  EXPECT_FALSE(Graphic.IsTileOpaque(5000));
  EXPECT_TRUE(Graphic.Blocks[18].Empty);

  // No record: an empty name, a cleared sheet, nothing raised.
  Graphic.SetChipSet(nullptr);
  EXPECT_EQ(Graphic.FileName, "");
  TPrismBoard Board(32, 32);
  Graphic.SetTransparent(true);
  for (int32_t Id : {0, 3000, 4000, 5000, 10000}) Graphic.DrawTile(Board, 0, 0, 16, Id, 100);
  EXPECT_EQ(Board.ScanLine(0)[0], 0);
}

}  // namespace
