#include "graphics/GR_Font.h"

#include <gtest/gtest.h>

namespace {

TEST(GlyphFontTest, ShiftJisPairsBecomeJisRowCell) {
  struct Case {
    uint8_t Lead, Trail;
    uint16_t Jis;
  };
  const Case Cases[] = {
      {0x81, 0x40, 0x2121},   // ideographic space, first code
      {0x81, 0x42, 0x2123},   // 。
      {0x82, 0xA0, 0x2422},   // あ: trail above 0x7F
      {0x83, 0x41, 0x2522},   // ア
      {0x88, 0x9F, 0x3021},   // 亜: trail 0x9F starts the even row
      {0x8A, 0xBF, 0x3441},   // 漢
      {0x9F, 0xFC, 0x5E7E},   // last pair of the lower lead range
      {0xE0, 0x40, 0x5F21},   // first pair of the upper lead range
      {0xEA, 0xA4, 0x7426},   // last character of the set
  };
  for (const auto& C : Cases) EXPECT_EQ(ShiftJisToJis(C.Lead, C.Trail), C.Jis) << std::hex << int(C.Lead);
}

int InkCount(const TGlyphMask& Mask) {
  int Count = 0;
  for (uint16_t Row : Mask.Rows) Count += __builtin_popcount(Row);
  return Count;
}

int Widest(const TGlyphMask& Mask) {
  int Width = 0;
  for (uint16_t Row : Mask.Rows)
    for (int j = 0; j < 12; ++j)
      if (Row >> j & 1) Width = std::max(Width, j + 1);
  return Width;
}

TEST(GlyphFontTest, GlyphsComeFromTheRightFont) {
  TGlyphFont Font;
  ASSERT_TRUE(Font.LoadErrors().empty());
  EXPECT_GT(InkCount(Font.Glyph('A')), 0);
  EXPECT_LE(Widest(Font.Glyph('A')), 6);
  EXPECT_GT(InkCount(Font.Glyph(0xB1)), 0);   // half-width katakana ｱ
  EXPECT_LE(Widest(Font.Glyph(0xB1)), 6);
  EXPECT_GT(Widest(Font.Glyph(0x8ABF)), 6);   // 漢
  EXPECT_EQ(InkCount(Font.Glyph(' ')), 0);
  EXPECT_EQ(InkCount(Font.Glyph(0x8140)), 0);   // ideographic space
  EXPECT_EQ(InkCount(Font.Glyph(0xF040)), 0);   // user-defined area: no font holds it
}

TEST(GlyphFontTest, MissingFontFilesGiveBlankGlyphsAndSayWhy) {
  TGlyphFont Font("/nonexistent/fonts");
  EXPECT_EQ(Font.LoadErrors().size(), 3u);
  EXPECT_NE(Font.LoadErrors()[0].find("shnm6x12r"), std::string::npos);
  EXPECT_EQ(InkCount(Font.Glyph('A')), 0);
  EXPECT_EQ(InkCount(Font.Glyph(0x82A0)), 0);
}

}  // namespace
