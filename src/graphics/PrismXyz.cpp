#include "graphics/PrismXyz.h"

#include "graphics/PrismZlib.h"

#include <cstring>

namespace {

constexpr uint8_t Magic[4] = {'X', 'Y', 'Z', '1'};
constexpr size_t HeaderSize = 8;
constexpr size_t PaletteSize = 768;

}  // namespace

TPrismBitmap DecodeXyz(std::span<const uint8_t> Data) {
  if (Data.size() < HeaderSize || std::memcmp(Data.data(), Magic, 4) != 0)
    throw EInvalidGraphic("Invalid XYZ Image");
  int32_t Width = Data[4] | Data[5] << 8, Height = Data[6] | Data[7] << 8;
  std::span<const uint8_t> Payload = Data.subspan(HeaderSize);
  if (size_t(Width) * Height + PaletteSize > MaxInflatedSize(Payload.size()))
    throw EInvalidGraphic("Invalid XYZ Image");

  TPrismBitmap Bitmap;
  Bitmap.Allocate(Width, Height, 8);
  uint8_t Colours[PaletteSize] = {};
  TInflater Inflater;
  Inflater.SetInput(Payload);
  // Palette and pixels are inflated straight into their places (the rows of an XYZ file are
  // exactly the rows of the bitmap). The stream must be complete: data cut short or running on
  // past the picture is broken, while a complete stream that holds too little leaves zeros.
  using R = TInflater::Result;
  R Outcome = Inflater.Fill(Colours, PaletteSize);
  if (Outcome == R::Full && !Bitmap.Pixels.empty()) Outcome = Inflater.Fill(Bitmap.Pixels.data(), Bitmap.Pixels.size());
  if (Outcome == R::Failed || Outcome == R::Starved || (Outcome == R::Full && !Inflater.AtEnd()))
    throw EPrismImageError("Zlib Error");
  for (int i = 0; i < 256; ++i)
    Bitmap.Palette[i] = {Colours[3 * i], Colours[3 * i + 1], Colours[3 * i + 2], 0};
  return Bitmap;
}

std::vector<uint8_t> EncodeXyz(const TPrismBitmap& Bitmap) {
  if (Bitmap.BitsPerPixel != 8 || Bitmap.Width > 0xFFFF || Bitmap.Height > 0xFFFF || Bitmap.Width < 0 ||
      Bitmap.Height < 0)
    throw EInvalidGraphic("An image format is illegal");
  std::vector<uint8_t> Raw(PaletteSize + Bitmap.Pixels.size());
  for (int i = 0; i < 256; ++i) {
    Raw[3 * i] = Bitmap.Palette[i].Red;
    Raw[3 * i + 1] = Bitmap.Palette[i].Green;
    Raw[3 * i + 2] = Bitmap.Palette[i].Blue;
  }
  if (!Bitmap.Pixels.empty()) std::memcpy(Raw.data() + PaletteSize, Bitmap.Pixels.data(), Bitmap.Pixels.size());
  std::vector<uint8_t> Out(Magic, Magic + 4);
  for (int32_t Side : {Bitmap.Width, Bitmap.Height}) {
    Out.push_back(uint8_t(Side));
    Out.push_back(uint8_t(Side >> 8));
  }
  std::vector<uint8_t> Packed = Deflate(Raw);
  Out.insert(Out.end(), Packed.begin(), Packed.end());
  return Out;
}
