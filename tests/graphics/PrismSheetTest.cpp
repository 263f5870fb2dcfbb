#include "graphics/PrismSheet.h"

#include "GraphicsTestUtil.h"
#include "TestFolder.h"
#include "graphics/PrismXyz.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

// Palette entry (200, 100, 50) is (25, 25, 6) in 5-6-5 before any adjustment.
struct ColourCase {
  const char* Name;
  void (*Adjust)(TPrismSheet&);
  uint16_t Expected;
};

const ColourCase ColourCases[] = {
    {"neutral", [](TPrismSheet&) {}, Rgb565(25, 25, 6)},
    {"red tone up", [](TPrismSheet& S) { S.Color1.SetTone(150, 100, 100, 100, false); }, Rgb565(28, 25, 6)},
    {"green tone down", [](TPrismSheet& S) { S.Color1.SetTone(100, 50, 100, 100, false); }, Rgb565(25, 12, 6)},
    {"blue tone from both controls",
     [](TPrismSheet& S) {
       S.Color1.SetTone(100, 100, 150, 100, false);
       S.Color2.SetTone(100, 100, 150, 100, false);
     },
     Rgb565(25, 25, 31)},
    {"combined tone clamps at 0",
     [](TPrismSheet& S) {
       S.Color1.SetTone(0, 100, 100, 100, false);
       S.Color2.SetTone(50, 100, 100, 100, false);
     },
     Rgb565(0, 25, 6)},
    {"saturation 0", [](TPrismSheet& S) { S.Color1.SetTone(100, 100, 100, 0, false); }, Rgb565(15, 30, 15)},
    {"saturation 50", [](TPrismSheet& S) { S.Color1.SetTone(100, 100, 100, 50, false); }, Rgb565(20, 27, 10)},
    {"saturation 150 clamps", [](TPrismSheet& S) { S.Color1.SetTone(100, 100, 100, 150, false); }, Rgb565(31, 20, 0)},
    {"flash half red", [](TPrismSheet& S) { S.Color1.SetFlash(31, 0, 0, 16, false); }, Rgb565(28, 12, 3)},
    {"second flash after the first",
     [](TPrismSheet& S) {
       S.Color1.SetFlash(31, 31, 31, 32, false);
       S.Color2.SetFlash(0, 0, 0, 16, false);
     },
     Rgb565(15, 31, 15)},
    {"brightness 0", [](TPrismSheet& S) { S.Brightness = 0; }, 0},
    {"brightness 50", [](TPrismSheet& S) { S.Brightness = 50; }, Rgb565(12, 12, 3)},
    {"brightness 200", [](TPrismSheet& S) { S.Brightness = 200; }, Rgb565(31, 63, 31)},
};

class ColourConversion : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourConversion, MatchesHandComputedWord) {
  TPrismSheet Sheet;
  Sheet.SetPaletteEntry(7, 200, 100, 50);
  GetParam().Adjust(Sheet);
  Sheet.UpdatePalette();
  EXPECT_EQ(Sheet.Colors16()[7], GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ColourConversion, ::testing::ValuesIn(ColourCases),
                         [](const auto& Info) {
                           std::string N = Info.param.Name;
                           for (char& C : N)
                             if (!isalnum(uint8_t(C))) C = '_';
                           return N;
                         });

TEST(ColourConversion, NeutralKeepsTheTopBitsOfEveryChannel) {
  TPrismSheet Sheet;
  for (int i = 0; i < 256; ++i) Sheet.SetPaletteEntry(i, uint8_t(i), uint8_t(255 - i), uint8_t(i * 7));
  Sheet.UpdatePalette();
  for (int i = 0; i < 256; ++i)
    EXPECT_EQ(Sheet.Colors16()[i], ((i >> 3) << 11) | (((255 - i) >> 2) << 5) | (uint8_t(i * 7) >> 3)) << i;
}

TEST(ColorControl, SettersUpdateOnlyWhenAskedAndWhenChanged) {
  TPrismSheet Sheet;
  Sheet.SetPaletteEntry(1, 200, 100, 50);
  Sheet.Color1.SetTone(100, 100, 100, 0, false);
  EXPECT_EQ(Sheet.Colors16()[1], 0);   // not yet rebuilt
  Sheet.Color1.SetTone(100, 100, 100, 0, true);
  EXPECT_EQ(Sheet.Colors16()[1], 0);   // unchanged values return at once
  Sheet.Color1.Reset(true);
  EXPECT_EQ(Sheet.Colors16()[1], Rgb565(25, 25, 6));
}

struct HueCase {
  TPrismPaletteEntry In;
  int32_t Degrees;
  TPrismPaletteEntry Out;
};

class HueRotation : public ::testing::TestWithParam<HueCase> {};

TEST_P(HueRotation, MatchesHandComputedEntry) {
  TPrismSheet Sheet;
  Sheet.Palette[0] = {255, 0, 0, 0};
  Sheet.Palette[5] = GetParam().In;
  Sheet.RotateHue(GetParam().Degrees);
  EXPECT_EQ(Sheet.Palette[5], GetParam().Out);
  EXPECT_EQ(Sheet.Palette[0], (TPrismPaletteEntry{255, 0, 0, 0}));   // entry 0 never turns
}

INSTANTIATE_TEST_SUITE_P(Cases, HueRotation,
                         ::testing::Values(HueCase{{255, 0, 0, 9}, 120, {0, 255, 0, 0}},
                                           // V 200, S 191, H 20 -> 50: l 149.8, c 50.2, m 125
                                           HueCase{{200, 100, 50, 0}, 30, {200, 175, 50, 0}},
                                           // a negative turn goes the other way, not to grey
                                           HueCase{{255, 0, 0, 0}, -120, {0, 0, 255, 0}},
                                           HueCase{{90, 90, 90, 0}, 77, {90, 90, 90, 0}}));

TEST(HueRotation, ZeroLeavesPaletteButRebuildsColours) {
  TPrismSheet Sheet;
  Sheet.SetPaletteEntry(3, 200, 100, 50);
  Sheet.RotateHue(0);
  EXPECT_EQ(Sheet.Palette[3], (TPrismPaletteEntry{200, 100, 50, 0}));
  EXPECT_EQ(Sheet.Colors16()[3], Rgb565(25, 25, 6));
}

class SheetAreas : public ::testing::Test {
 protected:
  // 4 x 3:  1 2 0 0 / 1 2 0 0 / 5 6 7 0
  void SetUp() override { MakeIndexSheet(Sheet, 4, 3, {1, 2, 0, 0, 1, 2, 0, 0, 5, 6, 7, 0}); }
  TPrismSheet Sheet;
};

TEST_F(SheetAreas, EmptyAndFull) {
  EXPECT_TRUE(Sheet.IsAreaEmpty({2, 0, 4, 2}));
  EXPECT_FALSE(Sheet.IsAreaEmpty({2, 0, 4, 3}));
  EXPECT_TRUE(Sheet.IsAreaFull({0, 0, 2, 3}));
  EXPECT_FALSE(Sheet.IsAreaFull({0, 0, 3, 3}));
  EXPECT_TRUE(Sheet.IsAreaFull({-5, -5, 2, 3}));   // clipped to the sheet
}

TEST_F(SheetAreas, SameArea) {
  EXPECT_TRUE(Sheet.SameArea({0, 0, 2, 1}, {0, 1, 2, 2}));
  EXPECT_FALSE(Sheet.SameArea({0, 0, 2, 2}, {0, 1, 2, 3}));
  EXPECT_FALSE(Sheet.SameArea({0, 0, 2, 1}, {0, 0, 3, 1}));   // sizes differ
  EXPECT_TRUE(Sheet.SameArea({0, 0, 2, 0}, {1, 1, 3, 1}));    // empty height
  EXPECT_FALSE(Sheet.SameArea({0, 0, 2, 1}, {3, 0, 5, 1}));   // reaches outside
}

TEST_F(SheetAreas, MirrorAndFill) {
  Sheet.Mirror();
  EXPECT_EQ(Sheet.Pixels, (std::vector<uint8_t>{0, 0, 2, 1, 0, 0, 2, 1, 0, 7, 6, 5}));
  Sheet.FillArea({3, 1, 9, 9}, 4);
  EXPECT_EQ(Sheet.Pixels, (std::vector<uint8_t>{0, 0, 2, 1, 0, 0, 2, 4, 0, 7, 6, 4}));
}

TEST_F(SheetAreas, CopyFromClipsBothSidesAndKeysTransparentSources) {
  TPrismSheet Source;
  MakeIndexSheet(Source, 2, 2, {9, 0, 0, 8});
  Source.Transparent = true;
  Sheet.CopyFrom(3, -1, {0, 0, 2, 2}, Source);   // only source (0, 1) lands, at (3, 0)
  EXPECT_EQ(Sheet.Pixels, (std::vector<uint8_t>{1, 2, 0, 0, 1, 2, 0, 0, 5, 6, 7, 0}));
  Sheet.CopyFrom(0, 1, {-1, 0, 2, 2}, Source);   // source x -1 moves the target to x 1
  EXPECT_EQ(Sheet.Pixels, (std::vector<uint8_t>{1, 2, 0, 0, 1, 9, 0, 0, 5, 6, 8, 0}));
  Source.Transparent = false;
  Sheet.CopyFrom(2, 0, {0, 0, 2, 2}, Source);
  EXPECT_EQ(Sheet.Pixels, (std::vector<uint8_t>{1, 2, 9, 0, 1, 9, 0, 8, 5, 6, 8, 0}));
}

TPrismBitmap Picture(int W, int H, int Bits) {
  TPrismBitmap B;
  B.Allocate(W, H, Bits);
  for (size_t i = 0; i < B.Pixels.size(); ++i) B.Pixels[i] = uint8_t(i + 1);
  B.Palette[1] = {200, 100, 50, 0};
  return B;
}

TEST(AssignBitmap, CopiesTheOverlapFromTheOffset) {
  TPrismSheet Sheet;
  Sheet.SetSize(3, 3);
  Sheet.AssignBitmap(Picture(4, 3, 8), {2, 1});   // 2 columns x 2 rows: 7 8 / 11 12
  EXPECT_EQ(Sheet.Pixels, (std::vector<uint8_t>{7, 8, 0, 11, 12, 0, 0, 0, 0}));
  EXPECT_EQ(Sheet.Colors16()[1], Rgb565(25, 25, 6));
}

TEST(AssignBitmap, AutoSizeTakesTheImageSize) {
  TPrismSheet Sheet;
  Sheet.AutoSize = true;
  Sheet.AssignBitmap(Picture(2, 2, 8));
  EXPECT_EQ(Sheet.Width(), 2);
  EXPECT_EQ(Sheet.Pixels, (std::vector<uint8_t>{1, 2, 3, 4}));
}

TEST(AssignBitmap, RefusesTrueColour) {
  TPrismSheet Sheet;
  EXPECT_THROW(
      try { Sheet.AssignBitmap(Picture(2, 2, 24)); } catch (const EInvalidGraphic& E) {
        EXPECT_STREQ(E.what(), "An image format is illegal");
        throw;
      },
      EInvalidGraphic);
}

class SheetFiles : public ::testing::Test {
 protected:
  // A folder of its own: test processes run side by side and must not share a file.
  TTestFolder Folder;
  std::string Path = Folder / "sheet_test.xyz";
  void Write(const std::vector<uint8_t>& Bytes) {
    std::ofstream(Path, std::ios::binary).write(reinterpret_cast<const char*>(Bytes.data()), std::streamsize(Bytes.size()));
  }
};

TEST_F(SheetFiles, LoadsAnXyzFileWithAutoSize) {
  Write(EncodeXyz(Picture(3, 2, 8)));
  TPrismSheet Sheet;
  Sheet.AutoSize = true;
  Sheet.LoadFromFile(Path, true);
  EXPECT_EQ(Sheet.Pixels, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Sheet.Colors16()[1], Rgb565(25, 25, 6));
}

TEST_F(SheetFiles, MissingFileLeavesAClearedSheetUnlessErrorsAreRaised) {
  TPrismSheet Sheet;
  MakeIndexSheet(Sheet, 2, 1, {3, 4});
  Sheet.LoadFromFile(Path + ".missing", false);
  EXPECT_EQ(Sheet.Pixels, (std::vector<uint8_t>{0, 0}));
  EXPECT_EQ(Sheet.Palette[3], TPrismPaletteEntry{});
  EXPECT_EQ(Sheet.Colors16()[3], 0);
  EXPECT_THROW(Sheet.LoadFromFile(Path + ".missing", true), EPrismImageError);
}

TEST_F(SheetFiles, BrokenFileRaisesItsDecoderMessage) {
  Write({'X', 'Y', 'Z', '1', 1, 0, 1, 0, 0xFF, 0xFF});
  TPrismSheet Sheet;
  try {
    Sheet.LoadFromFile(Path, true);
    FAIL();
  } catch (const EPrismImageError& E) {
    EXPECT_STREQ(E.what(), "Zlib Error");
  }
  EXPECT_NO_THROW(Sheet.LoadFromFile(Path, false));
}

}  // namespace
