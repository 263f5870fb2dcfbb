// A palettised drawing surface and the small drawing helpers every asset uses: shapes,
// ordered dithering, shaded spheres, outlines, text art and copies. Everything is
// deterministic: "noise" is a hash of the position, never a random generator.
#pragma once

#include "Palette.h"
#include "graphics/PrismImage.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string_view>
#include <vector>

struct TPointF {
  double X = 0, Y = 0;
};

class TCanvas {
 public:
  TCanvas(int Width, int Height, uint8_t Fill = Clear);

  int Width() const { return Width_; }
  int Height() const { return Height_; }
  bool Inside(int X, int Y) const { return X >= 0 && Y >= 0 && X < Width_ && Y < Height_; }
  // Pixels outside the canvas read as Clear and ignore writes.
  uint8_t At(int X, int Y) const { return Inside(X, Y) ? Pixels_[size_t(Y * Width_ + X)] : Clear; }
  void Put(int X, int Y, uint8_t Color) {
    if (Inside(X, Y)) Pixels_[size_t(Y * Width_ + X)] = Color;
  }

  void FillRect(int X, int Y, int W, int H, uint8_t Color);
  void FrameRect(int X, int Y, int W, int H, uint8_t Color);
  void Line(int X0, int Y0, int X1, int Y1, uint8_t Color);
  void FillEllipse(double CX, double CY, double RX, double RY, uint8_t Color);
  void FillPolygon(const std::vector<TPointF>& Points, uint8_t Color);

  // Calls Paint(x, y) for each pixel of the area; Paint returns the new colour.
  void Paint(int X, int Y, int W, int H, const std::function<uint8_t(int, int)>& Paint);
  // Recolours every pixel of the area for which Recolor answers a different colour.
  void Recolor(int X, int Y, int W, int H, const std::function<uint8_t(int, int, uint8_t)>& Recolor);

  // A ball lit from the upper left on Ramp between shades Low and High, dithered.
  void ShadeEllipse(double CX, double CY, double RX, double RY, ERamp Ramp, int Low, int High);

  // Every Clear pixel of the area touching (4-neighbour) a pixel that is neither Clear nor
  // Color becomes Color: the dark rim that keeps sprites readable on any ground.
  void Outline(int X, int Y, int W, int H, uint8_t Color);
  // Pixels of the area whose upper-left neighbour is Clear are lightened by one shade,
  // those whose lower-right neighbour is Clear darkened: a cheap rim light.
  void RimLight(int X, int Y, int W, int H);

  // Text art: one string per row, each character looked up in Key (space and '.' are Clear
  // unless Key names them). Characters missing from Key are left alone.
  void Art(int X, int Y, const std::vector<std::string_view>& Rows,
           const std::map<char, uint8_t>& Key, bool Mirror = false);

  // Copies an area of Source (Clear pixels skipped when SkipClear).
  void Blit(const TCanvas& Source, int SX, int SY, int W, int H, int DX, int DY,
            bool Mirror = false, bool SkipClear = true);

  TPrismBitmap ToBitmap() const;

 private:
  int Width_, Height_;
  std::vector<uint8_t> Pixels_;
};

// Position noise in 0..255 (a hash of x, y and a seed).
int Noise(int X, int Y, int Seed = 0);
// Smooth value noise in 0..255 over a lattice of Cell pixels, tileable with period Period
// (a multiple of Cell) so textures wrap across tiles.
int SmoothNoise(int X, int Y, int Cell, int Period, int Seed = 0);
// Ordered 4x4 dithering: true on Level of every 16 pixels.
bool Dither(int X, int Y, int Level);
// A shade between two of a ramp, dithered: Value runs 0..16*(steps) over the ramp.
uint8_t DitherTone(ERamp Ramp, int X, int Y, double Shade);
