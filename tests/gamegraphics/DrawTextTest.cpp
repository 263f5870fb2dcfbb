#include "SystemGraphicTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The half-width "A" of the 12-pixel gothic font, as the font file shows it.
const char* const FontLetterA[12] = {"......", "..#...", "..#...", ".#.#..", ".#.#..", ".#.#..",
                                     "#####.", "#...#.", "#...#.", "#...#.", "......", "......"};

class DrawTextTest : public ::testing::Test, public TSystemFixture {
 protected:
  static constexpr uint8_t Paper = 1;
  static constexpr uint8_t ShadowIndex = 151;

  // A fresh sheet with the text drawn at (X, Y).
  std::unique_ptr<TPrismSheet> Drawn(std::string_view Text, int X = 4, int Y = 2, int Color = 0, int W = 200,
                                     int H = 24) {
    auto Sheet = FilledSheet(W, H, Paper);
    Graphic.DrawText(*Sheet, X, Y, Text, Color);
    return Sheet;
  }
  static bool SameSheets(const TPrismSheet& A, const TPrismSheet& B) { return A.Pixels == B.Pixels; }
  static bool Blank(const TPrismSheet& S) {
    return std::ranges::all_of(S.Pixels, [](uint8_t P) { return P == Paper; });
  }
  // Columns of the sheet that hold anything but paper.
  static std::vector<int> InkedColumns(const TPrismSheet& S) {
    std::vector<int> Columns;
    for (int x = 0; x < S.Width(); ++x)
      for (int y = 0; y < S.Height(); ++y)
        if (At(S, x, y) != Paper) {
          Columns.push_back(x);
          break;
        }
    return Columns;
  }
};

TEST_F(DrawTextTest, HalfWidthLetterTakesColourTenWithShadowBelowRight) {
  // Colour 10 is the first cell of the second row (y 64): index 186.
  auto Sheet = Drawn("A", 4, 2, 10);
  for (int i = 0; i < 12; ++i)
    for (int j = 0; j < 6; ++j) {
      const bool Ink = FontLetterA[i][j] == '#';
      const bool InkAboveLeft = i > 0 && j > 0 && FontLetterA[i - 1][j - 1] == '#';
      const int Expected = Ink ? 186 : InkAboveLeft ? ShadowIndex : Paper;
      EXPECT_EQ(At(*Sheet, 4 + j, 2 + 2 + i), Expected) << "glyph row " << i << " column " << j;
    }
}

TEST_F(DrawTextTest, ColourTwentyWrapsToColourZeroAndColourFiveReadsRowByRow) {
  EXPECT_TRUE(SameSheets(*Drawn("A", 4, 2, 20), *Drawn("A", 4, 2, 0)));
  EXPECT_EQ(At(*Drawn("A", 4, 2, 0), 4 + 2, 2 + 2 + 1), 176);
  // Colour 5 has index 200 + r on its row r; glyph row i reads row i + 2 of the cell.
  auto Sheet = Drawn("A", 4, 2, 5);
  EXPECT_EQ(At(*Sheet, 4 + 2, 2 + 2 + 1), 200 + 1 + 2);
  EXPECT_EQ(At(*Sheet, 4 + 0, 2 + 2 + 6), 200 + 6 + 2);
}

TEST_F(DrawTextTest, ShadowIndexZeroMeansNoShadow) {
  Graphic.Image.ScanLine(32)[16] = 0;
  auto Sheet = Drawn("A", 4, 2, 0);
  EXPECT_EQ(std::ranges::count(Sheet->Pixels, ShadowIndex), 0);
  EXPECT_EQ(std::ranges::count(Sheet->Pixels, 0), 0);
  EXPECT_GT(std::ranges::count(Sheet->Pixels, 176), 0);
}

TEST_F(DrawTextTest, DollarLetterDrawsTheExtraGlyphAndAdvancesTwelve) {
  const TPrismBitmap ExFont = LoadProgramResource("EXFONT");   // "A" is its first glyph
  auto Sheet = Drawn("$AA", 4, 2, 10);
  for (int i = 0; i < 12; ++i)
    for (int j = 0; j < 12; ++j)
      if (ExFont.ScanLine(i)[j] != 0) {
        EXPECT_EQ(At(*Sheet, 4 + j, 4 + i), 186) << i << "," << j;
      }
  // The font's "A" follows 12 pixels on.
  auto Letter = Drawn("A", 16, 2, 10);
  for (int x = 16; x < 24; ++x)
    for (int y = 0; y < 24; ++y) EXPECT_EQ(At(*Sheet, x, y), At(*Letter, x, y)) << x << "," << y;

  // "$z" is the last glyph: row 3, column 12.
  auto Last = Drawn("$z", 4, 2, 10);
  for (int i = 0; i < 12; ++i)
    for (int j = 0; j < 12; ++j)
      if (ExFont.ScanLine(36 + i)[144 + j] != 0) {
        EXPECT_EQ(At(*Last, 4 + j, 4 + i), 186);
      }
}

struct SameAsCase {
  const char* Name;
  std::string Text;
  std::vector<std::pair<std::string, int>> Pieces;   // each piece drawn alone at its X
};

TEST_F(DrawTextTest, DollarAndGapRules) {
  const SameAsCase Cases[] = {
      {"dollar digit is two characters", "$1", {{"$", 4}, {"1", 10}}},
      {"double dollar is one dollar over two bytes", "$$1", {{"$", 4}, {"1", 16}}},
      {"dollar at the end draws itself", "1$", {{"1", 4}, {"$", 10}}},
      {"gap of three", "\x01" "A\x01\x01" "B", {{"A", 7}, {"B", 19}}},
      {"stray lead byte at the end is a space", "A\x82", {{"A", 4}}},
      {"lead byte before a non-trail byte is a space", "\x82\x01" "A", {{"A", 13}}},
  };
  for (const auto& C : Cases) {
    auto Expected = FilledSheet(200, 24, Paper);
    for (const auto& [Piece, X] : C.Pieces) Graphic.DrawText(*Expected, X, 2, Piece, 0);
    EXPECT_TRUE(SameSheets(*Drawn(C.Text), *Expected)) << C.Name;
  }
}

TEST_F(DrawTextTest, RightEdgeRuleWithThePunctuationMarks) {
  struct Case {
    const char* Text;
    int X;
    bool Drawn;
  };
  // Sheet width 60: a character of n bytes needs X < 60 - 6n - 6, the four marks X <= that.
  const Case Cases[] = {
      {"A", 47, true},         {"A", 48, false},          {"\x81\x42", 42, true},  // 。
      {"\x81\x41", 42, true},  {"\x81\x43", 42, true},    {"\x81\x44", 42, true},  // 、，．
      {"\x81\x42", 43, false}, {"\x82\xA0", 42, false},   {"\x82\xA0", 41, true},  // あ
      {"$A", 42, false},       {"$A", 41, true},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(!Blank(*Drawn(C.Text, C.X, 2, 0, 60)), C.Drawn) << "X " << C.X << " text " << C.Text;
}

TEST_F(DrawTextTest, ShiftJisSentenceMixesFullAndHalfWidth) {
  // "Aあ1ｱ漢。": A at 0, あ at 6, 1 at 18, ｱ at 24, 漢 at 30, 。 at 42 (offset by X = 4).
  const std::string Text = "A\x82\xA0" "1\xB1\x8A\xBF\x81\x42";
  auto Sheet = Drawn(Text);
  const std::pair<std::string, int> Pieces[] = {{"A", 4},        {"\x82\xA0", 10}, {"1", 22},
                                                {"\xB1", 28},    {"\x8A\xBF", 34}, {"\x81\x42", 46}};
  auto Expected = FilledSheet(200, 24, Paper);
  for (const auto& [Piece, X] : Pieces) {
    auto Alone = Drawn(Piece, X);
    EXPECT_FALSE(Blank(*Alone)) << "glyph at " << X;
    Graphic.DrawText(*Expected, X, 2, Piece, 0);
  }
  EXPECT_TRUE(SameSheets(*Sheet, *Expected));
  // Full-width glyphs reach past six columns, half-width ones stay within them (plus shadow).
  auto Wide = InkedColumns(*Drawn("\x8A\xBF", 4));
  EXPECT_GT(Wide.back() - 4, 6);
  auto Narrow = InkedColumns(*Drawn("\xB1", 4));
  EXPECT_LE(Narrow.back() - 4, 6);
}

TEST_F(DrawTextTest, CharacterNoFontHoldsDrawsNothingButKeepsItsWidth) {
  // 0xF040 is in the user-defined area, beyond every font.
  auto Sheet = Drawn("\xF0\x40" "A");
  EXPECT_TRUE(SameSheets(*Sheet, *Drawn("A", 16)));
}

TEST_F(DrawTextTest, MinchoFaceDrawsDifferentlyFromGothic) {
  // The two faces share their kanji; their kana differ.
  auto Gothic = Drawn("\x82\xA0");
  Graphic.SetFont(1);
  EXPECT_EQ(Graphic.FontChoice(), 1);
  auto Mincho = Drawn("\x82\xA0");
  EXPECT_FALSE(Blank(*Mincho));
  EXPECT_FALSE(SameSheets(*Gothic, *Mincho));
  Graphic.SetFont(0);
  EXPECT_TRUE(SameSheets(*Gothic, *Drawn("\x82\xA0")));
}

TEST_F(DrawTextTest, NegativeColourWrapsInsteadOfReadingOutside) {
  EXPECT_TRUE(SameSheets(*Drawn("A", 4, 2, -1), *Drawn("A", 4, 2, 19)));
}

}  // namespace
