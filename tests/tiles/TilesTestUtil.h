// Pictures for the tile, sprite and animation tests. Their palettes give every index its own
// 5-6-5 colour (red carries the low five bits, green the upper three), so a board pixel tells
// which index was drawn there.
#pragma once

#include "TestFolder.h"
#include "graphics/PrismBoard.h"
#include "graphics/PrismImage.h"
#include "graphics/PrismPng.h"

#include <cstdint>
#include <string>

inline TPrismBitmap IndexedBitmap(int32_t W, int32_t H) {
  TPrismBitmap Bitmap;
  Bitmap.Allocate(W, H, 8);
  for (int I = 0; I < 256; ++I) Bitmap.Palette[I] = {uint8_t((I & 31) << 3), uint8_t((I >> 5) << 2), 0, 0};
  return Bitmap;
}

inline void FillBitmap(TPrismBitmap& Bitmap, int32_t X, int32_t Y, int32_t W, int32_t H, uint8_t Index) {
  for (int32_t y = Y; y < Y + H; ++y)
    for (int32_t x = X; x < X + W; ++x) Bitmap.ScanLine(y)[x] = Index;
}

// A chipset whose every 8x8 sub-tile names its own place: rows 0-3 hold index x + 1, rows 4-7
// index y + 1 (x, y in units of 8 pixels).
inline TPrismBitmap LabelledChipSet() {
  TPrismBitmap Bitmap = IndexedBitmap(480, 256);
  for (int32_t Y = 0; Y < 32; ++Y)
    for (int32_t X = 0; X < 60; ++X) {
      FillBitmap(Bitmap, X * 8, Y * 8, 8, 4, uint8_t(X + 1));
      FillBitmap(Bitmap, X * 8, Y * 8 + 4, 8, 4, uint8_t(Y + 1));
    }
  return Bitmap;
}

// The index whose colour an untoned, fully bright sheet drew at (X, Y).
inline int IndexAt(const TPrismBoard& Board, int32_t X, int32_t Y) {
  const uint16_t C = Board.ScanLine(Y)[X];
  return (C >> 11) | (((C >> 5) & 63) << 5);
}

struct TRgb565 {
  int R, G, B;
  bool operator==(const TRgb565&) const = default;
};

inline TRgb565 ColorAt(const TPrismBoard& Board, int32_t X, int32_t Y) {
  const uint16_t C = Board.ScanLine(Y)[X];
  return {C >> 11, (C >> 5) & 63, C & 31};
}

inline void FillBoard(TPrismBoard& Board, uint16_t Word) {
  for (int32_t y = 0; y < Board.Height(); ++y)
    for (int32_t x = 0; x < Board.Width(); ++x) Board.ScanLine(y)[x] = Word;
}

// Writes Bitmap as a PNG file "Folder/Name.png" of the scratch game folder.
inline void WritePicture(const TTestFolder& Game, const std::string& Folder, const std::string& Name,
                         const TPrismBitmap& Bitmap) {
  auto Bytes = EncodePng(Bitmap);
  Game.Write(Folder + "/" + Name + ".png", std::string(Bytes.begin(), Bytes.end()));
}

#include "graphics/GR_ChipSet.h"

#include <ostream>

// Sub-tile places print as (x, y) in failure messages.
inline void PrintTo(const TChipPosition& P, std::ostream* Out) { *Out << "(" << P.X << ", " << P.Y << ")"; }
