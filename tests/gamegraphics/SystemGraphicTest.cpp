#include "SystemGraphicTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class SystemGraphicTest : public ::testing::Test, public TSystemFixture {
 protected:
  uint16_t Word(int Index) const { return Graphic.Image.Colors16()[size_t(Index)]; }
  static uint16_t BoardAt(const TPrismBoard& Board, int X, int Y) { return Board.ScanLine(Y)[X]; }
};

struct PixelCase {
  int X, Y;
  int Expected;
};

void ExpectPixels(const TPrismSheet& Sheet, std::initializer_list<PixelCase> Cases) {
  for (const auto& C : Cases) EXPECT_EQ(At(Sheet, C.X, C.Y), C.Expected) << "at (" << C.X << ", " << C.Y << ")";
}

TEST_F(SystemGraphicTest, WindowOfSevenBySevenIsOnlyTheStretchedBackground) {
  auto Sheet = FilledSheet(20, 20, 255);
  Graphic.DrawWindow(*Sheet, 2, 3, 7, 7);
  // Row i, column j take background (i*32 div 7, j*32 div 7): 0 -> 0, 1 -> 4, 3 -> 13, 5 -> 22, 6 -> 27.
  ExpectPixels(*Sheet, {{2, 3, 64}, {3, 4, 64 + 8 + 1}, {2 + 5, 3 + 3, 64 + 3 * 8 + 5}, {8, 9, 64 + 6 * 8 + 6},
                        {9, 9, 255}, {8, 10, 255}, {1, 3, 255}});
  for (int y = 3; y < 10; ++y)
    for (int x = 2; x < 9; ++x) EXPECT_GE(At(*Sheet, x, y), 64) << "no frame piece at (" << x << ", " << y << ")";
}

TEST_F(SystemGraphicTest, WindowOfEightByEightIsFourCornersBottomRightLast) {
  auto Sheet = FilledSheet(8, 8, 255);
  Graphic.DrawWindow(*Sheet, 0, 0, 8, 8);
  // The bottom-right corner (31) covers all but its hole at (6, 6), where the bottom-left
  // corner (28) shows.
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(At(*Sheet, x, y), x == 6 && y == 6 ? 28 : 31) << x << "," << y;
}

TEST_F(SystemGraphicTest, WindowEdgesAlternateAndHolesShowTheTiledBackground) {
  Graphic.Tiled = true;
  auto Sheet = FilledSheet(40, 50, 255);
  Graphic.DrawWindow(*Sheet, 1, 2, 24, 16);
  const int X = 1, Y = 2;
  ExpectPixels(*Sheet, {
                           {X, Y, 64},                       // top-left corner's hole: background (0, 0)
                           {X + 1, Y, 16},                   // top-left corner
                           {X + 13, Y + 2, 18},              // top edge k = 1: piece (2, 0)
                           {X + 12, Y, 64 + 3},              // its hole: background column 12
                           {X + 22, Y, 64 + 5},              // top-right corner's hole
                           {X + 20, Y + 1, 19},              // top-right corner
                           {X, Y + 14, 64 + 3 * 8},          // bottom-left corner's hole, row 14
                           {X + 1, Y + 14, 28},              // bottom-left corner
                           {X + 12, Y + 14, 64 + 3 * 8 + 3}, // bottom edge piece (2, 3) hole
                           {X + 11, Y + 14, 30},             // bottom edge
                           {X + 23, Y + 15, 31},             // bottom-right corner
                           {X + 24, Y + 15, 255},            // outside
                       });

  auto Tall = FilledSheet(16, 40, 255);
  Graphic.DrawWindow(*Tall, 0, 0, 16, 40);
  // Sides for k = 1, 2, 3: odd k piece row 2, even k piece row 1.
  ExpectPixels(*Tall, {{1, 9, 24}, {1, 17, 20}, {1, 25, 24}, {9, 9, 27}, {9, 17, 23}, {9, 25, 27}, {1, 33, 28}});
}

TEST_F(SystemGraphicTest, WindowBackgroundTilesEveryThirtyTwoPixels) {
  Graphic.Tiled = true;
  auto Sheet = FilledSheet(70, 40, 255);
  Graphic.DrawWindow(*Sheet, 0, 0, 70, 7);
  ExpectPixels(*Sheet, {{0, 0, 64}, {33, 5, 64 + 8}, {69, 6, 64 + 8 + 1}});
}

TEST_F(SystemGraphicTest, CursorFrameOneComposesInteriorEdgesAndCorners) {
  auto Sheet = FilledSheet(60, 40, 7);
  Graphic.DrawCursor(*Sheet, {4, 6, 44, 30}, 1);
  const int L = 4, T = 6;
  // Frame 1 pieces are 48 + 4 py + px.
  ExpectPixels(*Sheet, {
                           {L, T, 7},                                                     // corner hole
                           {L + 1, T + 1, 48},                                            // top-left
                           {L + 9, T + 1, 50}, {L + 17, T + 1, 49}, {L + 25, T + 1, 50},  // top edge
                           {L + 33, T + 1, 51},                                           // top-right
                           {L + 1, T + 9, 56}, {L + 33, T + 9, 59},                       // sides
                           {L + 9, T + 9, 58}, {L + 17, T + 9, 57}, {L + 25, T + 9, 58},  // interior
                           {L + 12, T + 12, 7},                                           // interior hole
                           {L + 1, T + 17, 60}, {L + 9, T + 17, 62}, {L + 17, T + 17, 61},
                           {L + 33, T + 17, 63},
                           {L + 40, T + 17, 7},
                       });
}

TEST_F(SystemGraphicTest, CursorSmallerThanEightDrawsNothing) {
  auto Sheet = FilledSheet(20, 20, 7);
  Graphic.DrawCursor(*Sheet, {0, 0, 7, 16}, 0);
  Graphic.DrawCursor(*Sheet, {0, 0, 16, 7}, 0);
  EXPECT_TRUE(std::ranges::all_of(Sheet->Pixels, [](uint8_t P) { return P == 7; }));
}

struct TimerCase {
  int Frames;
  int Digits[4];
  bool Colon;
};

TEST_F(SystemGraphicTest, TimerShowsMinutesSecondsAndBlinksTheColon) {
  const TimerCase Cases[] = {{3599, {0, 0, 5, 9}, true}, {3600, {0, 1, 0, 0}, false}, {3630, {0, 1, 0, 0}, true}};
  for (const auto& C : Cases) {
    TPrismBoard Board(64, 32);
    Graphic.DrawTimer(Board, 4, 8, C.Frames);
    const int Columns[] = {0, 8, 24, 32};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(BoardAt(Board, 4 + Columns[i] + 1, 9), Word(160 + C.Digits[i])) << C.Frames << " digit " << i;
      EXPECT_EQ(BoardAt(Board, 4 + Columns[i], 8), 0) << "keyed hole";
    }
    EXPECT_EQ(BoardAt(Board, 4 + 17, 9), C.Colon ? Word(170) : 0) << C.Frames;
  }
}

TEST_F(SystemGraphicTest, ArrowsIconAndBackgroundColour) {
  TPrismBoard Board(40, 40);
  Graphic.DrawUpArrow(Board, 0, 0);
  Graphic.DrawDownArrow(Board, 0, 10);
  Graphic.DrawIcon(Board, 20, 20, 2, 3);
  Graphic.DrawIcon(Board, 30, 30, 4, 0);   // out of range: nothing
  EXPECT_EQ(BoardAt(Board, 1, 1), Word(21));
  EXPECT_EQ(BoardAt(Board, 2, 2), 0);        // hole of piece (1, 1)
  EXPECT_EQ(BoardAt(Board, 9, 1), Word(22));
  EXPECT_EQ(BoardAt(Board, 1, 11), Word(25));
  EXPECT_EQ(BoardAt(Board, 9, 11), Word(26));
  EXPECT_EQ(BoardAt(Board, 27, 27), Word(142));
  EXPECT_EQ(BoardAt(Board, 30, 30), 0);
  const TPrismRgb Colour = Graphic.BackgroundColor();   // index 150: red 22 << 3, green 4 << 2
  EXPECT_EQ(Colour.Red, 176);
  EXPECT_EQ(Colour.Green, 16);
  EXPECT_EQ(Colour.Blue, 0);
}

TEST_F(SystemGraphicTest, ShadowBlendsBothCellsAndRestoresOpacity) {
  TPrismBoard Board(16, 16);
  Graphic.DrawShadow(Board, 0, 0, 512);   // opacity 128: weights 129 and 128
  // Left half only the first cell (11, 5, 0): (11*129 >> 8, 5*129 >> 8) = (5, 2).
  EXPECT_EQ(BoardAt(Board, 2, 2), uint16_t(5 << 11 | 2 << 5));
  // Right half the second cell (12, 5, 0) over that: ((12*129 + 5*128) >> 8, (5*129 + 2*128) >> 8).
  EXPECT_EQ(BoardAt(Board, 10, 2), uint16_t(8 << 11 | 3 << 5));
  EXPECT_EQ(Graphic.Image.Opacity, 255);
}

TEST_F(SystemGraphicTest, MissingSystemImageDrawsBlackAndNeverFails) {
  Graphic.LoadImage("NoSuchSkin");
  EXPECT_EQ(Graphic.Image.Width(), 160);
  EXPECT_TRUE(std::ranges::all_of(Graphic.Image.Pixels, [](uint8_t P) { return P == 0; }));
  auto Sheet = FilledSheet(40, 40, 9);
  Graphic.DrawWindow(*Sheet, 0, 0, 40, 40);
  Graphic.DrawCursor(*Sheet, {0, 0, 40, 40}, 0);
  Graphic.DrawText(*Sheet, 0, 0, "Text", 3);
  EXPECT_TRUE(std::ranges::all_of(Sheet->Pixels, [](uint8_t P) { return P == 0; }));
  TPrismBoard Board(64, 32);
  Graphic.DrawTimer(Board, 0, 0, 100);
  EXPECT_EQ(Graphic.BackgroundColor().Red, 0);
}

TEST_F(SystemGraphicTest, UnreadableSystemImageRaisesAndLeavesTheImageCleared) {
  Folder.Write("data/Broken.png", "\x89PNG\r\n\x1a\nnot really");
  EXPECT_THROW(Graphic.LoadImage("Broken"), EPrismImageError);
  EXPECT_TRUE(std::ranges::all_of(Graphic.Image.Pixels, [](uint8_t P) { return P == 0; }));
}

TEST_F(SystemGraphicTest, ComposingOutsideTheSheetIsCutOff) {
  auto Sheet = FilledSheet(16, 16, 9);
  Graphic.DrawWindow(*Sheet, -20, -20, 64, 64);
  Graphic.DrawCursor(*Sheet, {-4, 10, 40, 40}, 0);
  Graphic.DrawText(*Sheet, -5, 10, "$AAB", 3);
  Graphic.DrawTimer(*std::make_unique<TPrismBoard>(8, 8), -30, -5, 123456789);
  SUCCEED();
}

TEST(ProgramResourceTest, BuiltInPicturesHaveTheirSizes) {
  struct Case {
    const char* Name;
    int W, H;
  };
  for (const Case& C : {Case{"EXFONT", 156, 48}, Case{"LOGO1", 320, 240}, Case{"logo2", 320, 240}, Case{"LOGO3", 320, 240}}) {
    const TPrismBitmap B = LoadProgramResource(C.Name);
    EXPECT_EQ(B.Width, C.W) << C.Name;
    EXPECT_EQ(B.Height, C.H) << C.Name;
    EXPECT_EQ(B.BitsPerPixel, 8);
    EXPECT_GT(std::ranges::count_if(B.Pixels, [](uint8_t P) { return P != 0; }), 0) << C.Name;
  }
  EXPECT_THROW(LoadProgramResource("LOGO4"), EInvalidGraphic);
}

}  // namespace
