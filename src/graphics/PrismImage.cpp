#include "graphics/PrismImage.h"

#include "graphics/PrismPng.h"
#include "graphics/PrismXyz.h"
#include "platform/BmpDecoder.h"

#include <cstring>
#include <filesystem>
#include <fstream>

void TPrismBitmap::Allocate(int32_t W, int32_t H, int Bits) {
  Width = W, Height = H, BitsPerPixel = Bits;
  Pixels.assign(size_t(Stride()) * size_t(H), 0);
}

size_t MaxInflatedSize(size_t CompressedBytes) {
  constexpr size_t Ratio = 1032, Floor = size_t(1) << 20;
  return CompressedBytes > (SIZE_MAX - Floor) / Ratio ? SIZE_MAX : CompressedBytes * Ratio + Floor;
}

TPrismBitmap DecodeBmpImage(std::span<const uint8_t> Data) {
  BmpResult Result = DecodeBmp(Data, MaxImageSide);
  if (!Result.Ok) throw EInvalidGraphic("Invalid BMP Image");
  TPrismBitmap Bitmap;
  Bitmap.Width = Result.Image.Width, Bitmap.Height = Result.Image.Height;
  Bitmap.BitsPerPixel = Result.Image.BitsPerPixel;
  for (size_t i = 0; i < Result.Image.Palette.size() && i < 256; ++i) {
    const auto& [R, G, B] = Result.Image.Palette[i];
    Bitmap.Palette[i] = {R, G, B, 0};
  }
  Bitmap.Pixels = std::move(Result.Image.Pixels);
  return Bitmap;
}

namespace {

using Decoder = TPrismBitmap (*)(std::span<const uint8_t>);

struct Format {
  uint8_t Magic[4];
  Decoder Decode;
};

constexpr Format Formats[] = {
    {{137, 'P', 'N', 'G'}, DecodePng},
    {{'X', 'Y', 'Z', '1'}, DecodeXyz},
};

}  // namespace

TPrismBitmap DecodeImage(std::span<const uint8_t> Data) {
  Decoder Decode = DecodeBmpImage;
  for (const Format& F : Formats)
    if (Data.size() >= 4 && std::memcmp(Data.data(), F.Magic, 4) == 0) Decode = F.Decode;
  TPrismBitmap Bitmap = Decode(Data);
  if (Bitmap.Empty()) throw EInvalidGraphic("A bitmap is empty");
  return Bitmap;
}

TPrismBitmap LoadImageFile(const std::string& FileName) {
  std::error_code Error;
  std::ifstream File(FileName, std::ios::binary | std::ios::ate);
  if (!std::filesystem::is_regular_file(FileName, Error) || !File) throw EPrismImageError("Cannot open file \"" + FileName + "\"");
  std::streamoff Size = File.tellg();
  std::vector<uint8_t> Data(Size > 0 ? size_t(Size) : 0);
  File.seekg(0);
  if (Size < 0 || !File.read(reinterpret_cast<char*>(Data.data()), std::streamsize(Data.size())))
    throw EPrismImageError("Cannot read file \"" + FileName + "\"");
  return DecodeImage(Data);
}
