// Pictures shared by the benchmarks.
#pragma once

#include "graphics/PrismImage.h"

// A system image with something in every area, so text and frames write real pixels.
inline TPrismBitmap BenchSystemImage() {
  TPrismBitmap B;
  B.Allocate(160, 80, 8);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 160; ++x) B.ScanLine(y)[x] = uint8_t(1 + (x * 7 + y * 3) % 250);
  for (int i = 0; i < 256; ++i) B.Palette[size_t(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), 0};
  return B;
}
