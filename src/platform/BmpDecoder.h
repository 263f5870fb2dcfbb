// Windows BMP files decoded by the platform's own loader, handed back as plain data so that
// the graphics layer never sees the platform library. Indexed files (1, 4 and 8 bits) come
// back as one index byte per pixel with their palette; every other depth as blue, green, red.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct DecodedBmp {
  int32_t Width = 0, Height = 0;
  int BitsPerPixel = 0;                          // 8 for indexed files, 24 otherwise
  int SourceBitsPerPixel = 0;                    // the depth stored in the file
  std::vector<std::array<uint8_t, 3>> Palette;   // red, green, blue; up to 256 entries
  std::vector<uint8_t> Pixels;                   // rows top-down, Width * BitsPerPixel / 8 bytes each
};

struct BmpResult {
  bool Ok = false;
  std::string Error;                             // why decoding failed when not Ok
  DecodedBmp Image;
};

// Decodes a whole BMP file held in memory. Headers whose sides exceed MaxSide, whose
// uncompressed pixel data would need more bytes than the file holds, or whose run-length data
// is implausibly short for the size, are refused before anything is allocated.
BmpResult DecodeBmp(std::span<const uint8_t> Data, int32_t MaxSide = 16384);
