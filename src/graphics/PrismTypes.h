// Small value types shared by the sheet, board and image units: rectangles in the usual
// left/top inclusive, right/bottom exclusive form, points, and colours.
#pragma once

#include <cstdint>

struct TPoint {
  int32_t X = 0, Y = 0;
};

struct TRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;

  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

// One palette entry as images and sheets store it: red, green, blue and a flags byte.
struct TPrismPaletteEntry {
  uint8_t Red = 0, Green = 0, Blue = 0, Flags = 0;
  bool operator==(const TPrismPaletteEntry&) const = default;
};

// A colour with 8 bits per channel, as given to TPrismBoard::FillRect.
struct TPrismRgb {
  uint8_t Red = 0, Green = 0, Blue = 0;
};
