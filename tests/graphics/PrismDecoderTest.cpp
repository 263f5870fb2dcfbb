#include "GraphicsTestUtil.h"
#include "graphics/PrismBoard.h"
#include "graphics/PrismImage.h"
#include "graphics/PrismPng.h"
#include "graphics/PrismXyz.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// The message of the image error Decode raises, or "" when it raises none.
std::string ErrorOf(const std::function<void()>& Decode) {
  try {
    Decode();
  } catch (const EPrismImageError& E) {
    return E.what();
  }
  return "";
}

TPrismBitmap Numbered(int W, int H, int Bits = 8) {
  TPrismBitmap B;
  B.Allocate(W, H, Bits);
  for (size_t i = 0; i < B.Pixels.size(); ++i) B.Pixels[i] = uint8_t(i * 37 + 11);
  for (int i = 0; i < 256; ++i) B.Palette[i] = {uint8_t(i), uint8_t(i ^ 0x55), uint8_t(255 - i), 0};
  return B;
}

void ExpectSameImage(const TPrismBitmap& A, const TPrismBitmap& B) {
  EXPECT_EQ(A.Width, B.Width);
  EXPECT_EQ(A.Height, B.Height);
  EXPECT_EQ(A.BitsPerPixel, B.BitsPerPixel);
  EXPECT_EQ(A.Pixels, B.Pixels);
}

// ---- XYZ ----

std::vector<uint8_t> XyzFile(uint16_t W, uint16_t H, const std::vector<uint8_t>& Stream) {
  std::vector<uint8_t> F{'X', 'Y', 'Z', '1'};
  PutLe(F, W, 2);
  PutLe(F, H, 2);
  F.insert(F.end(), Stream.begin(), Stream.end());
  return F;
}

TEST(Xyz, RoundTrips) {
  TPrismBitmap In = Numbered(13, 7);
  TPrismBitmap Out = DecodeXyz(EncodeXyz(In));
  ExpectSameImage(In, Out);
  EXPECT_EQ(Out.Palette, In.Palette);
}

TEST(Xyz, ShortStreamLeavesTheRestZero) {
  std::vector<uint8_t> Raw(768 + 2, 0);
  Raw[3] = 9;                      // entry 1 red
  Raw[768] = 5, Raw[769] = 6;      // first two of the six pixels
  TPrismBitmap B = DecodeXyz(XyzFile(3, 2, Compress(Raw)));
  EXPECT_EQ(B.Pixels, (std::vector<uint8_t>{5, 6, 0, 0, 0, 0}));
  EXPECT_EQ(B.Palette[1], (TPrismPaletteEntry{9, 0, 0, 0}));
  // A stream ending inside the palette leaves the rest of it black as well.
  B = DecodeXyz(XyzFile(1, 1, Compress(std::vector<uint8_t>(10, 7))));
  EXPECT_EQ(B.Palette[3], (TPrismPaletteEntry{7, 0, 0, 0}));
  EXPECT_EQ(B.Palette[4], TPrismPaletteEntry{});
}

TEST(Xyz, Errors) {
  std::vector<uint8_t> Good = EncodeXyz(Numbered(4, 4));
  std::vector<uint8_t> BadMagic = Good;
  BadMagic[3] = '2';
  std::vector<uint8_t> Truncated(Good.begin(), Good.end() - 6);
  std::vector<uint8_t> Broken = Good;
  Broken[8] ^= 0xFF;
  // 65535 x 65535 promised by a few bytes: refused before anything is allocated.
  std::vector<uint8_t> Huge = XyzFile(0xFFFF, 0xFFFF, Compress(std::vector<uint8_t>(768)));
  struct Case {
    std::vector<uint8_t> File;
    const char* Message;
  } Cases[] = {{BadMagic, "Invalid XYZ Image"}, {{'X', 'Y'}, "Invalid XYZ Image"}, {Truncated, "Zlib Error"},
               {Broken, "Zlib Error"},          {Huge, "Invalid XYZ Image"}};
  for (const Case& C : Cases) EXPECT_EQ(ErrorOf([&] { DecodeXyz(C.File); }), C.Message);
}

TEST(LoadImage, EmptyPictureIsRefused) {
  EXPECT_EQ(ErrorOf([] { DecodeImage(XyzFile(0, 0, Compress(std::vector<uint8_t>(768)))); }), "A bitmap is empty");
}

// ---- PNG ----

// 3 x 5 palette rows, one per filter, with the values worked out by hand:
// none 10 20 30 | sub 5 10 15 | up 6 11 9 | average 13 22 25 | Paeth 14 24 28.
const std::vector<uint8_t> FilteredRaw = {0, 10, 20, 30, 1, 5, 5, 5, 2, 1, 1, 250, 3, 10, 10, 10, 4, 1, 2, 3};
const std::vector<uint8_t> Unfiltered = {10, 20, 30, 5, 10, 15, 6, 11, 9, 13, 22, 25, 14, 24, 28};

std::vector<uint8_t> PaletteEntries(int Count) {
  std::vector<uint8_t> P;
  for (int i = 0; i < Count; ++i) P.insert(P.end(), {uint8_t(i), uint8_t(2 * i), uint8_t(3 * i)});
  return P;
}

// A palette PNG of FilteredRaw whose compressed data is cut into IDAT chunks at Cuts, with
// Between (if any) placed after the first chunk.
std::vector<uint8_t> FilteredPng(const std::vector<uint8_t>& Stream, std::vector<size_t> Cuts,
                                 const std::string& Between = "") {
  std::vector<uint8_t> F = PngSignature();
  AppendChunk(F, "IHDR", Ihdr(3, 5, 8, 3));
  AppendChunk(F, "PLTE", PaletteEntries(16));
  Cuts.push_back(Stream.size());
  size_t From = 0;
  for (size_t i = 0; i < Cuts.size(); ++i) {
    AppendChunk(F, "IDAT", std::vector<uint8_t>(Stream.begin() + long(From), Stream.begin() + long(Cuts[i])));
    if (i == 0 && !Between.empty()) AppendChunk(F, Between, {1, 2, 3});
    From = Cuts[i];
  }
  AppendChunk(F, "IEND", {});
  return F;
}

TEST(Png, UndoesEveryFilter) {
  TPrismBitmap B = DecodePng(FilteredPng(Compress(FilteredRaw), {}));
  EXPECT_EQ(B.Width, 3);
  EXPECT_EQ(B.Height, 5);
  EXPECT_EQ(B.Pixels, Unfiltered);
  // A 16-entry palette: the rest is black.
  EXPECT_EQ(B.Palette[15], (TPrismPaletteEntry{15, 30, 45, 0}));
  EXPECT_EQ(B.Palette[16], TPrismPaletteEntry{});
}

TEST(Png, ImageDataSplitAnywhereDecodesTheSame) {
  std::vector<uint8_t> Stream = Compress(FilteredRaw);
  for (size_t A = 0; A <= Stream.size(); ++A) {
    EXPECT_EQ(DecodePng(FilteredPng(Stream, {A})).Pixels, Unfiltered) << A;
    for (size_t B = A; B <= Stream.size(); B += 3) EXPECT_EQ(DecodePng(FilteredPng(Stream, {A, B})).Pixels, Unfiltered);
  }
}

TEST(Png, OtherChunksMayOnlyFollowWholeRows) {
  // Stored deflate: 2 bytes of zlib header and 5 of block header, then the raw rows, so the
  // end of the first row (4 bytes with its filter byte) is byte 11 of the stream.
  std::vector<uint8_t> Stream = Compress(FilteredRaw, 0);
  EXPECT_EQ(DecodePng(FilteredPng(Stream, {11}, "tEXt")).Pixels, Unfiltered);
  EXPECT_EQ(ErrorOf([&] { DecodePng(FilteredPng(Stream, {10}, "tEXt")); }), "Invalid PNG Image");
}

TEST(Png, ZeroWideImageIsEmpty) {
  std::vector<uint8_t> F = PngSignature();
  AppendChunk(F, "IHDR", Ihdr(0, 2, 8, 3));
  AppendChunk(F, "IDAT", Compress({0, 0}));   // two rows of a filter byte each
  AppendChunk(F, "IEND", {});
  EXPECT_EQ(DecodePng(F).Height, 2);
  EXPECT_EQ(ErrorOf([&] { DecodeImage(F); }), "A bitmap is empty");
}

TEST(Png, TrueColourComesOutBlueGreenRed) {
  std::vector<uint8_t> F = PngSignature();
  AppendChunk(F, "IHDR", Ihdr(2, 1, 8, 2));
  AppendChunk(F, "IDAT", Compress({1, 10, 20, 30, 1, 2, 3}));   // sub filter: second pixel 11 22 33
  AppendChunk(F, "IEND", {});
  TPrismBitmap B = DecodePng(F);
  EXPECT_EQ(B.BitsPerPixel, 24);
  EXPECT_EQ(B.Pixels, (std::vector<uint8_t>{30, 20, 10, 33, 22, 11}));
}

TEST(Png, RoundTripsBothDepths) {
  for (int Bits : {8, 24}) {
    TPrismBitmap In = Numbered(17, 9, Bits);
    TPrismBitmap Out = DecodePng(EncodePng(In));
    ExpectSameImage(In, Out);
  }
}

TEST(Png, WrittenChecksumsAreReal) {
  std::vector<uint8_t> F = EncodePng(Numbered(4, 4));
  size_t Pos = 8;
  while (Pos < F.size()) {
    uint32_t Length = uint32_t(F[Pos]) << 24 | F[Pos + 1] << 16 | F[Pos + 2] << 8 | F[Pos + 3];
    uint32_t Stored = uint32_t(F[Pos + 8 + Length]) << 24 | F[Pos + 9 + Length] << 16 | F[Pos + 10 + Length] << 8 |
                      F[Pos + 11 + Length];
    EXPECT_EQ(Stored, crc32(0, &F[Pos + 4], Length + 4));
    Pos += 12 + Length;
  }
  EXPECT_EQ(Pos, F.size());
}

struct PngErrorCase {
  const char* Name;
  std::function<std::vector<uint8_t>()> Make;
  const char* Message;
};

std::vector<uint8_t> WithHeader(std::vector<uint8_t> Header, bool AddImage = true) {
  std::vector<uint8_t> F = PngSignature();
  AppendChunk(F, "IHDR", Header);
  if (AddImage) AppendChunk(F, "IDAT", Compress({0, 1, 0, 1}));
  AppendChunk(F, "IEND", {});
  return F;
}

const PngErrorCase PngErrors[] = {
    {"signature", [] { return std::vector<uint8_t>{137, 80, 78, 71, 13, 10, 26, 11}; }, "Invalid PNG Image"},
    {"long header", [] { auto H = Ihdr(1, 2, 8, 3); H.push_back(0); return WithHeader(H); }, "Invalid PNG Image"},
    {"short header", [] { auto H = Ihdr(1, 2, 8, 3); H.pop_back(); return WithHeader(H); }, "Invalid PNG Image"},
    {"grey", [] { return WithHeader(Ihdr(1, 2, 8, 0)); }, "Unsupported PNG Image"},
    {"four-bit palette", [] { return WithHeader(Ihdr(1, 2, 4, 3)); }, "Unsupported PNG Image"},
    {"sixteen-bit truecolour", [] { return WithHeader(Ihdr(1, 2, 16, 2)); }, "Unsupported PNG Image"},
    {"alpha", [] { return WithHeader(Ihdr(1, 2, 8, 6)); }, "Unsupported PNG Image"},
    {"interlaced", [] { return WithHeader(Ihdr(1, 2, 8, 3, 1)); }, "Unsupported PNG Image"},
    {"too wide", [] { return WithHeader(Ihdr(16385, 1, 8, 3)); }, "Invalid PNG Image"},
    {"more rows than the file can hold", [] { return WithHeader(Ihdr(16384, 16384, 8, 2)); }, "Invalid PNG Image"},
    {"long palette",
     [] {
       auto F = PngSignature();
       AppendChunk(F, "PLTE", std::vector<uint8_t>(771));
       return F;
     },
     "Invalid PNG Image"},
    {"end with data",
     [] {
       auto F = PngSignature();
       AppendChunk(F, "IHDR", Ihdr(1, 1, 8, 3));
       AppendChunk(F, "IEND", {0});
       return F;
     },
     "Invalid PNG Image"},
    {"chunk past the end",
     [] {
       auto F = WithHeader(Ihdr(1, 2, 8, 3));
       F[8 + 3] = 200;   // IHDR claims 200 bytes
       return F;
     },
     "Invalid PNG Image"},
    {"no end chunk",
     [] {
       auto F = WithHeader(Ihdr(1, 2, 8, 3));
       F.resize(F.size() - 12);
       return F;
     },
     "Invalid PNG Image"},
    {"image data before the header",
     [] {
       auto F = PngSignature();
       AppendChunk(F, "IDAT", Compress({0, 1}));
       return F;
     },
     "Invalid PNG Image"},
    {"broken deflate data",
     [] {
       auto F = PngSignature();
       AppendChunk(F, "IHDR", Ihdr(1, 2, 8, 3));
       AppendChunk(F, "IDAT", {0x78, 0x9C, 0xFF, 0xFF, 0xFF});
       AppendChunk(F, "IEND", {});
       return F;
     },
     "Invalid PNG Image"},
    {"image data stops inside a row",
     [] {
       auto F = PngSignature();
       AppendChunk(F, "IHDR", Ihdr(4, 2, 8, 3));
       AppendChunk(F, "IDAT", Compress({0, 1, 2}));
       AppendChunk(F, "IEND", {});
       return F;
     },
     "Invalid PNG Image"},
    {"unknown filter", [] {
       auto F = PngSignature();
       AppendChunk(F, "IHDR", Ihdr(1, 1, 8, 3));
       AppendChunk(F, "IDAT", Compress({5, 1}));
       AppendChunk(F, "IEND", {});
       return F;
     }, "Invalid PNG Image"},
};

class PngError : public ::testing::TestWithParam<PngErrorCase> {};

TEST_P(PngError, RaisesItsMessage) {
  EXPECT_EQ(ErrorOf([] { DecodePng(GetParam().Make()); }), GetParam().Message);
}

INSTANTIATE_TEST_SUITE_P(Cases, PngError, ::testing::ValuesIn(PngErrors), [](const auto& Info) {
  std::string N = Info.param.Name;
  for (char& C : N)
    if (!isalnum(uint8_t(C))) C = '_';
  return N;
});

TEST(Png, BoardBecomesPaletteOrTrueColour) {
  TPrismBoard Board(20, 20);
  Board.FillRect({0, 0, 10, 20}, {255, 0, 0});
  TPrismBitmap Few = DecodePng(EncodeBoardPng(Board));
  ASSERT_EQ(Few.BitsPerPixel, 8);
  EXPECT_EQ(Few.Palette[Few.Pixels[0]], (TPrismPaletteEntry{255, 0, 0, 0}));
  EXPECT_EQ(Few.Palette[Few.Pixels[19]], TPrismPaletteEntry{});
  for (int i = 0; i < 400; ++i) Board.ScanLine(i / 20)[i % 20] = uint16_t(i * 97);
  TPrismBitmap Many = DecodePng(EncodeBoardPng(Board));
  ASSERT_EQ(Many.BitsPerPixel, 24);
  // Word 97 * 1 = (0, 3, 1): widened to (0, 12, 8), stored blue first.
  EXPECT_EQ(std::vector<uint8_t>(Many.Pixels.begin() + 3, Many.Pixels.begin() + 6), (std::vector<uint8_t>{8, 12, 0}));
}

// ---- BMP ----

// An uncompressed BMP with a 40-byte header; Rows are given top-down and stored bottom-up.
std::vector<uint8_t> BmpFile(int W, int H, int Bits, int Colours, const std::vector<std::vector<uint8_t>>& Rows) {
  int RowBytes = ((W * Bits + 31) / 32) * 4;
  std::vector<uint8_t> Pixels;
  for (int y = H - 1; y >= 0; --y) {
    std::vector<uint8_t> Row(size_t(RowBytes), 0);
    for (int x = 0; x < W; ++x) {
      if (Bits == 24) {
        for (int c = 0; c < 3; ++c) Row[size_t(3 * x + c)] = Rows[size_t(y)][size_t(3 * x + c)];
        continue;
      }
      int PerByte = 8 / Bits;
      Row[size_t(x / PerByte)] |= uint8_t(Rows[size_t(y)][size_t(x)] << ((PerByte - 1 - x % PerByte) * Bits));
    }
    Pixels.insert(Pixels.end(), Row.begin(), Row.end());
  }
  std::vector<uint8_t> F{'B', 'M'};
  uint32_t Offset = 14 + 40 + 4 * uint32_t(Colours);
  PutLe(F, Offset + uint32_t(Pixels.size()), 4);
  PutLe(F, 0, 4);
  PutLe(F, Offset, 4);
  for (uint32_t V : {40u, uint32_t(W), uint32_t(H)}) PutLe(F, V, 4);
  PutLe(F, 1, 2);
  PutLe(F, uint32_t(Bits), 2);
  for (uint32_t V : {0u, uint32_t(Pixels.size()), 2835u, 2835u, uint32_t(Colours), 0u}) PutLe(F, V, 4);
  for (int i = 0; i < Colours; ++i) F.insert(F.end(), {uint8_t(3 * i), uint8_t(2 * i), uint8_t(i), 0});   // B G R
  F.insert(F.end(), Pixels.begin(), Pixels.end());
  return F;
}

TEST(Bmp, IndexedDepthsBecomeEightBitImages) {
  struct Case {
    int Bits, Colours;
  } Cases[] = {{8, 256}, {4, 16}, {1, 2}};
  for (const Case& C : Cases) {
    int Top = C.Colours - 1;
    std::vector<std::vector<uint8_t>> Rows = {{0, uint8_t(Top), 1, 0, 1}, {1, 1, 0, uint8_t(Top), 0}};
    TPrismBitmap B = DecodeImage(BmpFile(5, 2, C.Bits, C.Colours, Rows));
    EXPECT_EQ(B.BitsPerPixel, 8) << C.Bits;
    EXPECT_EQ(B.Pixels, (std::vector<uint8_t>{0, uint8_t(Top), 1, 0, 1, 1, 1, 0, uint8_t(Top), 0})) << C.Bits;
    EXPECT_EQ(B.Palette[1], (TPrismPaletteEntry{1, 2, 3, 0})) << C.Bits;
  }
}

TEST(Bmp, TrueColourDecodesButCannotBecomeASheet) {
  TPrismBitmap B = DecodeImage(BmpFile(2, 1, 24, 0, {{1, 2, 3, 4, 5, 6}}));
  EXPECT_EQ(B.BitsPerPixel, 24);
  EXPECT_EQ(B.Pixels, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
  TPrismSheet Sheet;
  EXPECT_EQ(ErrorOf([&] { Sheet.AssignBitmap(B); }), "An image format is illegal");
}

TEST(Bmp, HostileFilesAreRefused) {
  std::vector<uint8_t> Truncated = BmpFile(8, 8, 8, 256, std::vector<std::vector<uint8_t>>(8, std::vector<uint8_t>(8)));
  Truncated.resize(Truncated.size() - 10);
  std::vector<uint8_t> Huge = BmpFile(1, 1, 8, 2, {{1}});
  Huge[18] = 0xFF, Huge[19] = 0xFF, Huge[20] = 0xFF;   // width 16 million
  for (const auto& F : {Truncated, Huge, std::vector<uint8_t>{'B', 'M', 0}, std::vector<uint8_t>{1, 2, 3, 4, 5}})
    EXPECT_EQ(ErrorOf([&] { DecodeImage(F); }), "Invalid BMP Image");
}

TEST(LoadImage, ChoosesTheDecoderByItsMagic) {
  TPrismBitmap In = Numbered(3, 2);
  ExpectSameImage(DecodeImage(EncodePng(In)), In);
  ExpectSameImage(DecodeImage(EncodeXyz(In)), In);
  EXPECT_EQ(DecodeImage(BmpFile(1, 1, 8, 2, {{1}})).Pixels, std::vector<uint8_t>{1});
}

}  // namespace
