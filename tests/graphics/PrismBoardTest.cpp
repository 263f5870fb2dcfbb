#include "graphics/PrismBoard.h"

#include "GraphicsTestUtil.h"
#include "graphics/PrismBlit.h"

#include <gtest/gtest.h>

namespace {

// Every board test runs once with the wide kernels (where the processor has them) and once
// with the portable ones.
class BoardTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { Previous = UsePortableBlit(GetParam()); }
  void TearDown() override { UsePortableBlit(Previous); }

  // The board as rows of words, for whole-board comparisons.
  static std::vector<std::vector<uint16_t>> Rows(const TPrismBoard& B) {
    std::vector<std::vector<uint16_t>> Out;
    for (int y = 0; y < B.Height(); ++y) Out.emplace_back(B.ScanLine(y), B.ScanLine(y) + B.Width());
    return Out;
  }
  bool Previous = false;
};

INSTANTIATE_TEST_SUITE_P(Kernels, BoardTest, ::testing::Values(false, true),
                         [](const auto& I) { return I.param ? "Portable" : "Native"; });

struct BlendCase {
  int32_t Opacity;
  uint16_t Source, Dest, Expected;
};

// w = O + 1, v = 257 - w, each channel (s w + d v) >> 8.
const BlendCase BlendCases[] = {
    {0, 0xFFFF, 0, 0},
    {128, 0xFFFF, 0, Rgb565(15, 31, 15)},
    {254, 0xFFFF, 0, Rgb565(30, 62, 30)},
    {255, Rgb565(10, 20, 5), Rgb565(20, 40, 10), Rgb565(10, 20, 5)},
    {128, Rgb565(10, 20, 5), Rgb565(20, 40, 10), Rgb565(15, 30, 7)},
    {254, Rgb565(31, 63, 31), Rgb565(31, 63, 31), Rgb565(31, 63, 31)},
};

TEST_P(BoardTest, BlendsEachChannelByTheOpacityWeights) {
  for (const BlendCase& C : BlendCases) {
    // 37 columns: whole 16-pixel steps of the wide kernel and a tail.
    TPrismSheet Sheet;
    MakeIndexSheet(Sheet, 37, 2, std::vector<uint8_t>(74, 1));
    SetWord(Sheet, 1, C.Source);
    Sheet.UpdatePalette();
    Sheet.Opacity = C.Opacity;
    TPrismBoard Board(40, 2);
    Board.FillRect({0, 0, 40, 2}, {uint8_t((C.Dest >> 11) << 3), uint8_t(((C.Dest >> 5) & 63) << 2), uint8_t((C.Dest & 31) << 3)});
    Board.Draw(1, 0, Sheet.GetBounds(), Sheet);
    for (int x : {0, 1, 16, 37, 38})
      EXPECT_EQ(Board.ScanLine(1)[x], x >= 1 && x <= 37 ? C.Expected : C.Dest) << "opacity " << C.Opacity << " x " << x;
  }
}

TEST_P(BoardTest, TransparentSkipsIndexZeroInEveryMode) {
  for (int32_t Opacity : {255, 128}) {
    std::vector<uint8_t> Indices(40);
    for (int i = 0; i < 40; ++i) Indices[i] = i % 3 == 0 ? 0 : 31;
    TPrismSheet Sheet;
    MakeIndexSheet(Sheet, 40, 1, Indices);
    Sheet.Transparent = true;
    Sheet.Opacity = Opacity;
    TPrismBoard Board(40, 1);
    Board.FillRect({0, 0, 40, 1}, {0, 0, 8});   // word 1
    Board.Draw(0, 0, Sheet.GetBounds(), Sheet);
    // opacity 128 over word 1: blue (31 * 129 + 1 * 128) >> 8 = 16
    uint16_t Drawn = Opacity == 255 ? 31 : 16;
    for (int i = 0; i < 40; ++i) EXPECT_EQ(Board.ScanLine(0)[i], i % 3 == 0 ? 1 : Drawn) << i;
  }
}

struct ClipCase {
  int32_t X, Y;
  TRect Source;
  // Where the drawn block lands on the board and which sheet pixel is its top-left.
  int32_t BoardX, BoardY, W, H, SheetX, SheetY;
};

// A 4 x 3 sheet (index 1 + x + 4 y) drawn on a 5 x 5 board.
const ClipCase ClipCases[] = {
    {0, 0, {0, 0, 4, 3}, 0, 0, 4, 3, 0, 0},
    {-1, 0, {0, 0, 4, 3}, 0, 0, 3, 3, 1, 0},     // left edge of the board
    {0, -2, {0, 0, 4, 3}, 0, 0, 4, 1, 0, 2},     // top edge
    {3, 3, {0, 0, 4, 3}, 3, 3, 2, 2, 0, 0},      // right and bottom edges
    {0, 0, {-2, -1, 2, 3}, 2, 1, 2, 3, 0, 0},    // source before the sheet moves the target
    {0, 0, {2, 1, 6, 9}, 0, 0, 2, 2, 2, 1},      // source past the sheet
    {5, 0, {0, 0, 4, 3}, 0, 0, 0, 0, 0, 0},      // wholly outside
    {-4, 0, {0, 0, 4, 3}, 0, 0, 0, 0, 0, 0},
    {0, 0, {4, 0, 6, 3}, 0, 0, 0, 0, 0, 0},
};

TEST_P(BoardTest, DrawClipsOnBothSides) {
  for (const ClipCase& C : ClipCases) {
    TPrismSheet Sheet;
    std::vector<uint8_t> Indices(12);
    for (int i = 0; i < 12; ++i) Indices[i] = uint8_t(i + 1);
    MakeIndexSheet(Sheet, 4, 3, Indices);
    TPrismBoard Board(5, 5);
    Board.Draw(C.X, C.Y, C.Source, Sheet);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x) {
        bool In = x >= C.BoardX && x < C.BoardX + C.W && y >= C.BoardY && y < C.BoardY + C.H;
        int Expected = In ? 1 + (C.SheetX + x - C.BoardX) + 4 * (C.SheetY + y - C.BoardY) : 0;
        EXPECT_EQ(Board.ScanLine(y)[x], Expected) << "draw at " << C.X << "," << C.Y << " pixel " << x << "," << y;
      }
  }
}

TEST_P(BoardTest, EmptySheetDrawsNothing) {
  TPrismSheet Sheet;
  TPrismBoard Board(4, 4);
  Board.Draw(0, 0, {0, 0, 4, 4}, Sheet);
  Board.StretchDraw({0, 0, 4, 4}, Sheet, {0, 0, 2, 2});
  Board.DrawRotate(2, 2, 1.0, 0, 0, 0, {0, 0, 2, 2}, Sheet);
  Board.DrawWave(2, 2, 1.0, 0, 1, 0, 1, 1, {0, 0, 2, 2}, Sheet);
  EXPECT_EQ(Rows(Board), std::vector<std::vector<uint16_t>>(4, std::vector<uint16_t>(4, 0)));
}

TEST_P(BoardTest, BoardBrightnessReachesTheSheet) {
  TPrismSheet Sheet;
  MakeIndexSheet(Sheet, 1, 1, {1});
  Sheet.SetPaletteEntry(1, 200, 100, 50);
  Sheet.UpdatePalette();
  TPrismBoard Board(1, 1);
  for (auto [Brightness, Expected] : {std::pair{50, Rgb565(12, 12, 3)}, {0, 0}, {200, 0xFFFF}, {100, Rgb565(25, 25, 6)}}) {
    Board.Brightness = Brightness;
    Board.Draw(0, 0, Sheet.GetBounds(), Sheet);
    EXPECT_EQ(Board.ScanLine(0)[0], Expected) << Brightness;
    EXPECT_EQ(Sheet.Brightness, Brightness);
  }
}

TEST_P(BoardTest, FillRectAppliesBrightnessPerChannel) {
  TPrismBoard Board(3, 2);
  for (auto [Brightness, Expected] :
       {std::pair{100, Rgb565(31, 32, 8)}, {50, Rgb565(15, 16, 4)}, {150, Rgb565(31, 47, 19)}}) {
    Board.Brightness = Brightness;
    Board.FillRect({1, -3, 9, 1}, {255, 128, 64});
    EXPECT_EQ(Rows(Board), (std::vector<std::vector<uint16_t>>{{0, Expected, Expected}, {0, 0, 0}})) << Brightness;
  }
}

TEST_P(BoardTest, CopyFromClipsAndMayOverlapItself) {
  TPrismBoard Board(3, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) Board.ScanLine(y)[x] = uint16_t(1 + x + 3 * y);
  Board.CopyFrom(1, 1, {0, 0, 3, 3}, Board);
  EXPECT_EQ(Rows(Board), (std::vector<std::vector<uint16_t>>{{1, 2, 3}, {4, 1, 2}, {7, 4, 5}}));
}

TEST_P(BoardTest, StretchDoublesAndClipsProportionally) {
  TPrismSheet Sheet;
  MakeIndexSheet(Sheet, 2, 2, {1, 2, 3, 4});
  TPrismBoard Board(5, 5);
  Board.StretchDraw({-1, -1, 3, 3}, Sheet, {0, 0, 2, 2});
  // Unclipped mapping: source x = (X + 1) * 2 div 4, so columns 0, 1, 2 read 0, 1, 1.
  EXPECT_EQ(Rows(Board), (std::vector<std::vector<uint16_t>>{
                             {1, 2, 2, 0, 0}, {3, 4, 4, 0, 0}, {3, 4, 4, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}}));
}

TEST_P(BoardTest, StretchShrinksByDroppingPixels) {
  TPrismSheet Sheet;
  std::vector<uint8_t> Indices(16);
  for (int i = 0; i < 16; ++i) Indices[i] = uint8_t(i + 1);
  MakeIndexSheet(Sheet, 4, 4, Indices);
  TPrismBoard Board(2, 2);
  Board.StretchDraw({0, 0, 2, 2}, Sheet, {0, 0, 4, 4});
  EXPECT_EQ(Rows(Board), (std::vector<std::vector<uint16_t>>{{1, 3}, {9, 11}}));
}

TEST_P(BoardTest, ZoomOneRoundsHalvesToEven) {
  TPrismSheet Sheet;
  MakeIndexSheet(Sheet, 1, 1, {5});
  for (auto [Half, Column] : {std::pair{2.5, 8}, {3.5, 6}}) {
    TPrismBoard Board(12, 1);
    Board.DrawZoom(10, 0, 1.0, 0, Half, Sheet.GetBounds(), Sheet);
    for (int x = 0; x < 12; ++x) EXPECT_EQ(Board.ScanLine(0)[x], x == Column ? 5 : 0) << Half;
  }
}

TEST_P(BoardTest, ZoomTwoStretchesAroundTheCentre) {
  TPrismSheet Sheet;
  MakeIndexSheet(Sheet, 2, 1, {1, 2});
  TPrismBoard Board(8, 3);
  // (Round(5 - 2), Round(1 - 1), Round(5 + 2), Round(1 + 1)) = (3, 0, 7, 2)
  Board.DrawZoom(5, 1, 2.0, 0.5, 1.0, Sheet.GetBounds(), Sheet);
  EXPECT_EQ(Rows(Board), (std::vector<std::vector<uint16_t>>{
                             {0, 0, 0, 1, 1, 2, 2, 0}, {0, 0, 0, 1, 1, 2, 2, 0}, {0, 0, 0, 0, 0, 0, 0, 0}}));
}

TEST_P(BoardTest, RotateAtAngleZeroScalesAboutTheOrigin) {
  TPrismSheet Sheet;
  MakeIndexSheet(Sheet, 2, 2, {1, 2, 3, 4});
  TPrismBoard Board(7, 7);
  // Corners (2, 2)..(6, 6); u starts at 0 and steps 0.5 per pixel.
  Board.DrawRotate(4, 4, 2.0, 0, 1, 1, Sheet.GetBounds(), Sheet);
  std::vector<std::vector<uint16_t>> Expected(7, std::vector<uint16_t>(7, 0));
  for (int y = 2; y < 6; ++y)
    for (int x = 2; x < 6; ++x) Expected[y][x] = uint16_t(1 + (x - 2) / 2 + 2 * ((y - 2) / 2));
  EXPECT_EQ(Rows(Board), Expected);
}

TEST_P(BoardTest, RotateHalfTurnFollowsTheTruncations) {
  TPrismSheet Sheet;
  MakeIndexSheet(Sheet, 2, 2, {1, 2, 3, 4});
  TPrismBoard Board(6, 6);
  // Angle 128: c = -1, s = 1.2e-16. Corner x2 = Trunc(4 - 2.4e-16) = 3, so the box is x 1..3,
  // y 2..3. Row 2: v = Trunc((2 + 3.7e-16) * 65536) reads row 2, outside the sheet. Row 3:
  // v reads row 1; u = 3.0 exactly at x 1 and steps by -1, so only x 3 reads a column (1).
  Board.DrawRotate(4, 4, 1.0, 128, 0, 0, Sheet.GetBounds(), Sheet);
  std::vector<std::vector<uint16_t>> Expected(6, std::vector<uint16_t>(6, 0));
  Expected[3][3] = 4;
  EXPECT_EQ(Rows(Board), Expected);
}

TEST_P(BoardTest, RotateWithZoomZeroDrawsNothing) {
  TPrismSheet Sheet;
  MakeIndexSheet(Sheet, 2, 2, {1, 2, 3, 4});
  TPrismBoard Board(4, 4);
  Board.DrawRotate(2, 2, 0.0, 0, 0, 0, Sheet.GetBounds(), Sheet);
  EXPECT_EQ(Rows(Board), std::vector<std::vector<uint16_t>>(4, std::vector<uint16_t>(4, 0)));
}

TEST_P(BoardTest, WaveShiftsRowsBySine) {
  TPrismSheet Sheet;
  MakeIndexSheet(Sheet, 4, 2, {1, 2, 3, 4, 5, 6, 7, 8});
  TPrismBoard Board(8, 4);
  // Rectangle (2, 1)-(6, 3). Period 4: row 0 reads entry 64 (sine 1, shift 2), row 1 entry
  // 64 + (256 * 2 div 2) div 4 = 128 (sine ~0, shift 0).
  Board.DrawWave(4, 2, 1.0, 64, 4, 2, 1, 2, Sheet.GetBounds(), Sheet);
  EXPECT_EQ(Rows(Board), (std::vector<std::vector<uint16_t>>{
                             {0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 1, 2, 3, 4}, {0, 0, 5, 6, 7, 8, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}}));
}

TEST_P(BoardTest, WaveClipsShiftedRowsAtTheBoardEdge) {
  TPrismSheet Sheet;
  MakeIndexSheet(Sheet, 4, 1, {1, 2, 3, 4});
  TPrismBoard Board(4, 2);
  // Left 0, phase 192 (sine -1): shift -2, so columns 2 and 3 land on x 0 and 1.
  Board.DrawWave(2, 1, 1.0, 192, 1, 2, 1, 2, Sheet.GetBounds(), Sheet);
  EXPECT_EQ(Rows(Board), (std::vector<std::vector<uint16_t>>{{3, 4, 0, 0}, {0, 0, 0, 0}}));
}

TEST_P(BoardTest, WaveZoomTwoRepeatsColumnsAndRows) {
  TPrismSheet Sheet;
  MakeIndexSheet(Sheet, 2, 2, {1, 2, 3, 4});
  TPrismBoard Board(4, 4);
  Board.DrawWave(2, 2, 2.0, 0, 1, 0, 1, 1, Sheet.GetBounds(), Sheet);
  EXPECT_EQ(Rows(Board), (std::vector<std::vector<uint16_t>>{{1, 1, 2, 2}, {1, 1, 2, 2}, {3, 3, 4, 4}, {3, 3, 4, 4}}));
}

TEST_P(BoardTest, WaveWithPeriodZeroDrawsNothing) {
  TPrismSheet Sheet;
  MakeIndexSheet(Sheet, 2, 2, {1, 2, 3, 4});
  TPrismBoard Board(4, 4);
  Board.DrawWave(2, 2, 1.0, 0, 0, 0, 1, 1, Sheet.GetBounds(), Sheet);
  EXPECT_EQ(Rows(Board), std::vector<std::vector<uint16_t>>(4, std::vector<uint16_t>(4, 0)));
}

TEST_P(BoardTest, TransformsNeverReadOutsideTheSheet) {
  TPrismSheet Sheet;
  MakeIndexSheet(Sheet, 2, 2, {1, 2, 3, 4});
  TPrismBoard Board(8, 8);
  // Source rectangles larger than the sheet: only real pixels are drawn (checked under ASan).
  Board.StretchDraw({0, 0, 8, 8}, Sheet, {-3, -3, 5, 5});
  Board.DrawRotate(4, 4, 3.0, 17, 2, 2, {-2, -2, 6, 6}, Sheet);
  Board.DrawWave(4, 4, 2.0, 10, 3, 5, 2, 2, {-2, -2, 6, 6}, Sheet);
  SUCCEED();
}

}  // namespace
