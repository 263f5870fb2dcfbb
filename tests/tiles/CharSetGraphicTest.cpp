#include "TilesTestUtil.h"

#include "data/GameFolder.h"
#include "graphics/GR_CharSet.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A sheet whose 24x32 cell in column C (0..11) and row R (0..7) is filled with index R*12 + C + 1.
TPrismBitmap LabelledCharSet() {
  TPrismBitmap Bitmap = IndexedBitmap(288, 256);
  for (int32_t R = 0; R < 8; ++R)
    for (int32_t C = 0; C < 12; ++C) FillBitmap(Bitmap, C * 24, R * 32, 24, 32, uint8_t(R * 12 + C + 1));
  return Bitmap;
}

// Every pixel white except a black index-0 column at x 0.
TPrismBitmap WhiteCharSet() {
  TPrismBitmap Bitmap = IndexedBitmap(288, 256);
  Bitmap.Palette[1] = {255, 255, 255, 0};
  Bitmap.Palette[2] = {255, 0, 0, 0};
  FillBitmap(Bitmap, 0, 0, 288, 256, 1);
  FillBitmap(Bitmap, 24, 0, 24, 32, 2);  // character 0, frame 1, direction 0: red
  FillBitmap(Bitmap, 0, 0, 1, 256, 0);
  return Bitmap;
}

class CharSetGraphicTest : public ::testing::Test {
 protected:
  CharSetGraphicTest() : Game(Scratch.Path().string()), Graphic(Game), Board(64, 64) {
    WritePicture(Scratch, "data", "Labelled", LabelledCharSet());
    WritePicture(Scratch, "data", "White", WhiteCharSet());
  }

  TTestFolder Scratch;
  TGameFolder Game;
  TLcfCharSetGraphic Graphic;
  TPrismBoard Board;
};

TEST(CharSetFrameTest, FrameRectanglesFollowCharacterFrameAndDirection) {
  struct TCase {
    int32_t Frame, Direction, Character;
    TRect Expected;
  };
  const TCase Cases[] = {
      {0, 0, 0, {0, 0, 24, 32}},
      {3, 2, 5, {96, 192, 120, 224}},   // frame 3 shows frame 1
      {2, 3, 7, {264, 224, 288, 256}},
      {1, 1, 3, {240, 32, 264, 64}},
      {0, 9, 1, {72, 0, 96, 32}},       // a direction outside 0..3 adds nothing
      {0, -1, 4, {0, 128, 24, 160}},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(TLcfCharSetGraphic::FrameRect(C.Frame, C.Direction, C.Character), C.Expected)
        << C.Frame << " " << C.Direction << " " << C.Character;
}

TEST_F(CharSetGraphicTest, FrameIsAnchoredAtItsBottomCentre) {
  const int32_t Index = Graphic.Load("Labelled");
  FillBoard(Board, 0xFFFF);
  Graphic.DrawFrame(Board, 32, 40, 0, 3, 2, 5, Index);
  const int Expected = 6 * 12 + 4 + 1;  // row 6, column 4: (96, 192)
  EXPECT_EQ(IndexAt(Board, 20, 8), Expected);
  EXPECT_EQ(IndexAt(Board, 43, 39), Expected);
  EXPECT_EQ(Board.ScanLine(8)[19], 0xFFFF);
  EXPECT_EQ(Board.ScanLine(8)[44], 0xFFFF);
  EXPECT_EQ(Board.ScanLine(7)[20], 0xFFFF);
  EXPECT_EQ(Board.ScanLine(40)[20], 0xFFFF);
}

// White on black: a part drawn with opacity O shows (31, 63, 31) * (O + 1) >> 8 per channel.
TEST_F(CharSetGraphicTest, BushModesAndLevelsSetTheOpacityOfEachPart) {
  const TRgb565 Full{31, 63, 31}, At225{27, 55, 27}, At127{15, 31, 15}, At112{13, 27, 13};
  const TRgb565 Black{0, 0, 0};
  struct TCase {
    int32_t Mode, Level;
    TRgb565 Row0, Row15, Row16, Row20, Row21, Row31;
  };
  const TCase Cases[] = {
      {0, 0, Full, Full, Full, Full, Full, Full},
      {0, 1, At225, At225, At225, At225, At225, At225},
      {1, 0, Full, Full, Full, Full, At127, At127},
      {2, 1, At225, At225, At112, At112, At112, At112},
      {3, 0, At127, At127, At127, At127, At127, At127},
      {4, 0, Black, Black, Black, Black, Black, Black},
      {-1, 0, Black, Black, Black, Black, Black, Black},
  };
  const int32_t Index = Graphic.Load("White");
  for (const auto& C : Cases) {
    Board.Clear();
    Graphic.Level = C.Level;
    Graphic.DrawFrame(Board, 32, 40, C.Mode, 0, 1, 1, Index);  // top-left (20, 8)
    const TRgb565 Rows[] = {C.Row0, C.Row15, C.Row16, C.Row20, C.Row21, C.Row31};
    const int32_t RowNumbers[] = {0, 15, 16, 20, 21, 31};
    for (size_t I = 0; I < 6; ++I)
      EXPECT_EQ(ColorAt(Board, 30, 8 + RowNumbers[I]), Rows[I]) << "mode " << C.Mode << " level " << C.Level
                                                                 << " row " << RowNumbers[I];
  }
}

TEST_F(CharSetGraphicTest, TransparentSkipsIndexZeroAndGreyDropsSaturation) {
  const int32_t Index = Graphic.Load("White");
  FillBoard(Board, 0x1234);
  Graphic.DrawFrame(Board, 32, 40, 0, 0, 0, 0, Index);  // column 0 of the frame is index 0
  EXPECT_EQ(Board.ScanLine(8)[20], 0);
  Graphic.Transparent = true;
  FillBoard(Board, 0x1234);
  Graphic.DrawFrame(Board, 32, 40, 0, 0, 0, 0, Index);
  EXPECT_EQ(Board.ScanLine(8)[20], 0x1234);
  EXPECT_EQ(ColorAt(Board, 21, 8), (TRgb565{31, 63, 31}));

  // Red (31, 0, 0) at saturation 0: grey (3*31)/10 = 9, so (9, 18, 9).
  Graphic.Grey = true;
  Graphic.DrawFrame(Board, 32, 40, 0, 1, 0, 0, Index);
  EXPECT_EQ(ColorAt(Board, 30, 20), (TRgb565{9, 18, 9}));
  Graphic.Grey = false;
  Graphic.DrawFrame(Board, 32, 40, 0, 1, 0, 0, Index);
  EXPECT_EQ(ColorAt(Board, 30, 20), (TRgb565{31, 0, 0}));
}

TEST_F(CharSetGraphicTest, CacheMatchesNamesWithoutLetterCase) {
  EXPECT_EQ(Graphic.Load("Labelled"), 0);
  EXPECT_EQ(Graphic.Load("White"), 1);
  EXPECT_EQ(Graphic.Load("LABELLED"), 0);
  EXPECT_EQ(Graphic.IndexOf("white"), 1);
  EXPECT_EQ(Graphic.IndexOf("Whit"), -1);
  EXPECT_EQ(Graphic.Count(), 2u);
  ASSERT_NE(Graphic.SheetOf(1), nullptr);
  EXPECT_EQ(Graphic.SheetOf(1)->Width(), 288);
  EXPECT_EQ(Graphic.SheetOf(2), nullptr);
  EXPECT_EQ(Graphic.SheetOf(-1), nullptr);
  // A double-byte character whose trail byte looks like "A" is not the one whose trail looks like "a".
  Graphic.Names.push_back("\x83\x41");
  EXPECT_EQ(Graphic.IndexOf("\x83\x61"), -1);
  EXPECT_EQ(Graphic.IndexOf("\x83\x41"), 2);
}

TEST_F(CharSetGraphicTest, AMissingSheetRaisesAndStaysCachedCleared) {
  EXPECT_THROW(Graphic.Load("Nobody"), EPrismImageError);
  ASSERT_EQ(Graphic.IndexOf("nobody"), 0);
  EXPECT_TRUE(Graphic.SheetOf(0)->IsAreaEmpty(Graphic.SheetOf(0)->GetBounds()));
  EXPECT_EQ(Graphic.Load("Nobody"), 0);  // cached: not looked up again
  Graphic.Transparent = true;
  FillBoard(Board, 0x1234);
  Graphic.DrawFrame(Board, 32, 40, 0, 0, 0, 0, 0);
  Graphic.DrawFrame(Board, 32, 40, 0, 0, 0, 0, 7);  // not cached: nothing
  EXPECT_EQ(Board.ScanLine(20)[30], 0x1234);
}

class CharSetPurgeTest : public ::testing::Test {
 protected:
  CharSetPurgeTest() : Game(Scratch.Path().string()), Graphic(Game) {}
  // N cached entries named "0".."N-1", used where Used says so.
  void Cache(size_t N, std::initializer_list<size_t> UsedOnes) {
    for (size_t I = 0; I < N; ++I) {
      Graphic.Names.push_back(std::to_string(I));
      Graphic.Sheets.push_back(std::make_unique<TPrismSheet>());
      Graphic.Used.push_back(0);
    }
    for (size_t I : UsedOnes) Graphic.Used[I] = 1;
  }
  std::vector<std::string> NamesLeft() const { return Graphic.Names; }
  static std::vector<std::string> Range(std::vector<size_t> Indices) {
    std::vector<std::string> Out;
    for (size_t I : Indices) Out.push_back(std::to_string(I));
    return Out;
  }

  TTestFolder Scratch;
  TGameFolder Game;
  TLcfCharSetGraphic Graphic;
};

TEST_F(CharSetPurgeTest, UnusedEntriesGoUntilNineteenRemain) {
  Cache(25, {0, 24});
  Graphic.Purge();
  std::vector<size_t> Kept{0};
  for (size_t I = 7; I < 25; ++I) Kept.push_back(I);
  EXPECT_EQ(NamesLeft(), Range(Kept));
  EXPECT_EQ(Graphic.Sheets.size(), 19u);
  EXPECT_EQ(Graphic.Used.size(), 19u);
}

TEST_F(CharSetPurgeTest, FewerThanTwentyNamesAreAllKept) {
  Cache(19, {});
  Graphic.Purge();
  EXPECT_EQ(Graphic.Count(), 19u);
}

TEST_F(CharSetPurgeTest, TheLastEntryStaysEvenWhenUnused) {
  std::initializer_list<size_t> AllButLast = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23};
  Cache(25, AllButLast);
  Graphic.Purge();
  EXPECT_EQ(Graphic.Count(), 25u);
}

TEST_F(CharSetPurgeTest, ClearUsedThenLoadMarksWhatAMapNeeds) {
  Cache(21, {});
  Graphic.Used.assign(21, 1);
  Graphic.ClearUsed();
  Graphic.Used[3] = 1;
  Graphic.Purge();
  // Entries 0 and 1 go; with nineteen left the walk stops before reaching the used one.
  EXPECT_EQ(NamesLeft(), Range({2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
}

TEST_F(CharSetPurgeTest, ClearEmptiesTheCacheAndResetsTheDrawSettings) {
  Cache(3, {1});
  Graphic.Transparent = true, Graphic.Level = 3, Graphic.Grey = true;
  Graphic.Clear();
  EXPECT_EQ(Graphic.Count(), 0u);
  EXPECT_TRUE(Graphic.Sheets.empty());
  EXPECT_FALSE(Graphic.Transparent);
  EXPECT_EQ(Graphic.Level, 0);
  EXPECT_FALSE(Graphic.Grey);
}

}  // namespace
