#include "graphics/PrismPng.h"

#include "graphics/PrismBoard.h"
#include "graphics/PrismZlib.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

constexpr uint8_t Signature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

[[noreturn]] void Invalid() { throw EInvalidGraphic("Invalid PNG Image"); }
[[noreturn]] void Unsupported() { throw EInvalidGraphic("Unsupported PNG Image"); }

uint32_t Big32(const uint8_t* P) { return uint32_t(P[0]) << 24 | uint32_t(P[1]) << 16 | uint32_t(P[2]) << 8 | P[3]; }

uint8_t Paeth(int A, int B, int C) {
  int P = A + B - C, PA = std::abs(P - A), PB = std::abs(P - B), PC = std::abs(P - C);
  return uint8_t(PA <= PB && PA <= PC ? A : PB <= PC ? B : C);
}

// Undoes one row's filter in place. Row excludes the filter byte; Prior is the previous row
// already unfiltered (zeros above the first row).
void Unfilter(uint8_t Filter, uint8_t* Row, const uint8_t* Prior, size_t Bytes, size_t Bpp) {
  switch (Filter) {
    case 0: return;
    case 1:
      for (size_t i = Bpp; i < Bytes; ++i) Row[i] = uint8_t(Row[i] + Row[i - Bpp]);
      return;
    case 2:
      for (size_t i = 0; i < Bytes; ++i) Row[i] = uint8_t(Row[i] + Prior[i]);
      return;
    case 3:
      for (size_t i = 0; i < Bytes; ++i) Row[i] = uint8_t(Row[i] + (((i >= Bpp ? Row[i - Bpp] : 0) + Prior[i]) >> 1));
      return;
    case 4:
      for (size_t i = 0; i < Bpp && i < Bytes; ++i) Row[i] = uint8_t(Row[i] + Prior[i]);
      for (size_t i = Bpp; i < Bytes; ++i) Row[i] = uint8_t(Row[i] + Paeth(Row[i - Bpp], Prior[i], Prior[i - Bpp]));
      return;
    default: Invalid();
  }
}

// The image data of one PNG: rows are inflated one by one from however many "IDAT" chunks
// carry them. Only the current and the previous row are held besides the bitmap.
class TRowDecoder {
 public:
  TRowDecoder(TPrismBitmap& Target) : Bitmap(Target), Bpp(size_t(Target.BitsPerPixel / 8)), Bytes(size_t(Target.Stride())) {
    Current.assign(Bytes + 1, 0);
    Prior.assign(Bytes, 0);
  }

  // Feeds one chunk's data. Returns true when the data ran out inside a row, so that the next
  // chunk must continue the image data.
  bool Feed(std::span<const uint8_t> Data) {
    if (Done()) return false;
    Inflater.SetInput(Data);
    while (!Done()) {
      size_t Produced;
      TInflater::Result R = Inflater.Fill(Current.data() + Filled, Current.size() - Filled, Produced);
      Filled += Produced;
      if (Filled == Current.size()) FinishRow();
      if (R == TInflater::Result::Failed) Invalid();
      if (R == TInflater::Result::Starved) return Filled != 0;
      if (R == TInflater::Result::Ended) {
        // A stream that stops inside a row has lost data; one that stops between rows leaves
        // the missing rows black.
        if (Filled != 0) Invalid();
        Rows = Bitmap.Height;
      }
    }
    return false;
  }

 private:
  bool Done() const { return Rows >= Bitmap.Height; }

  void FinishRow() {
    Filled = 0;
    ++Rows;
    if (Bytes == 0) return;   // a zero-wide image still has its filter bytes
    uint8_t* Row = Current.data() + 1;
    Unfilter(Current[0], Row, Prior.data(), Bytes, Bpp);
    uint8_t* Out = Bitmap.ScanLine(Rows - 1);
    if (Bpp == 1) {
      std::memcpy(Out, Row, Bytes);
    } else {
      for (size_t i = 0; i < Bytes; i += 3) Out[i] = Row[i + 2], Out[i + 1] = Row[i + 1], Out[i + 2] = Row[i];
    }
    std::memcpy(Prior.data(), Row, Bytes);
  }

  TPrismBitmap& Bitmap;
  size_t Bpp, Bytes;
  std::vector<uint8_t> Current, Prior;
  size_t Filled = 0;
  int32_t Rows = 0;
  TInflater Inflater;
};

struct Chunk {
  std::string_view Type;
  std::span<const uint8_t> Data;
};

void ReadHeader(std::span<const uint8_t> Data, size_t BytesLeft, TPrismBitmap& Bitmap) {
  // Shorter headers cannot hold the fields they must.
  if (Data.size() != 13) Invalid();
  uint32_t Width = Big32(Data.data()), Height = Big32(Data.data() + 4);
  uint8_t Depth = Data[8], ColourType = Data[9], Interlace = Data[12];
  int Bits = ColourType == 3 ? 8 : ColourType == 2 ? 24 : 0;
  if (Bits == 0 || Depth != 8 || Interlace != 0) Unsupported();
  if (Width > uint32_t(MaxImageSide) || Height > uint32_t(MaxImageSide)) Invalid();
  // Every row is at least its filter byte plus its pixels; the file must be able to hold that.
  if ((uint64_t(Width) * (Bits / 8) + 1) * Height > MaxInflatedSize(BytesLeft)) Invalid();
  Bitmap.Allocate(int32_t(Width), int32_t(Height), Bits);
}

void ReadPalette(std::span<const uint8_t> Data, TPrismBitmap& Bitmap) {
  if (Data.size() > 768) Invalid();
  uint8_t Table[768] = {};
  std::memcpy(Table, Data.data(), Data.size());
  for (int i = 0; i < 256; ++i) Bitmap.Palette[i] = {Table[3 * i], Table[3 * i + 1], Table[3 * i + 2], 0};
}

}  // namespace

TPrismBitmap DecodePng(std::span<const uint8_t> Data) {
  if (Data.size() < 8 || std::memcmp(Data.data(), Signature, 8) != 0) Invalid();
  TPrismBitmap Bitmap;
  Bitmap.Width = Bitmap.Height = 0;
  std::unique_ptr<TRowDecoder> Rows;
  bool InsideRow = false;
  size_t Pos = 8;
  for (;;) {
    // Length, type, data and checksum must all lie inside the file.
    if (Data.size() - Pos < 12) Invalid();
    uint32_t Length = Big32(&Data[Pos]);
    if (Length > Data.size() - Pos - 12) Invalid();
    Chunk C{std::string_view(reinterpret_cast<const char*>(&Data[Pos + 4]), 4), Data.subspan(Pos + 8, Length)};
    Pos += 12 + size_t(Length);
    if (InsideRow && C.Type != "IDAT") Invalid();
    if (C.Type == "IHDR") {
      if (Rows) Invalid();
      ReadHeader(C.Data, Data.size() - Pos, Bitmap);
      Rows = std::make_unique<TRowDecoder>(Bitmap);
    } else if (C.Type == "PLTE") {
      ReadPalette(C.Data, Bitmap);
    } else if (C.Type == "IDAT") {
      if (!Rows) Invalid();
      InsideRow = Rows->Feed(C.Data);
    } else if (C.Type == "IEND") {
      if (Length != 0) Invalid();
      break;
    }
  }
  return Bitmap;
}

namespace {

void PutBig32(std::vector<uint8_t>& Out, uint32_t Value) {
  for (int Shift = 24; Shift >= 0; Shift -= 8) Out.push_back(uint8_t(Value >> Shift));
}

void PutChunk(std::vector<uint8_t>& Out, const char (&Type)[5], std::span<const uint8_t> Data) {
  PutBig32(Out, uint32_t(Data.size()));
  size_t Start = Out.size();
  Out.insert(Out.end(), Type, Type + 4);
  Out.insert(Out.end(), Data.begin(), Data.end());
  PutBig32(Out, uint32_t(crc32(0, &Out[Start], uInt(Out.size() - Start))));
}

}  // namespace

std::vector<uint8_t> EncodePng(const TPrismBitmap& Bitmap) {
  if ((Bitmap.BitsPerPixel != 8 && Bitmap.BitsPerPixel != 24) || Bitmap.Empty())
    throw EInvalidGraphic("An image format is illegal");
  const bool Indexed = Bitmap.BitsPerPixel == 8;
  const size_t Stride = size_t(Bitmap.Stride());
  std::vector<uint8_t> Out(Signature, Signature + 8);

  std::vector<uint8_t> Header;
  PutBig32(Header, uint32_t(Bitmap.Width));
  PutBig32(Header, uint32_t(Bitmap.Height));
  Header.insert(Header.end(), {8, uint8_t(Indexed ? 3 : 2), 0, 0, 0});
  PutChunk(Out, "IHDR", Header);

  if (Indexed) {
    uint8_t Highest = *std::max_element(Bitmap.Pixels.begin(), Bitmap.Pixels.end());
    std::vector<uint8_t> Palette;
    for (int i = 0; i <= Highest; ++i)
      Palette.insert(Palette.end(), {Bitmap.Palette[i].Red, Bitmap.Palette[i].Green, Bitmap.Palette[i].Blue});
    PutChunk(Out, "PLTE", Palette);
  }

  // Filter "none" on every row; truecolour rows go back from blue, green, red to RGB.
  std::vector<uint8_t> Raw;
  Raw.reserve((Stride + 1) * size_t(Bitmap.Height));
  for (int32_t y = 0; y < Bitmap.Height; ++y) {
    const uint8_t* Row = Bitmap.ScanLine(y);
    Raw.push_back(0);
    if (Indexed) {
      Raw.insert(Raw.end(), Row, Row + Stride);
      continue;
    }
    for (size_t i = 0; i < Stride; i += 3) Raw.insert(Raw.end(), {Row[i + 2], Row[i + 1], Row[i]});
  }
  PutChunk(Out, "IDAT", Deflate(Raw));
  PutChunk(Out, "IEND", {});
  return Out;
}

TPrismBitmap BoardToBitmap(const TPrismBoard& Board) {
  auto Widen = [](uint16_t Word) {
    uint8_t R = uint8_t(Word >> 11), G = uint8_t((Word >> 5) & 63), B = uint8_t(Word & 31);
    return TPrismPaletteEntry{uint8_t(R << 3 | R >> 2), uint8_t(G << 2 | G >> 4), uint8_t(B << 3 | B >> 2), 0};
  };
  TPrismBitmap Bitmap;
  std::vector<int16_t> IndexOf(65536, -1);
  int Colours = 0;
  for (uint16_t Word : Board.Pixels()) {
    if (IndexOf[Word] >= 0) continue;
    if (Colours == 256) {
      Colours = 257;
      break;
    }
    IndexOf[Word] = int16_t(Colours);
    Bitmap.Palette[Colours++] = Widen(Word);
  }
  if (Colours <= 256) {
    Bitmap.Allocate(Board.Width(), Board.Height(), 8);
    std::transform(Board.Pixels().begin(), Board.Pixels().end(), Bitmap.Pixels.begin(),
                   [&](uint16_t Word) { return uint8_t(IndexOf[Word]); });
    return Bitmap;
  }
  Bitmap.Palette.fill({});
  Bitmap.Allocate(Board.Width(), Board.Height(), 24);
  uint8_t* Out = Bitmap.Pixels.data();
  for (uint16_t Word : Board.Pixels()) {
    TPrismPaletteEntry E = Widen(Word);
    *Out++ = E.Blue, *Out++ = E.Green, *Out++ = E.Red;
  }
  return Bitmap;
}

std::vector<uint8_t> EncodeBoardPng(const TPrismBoard& Board) { return EncodePng(BoardToBitmap(Board)); }
