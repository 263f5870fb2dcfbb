// A synthetic system image with a distinct index in every area, written as a PNG into a
// scratch game folder, and the system graphic loaded from it.
//
// Indices: background pixel (x, y) is 64 + (y / 4) * 8 + x / 4; frame piece (px, py) of the
// frame block is 16 + 4 py + px, of cursor frame f 32 + 16 f + 4 py + px, each piece with a
// hole (index 0) at its local pixel (2 px, 2 py); icon (c, r) is 128 + 4 r + c; pixel (0, 32)
// is 150 (background colour), pixel (16, 32) is 151 (text shadow); timer digit d is 160 + d
// and the colon 170, each with a hole at its top-left pixel; the shadow cells are 171 and 172,
// the second with its left half empty; text colour n is 176 + n, except colour 5 whose row r
// is 200 + r. Palette entry i converts to the 5-6-5 word (i & 31) << 11 | (i >> 5) << 5.
#pragma once

#include "TestFolder.h"
#include "data/GameFolder.h"
#include "graphics/GR_System.h"
#include "graphics/PrismPng.h"

#include <memory>
#include <string>

inline TPrismBitmap MakeTestSystemImage() {
  TPrismBitmap B;
  B.Allocate(160, 80, 8);
  auto Put = [&](int X, int Y, int Index) { B.ScanLine(Y)[X] = uint8_t(Index); };
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) Put(x, y, 64 + (y / 4) * 8 + x / 4);
  auto PieceBlock = [&](int Left, int Base) {
    for (int py = 0; py < 4; ++py)
      for (int px = 0; px < 4; ++px)
        for (int y = 0; y < 8; ++y)
          for (int x = 0; x < 8; ++x)
            Put(Left + 8 * px + x, 8 * py + y, x == 2 * px && y == 2 * py ? 0 : Base + 4 * py + px);
  };
  PieceBlock(32, 16);
  PieceBlock(64, 32);
  PieceBlock(96, 48);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) Put(128 + 8 * c + x, 8 * r + y, 128 + 4 * r + c);
  Put(0, 32, 150);
  Put(16, 32, 151);
  for (int Cell = 0; Cell <= 10; ++Cell)
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 8; ++x) Put(32 + 8 * Cell + x, 32 + y, x == 0 && y == 0 ? 0 : (Cell < 10 ? 160 + Cell : 170));
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      Put(128 + x, 32 + y, 171);
      Put(144 + x, 32 + y, x < 8 ? 0 : 172);
    }
  for (int n = 0; n < 20; ++n)
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) Put((n % 10) * 16 + x, 48 + (n / 10) * 16 + y, n == 5 ? 200 + y : 176 + n);
  for (int i = 0; i < 256; ++i) B.Palette[size_t(i)] = {uint8_t((i & 31) << 3), uint8_t((i >> 5) << 2), 0, 0};
  return B;
}

inline void WritePng(const TTestFolder& Folder, const std::string& Name, const TPrismBitmap& Bitmap) {
  auto Png = EncodePng(Bitmap);
  Folder.Write(Name, std::string(Png.begin(), Png.end()));
}

// A game folder holding the synthetic image as "data/System.png", and the graphic using it.
struct TSystemFixture {
  TSystemFixture() : Game(Folder.Path().string()), Graphic(Game) {
    WritePng(Folder, "data/System.png", MakeTestSystemImage());
    Graphic.LoadImage("System");
  }
  TTestFolder Folder;
  TGameFolder Game;
  TLcfSystemGraphic Graphic;
};

// A sheet of W x H filled with Index.
inline std::unique_ptr<TPrismSheet> FilledSheet(int W, int H, uint8_t Index) {
  auto Sheet = std::make_unique<TPrismSheet>();
  Sheet->SetSize(W, H);
  Sheet->FillArea(Sheet->GetBounds(), Index);
  return Sheet;
}

inline uint8_t At(const TPrismSheet& Sheet, int X, int Y) { return Sheet.ScanLine(Y)[X]; }
