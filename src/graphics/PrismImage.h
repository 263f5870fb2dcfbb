// Decoded pictures before they become sheets: an 8-bit image with its 256-entry palette, or a
// 24-bit one (blue, green, red per pixel) that only tools can use. LoadImageFile picks the
// decoder from the first four bytes of a file: PNG, XYZ, anything else is tried as BMP.
#pragma once

#include "graphics/PrismTypes.h"

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// Every failure of reading, writing or assigning an image.
class EPrismImageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The picture itself is malformed or of a kind that cannot be used.
class EInvalidGraphic : public EPrismImageError {
 public:
  using EPrismImageError::EPrismImageError;
};

// The largest width or height any decoder accepts; bigger headers are hostile, not pictures.
inline constexpr int32_t MaxImageSide = 16384;

struct TPrismBitmap {
  int32_t Width = 0, Height = 0;
  int BitsPerPixel = 8;                            // 8 (indices) or 24 (blue, green, red)
  std::array<TPrismPaletteEntry, 256> Palette{};   // meaningful for 8 bits per pixel
  std::vector<uint8_t> Pixels;                     // rows top-down, no padding

  int32_t Stride() const { return Width * (BitsPerPixel / 8); }
  bool Empty() const { return Width <= 0 || Height <= 0; }
  uint8_t* ScanLine(int32_t Y) { return Pixels.data() + static_cast<size_t>(Y) * Stride(); }
  const uint8_t* ScanLine(int32_t Y) const {
    return Pixels.data() + static_cast<size_t>(Y) * Stride();
  }
  // Sets the size and depth and zero-fills the pixels.
  void Allocate(int32_t W, int32_t H, int Bits);
};

// The most bytes a deflate stream of CompressedBytes can honestly inflate to (deflate cannot
// exceed about 1032:1), with a floor so that small files with short streams still load.
size_t MaxInflatedSize(size_t CompressedBytes);

// Chooses the decoder by the first four bytes: 137 "PNG", "XYZ1", else BMP. An image that is
// empty afterwards raises EInvalidGraphic("A bitmap is empty").
TPrismBitmap DecodeImage(std::span<const uint8_t> Data);

// Reads the whole file and decodes it with DecodeImage.
TPrismBitmap LoadImageFile(const std::string& FileName);

// The platform's BMP loader wrapped in our image type; failures raise EInvalidGraphic.
TPrismBitmap DecodeBmpImage(std::span<const uint8_t> Data);
