// The three start-up logos "LOGO1" to "LOGO3" (320x240, 8 bits), drawn by code when asked
// for: the word "TESSERA" laid in mosaic tiles, a landscape built from square tiles, and a
// "made with free software" card. Only the resource table includes this file, after the
// extra glyphs it borrows a few pictures from.
#pragma once

#include "graphics/PrismImage.h"
#include "graphics/resources/ExFontArt.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace {

constexpr int32_t LogoWidth = 320, LogoHeight = 240;

// Capital letters of five by seven cells, enough for the logos' words.
struct TLogoLetter {
  char Letter;
  std::array<std::string_view, 7> Rows;
};

constexpr TLogoLetter LogoLetters[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
};

const TLogoLetter* FindLogoLetter(char Letter) {
  for (const auto& Entry : LogoLetters)
    if (Entry.Letter == Letter) return &Entry;
  return nullptr;
}

// Cells of text: five per letter and one between letters.
constexpr int32_t LogoTextCells(std::string_view Text) { return Text.empty() ? 0 : int32_t(Text.size()) * 6 - 1; }

// A small deterministic scatter, so the same logo comes out every time.
constexpr uint32_t TileHash(int32_t X, int32_t Y) {
  uint32_t H = uint32_t(X) * 73856093u ^ uint32_t(Y) * 19349663u;
  H ^= H >> 13;
  H *= 0x5bd1e995u;
  return H ^ (H >> 15);
}

// An 8-bit picture whose palette grows as colours are asked for.
class TLogoCanvas {
 public:
  TLogoCanvas() { Bitmap.Allocate(LogoWidth, LogoHeight, 8); }

  uint8_t Ink(uint8_t R, uint8_t G, uint8_t B) {
    const TPrismPaletteEntry Wanted{R, G, B, 0};
    for (int32_t i = 0; i < Used; ++i)
      if (Bitmap.Palette[size_t(i)] == Wanted) return uint8_t(i);
    if (Used == 256) return 0;
    Bitmap.Palette[size_t(Used)] = Wanted;
    return uint8_t(Used++);
  }
  void Plot(int32_t X, int32_t Y, uint8_t Index) {
    if (X >= 0 && Y >= 0 && X < LogoWidth && Y < LogoHeight) Bitmap.ScanLine(Y)[X] = Index;
  }
  void Fill(int32_t X, int32_t Y, int32_t W, int32_t H, uint8_t Index) {
    for (int32_t y = Y; y < Y + H; ++y)
      for (int32_t x = X; x < X + W; ++x) Plot(x, y, Index);
  }
  // A square tile: its face, a lighter top edge and left edge, and a grout line right and below.
  void Tile(int32_t X, int32_t Y, int32_t Size, uint8_t Face, uint8_t Light, uint8_t Grout) {
    Fill(X, Y, Size, Size, Grout);
    Fill(X, Y, Size - 1, Size - 1, Face);
    Fill(X, Y, Size - 1, 1, Light);
    Fill(X, Y, 1, Size - 1, Light);
  }
  // Calls Cell(column, row) for every inked cell of the text.
  template <class TCell>
  void ForTextCells(std::string_view Text, TCell&& Cell) const {
    for (size_t i = 0; i < Text.size(); ++i) {
      const TLogoLetter* Letter = FindLogoLetter(Text[i]);
      if (!Letter) continue;
      for (int32_t Row = 0; Row < 7; ++Row)
        for (int32_t Column = 0; Column < 5; ++Column)
          if (Letter->Rows[size_t(Row)][size_t(Column)] == '#') Cell(int32_t(i) * 6 + Column, Row);
    }
  }
  void Text(std::string_view Text, int32_t X, int32_t Y, int32_t Scale, uint8_t Index) {
    ForTextCells(Text, [&](int32_t C, int32_t R) { Fill(X + C * Scale, Y + R * Scale, Scale, Scale, Index); });
  }
  void CentredText(std::string_view Text, int32_t Y, int32_t Scale, uint8_t Index) {
    this->Text(Text, (LogoWidth - LogoTextCells(Text) * Scale) / 2, Y, Scale, Index);
  }
  void Picture(const TGlyphArt& Art, int32_t X, int32_t Y, int32_t Scale, uint8_t Index) {
    for (int32_t Row = 0; Row < 12; ++Row)
      for (int32_t Column = 0; Column < 12; ++Column)
        if (Art[size_t(Row)][size_t(Column)] == '#') Fill(X + Column * Scale, Y + Row * Scale, Scale, Scale, Index);
  }

  TPrismBitmap Bitmap;

 private:
  int32_t Used = 1;   // index 0 stays black
};

struct TRgb {
  uint8_t R, G, B;
};

TRgb Lighter(TRgb C, int32_t Amount) {
  auto Up = [Amount](uint8_t V) { return uint8_t(std::min(255, V + Amount)); };
  return {Up(C.R), Up(C.G), Up(C.B)};
}

TRgb Mix(TRgb A, TRgb B, int32_t Percent) {
  auto Channel = [Percent](uint8_t X, uint8_t Y) { return uint8_t((X * (100 - Percent) + Y * Percent) / 100); };
  return {Channel(A.R, B.R), Channel(A.G, B.G), Channel(A.B, B.B)};
}

// LOGO1: "TESSERA" in warm tiles on a cool mosaic floor, between two patterned friezes.
TPrismBitmap MakeMosaicWordLogo() {
  constexpr int32_t Cell = 7, Columns = LogoWidth / Cell, Rows = LogoHeight / Cell;
  constexpr TRgb Floor[] = {{22, 38, 62}, {26, 46, 74}, {18, 52, 70}, {30, 40, 80}, {20, 60, 78}};
  constexpr TRgb Warm[] = {{196, 92, 52}, {222, 150, 60}, {236, 196, 90}, {204, 70, 70}, {230, 120, 80}};
  constexpr TRgb Frieze[] = {{236, 196, 90}, {52, 140, 130}, {204, 70, 70}};
  TLogoCanvas Canvas;
  const uint8_t Grout = Canvas.Ink(12, 14, 20);
  auto Lay = [&](int32_t C, int32_t R, TRgb Colour) {
    Canvas.Tile(C * Cell, R * Cell, Cell, Canvas.Ink(Colour.R, Colour.G, Colour.B),
                Canvas.Ink(Lighter(Colour, 40).R, Lighter(Colour, 40).G, Lighter(Colour, 40).B), Grout);
  };
  Canvas.Fill(0, 0, LogoWidth, LogoHeight, Grout);
  for (int32_t R = 0; R < Rows; ++R)
    for (int32_t C = 0; C < Columns; ++C) Lay(C, R, Floor[TileHash(C, R) % std::size(Floor)]);
  for (int32_t C = 0; C < Columns; ++C) {
    Lay(C, 3, Frieze[C % 3]);
    Lay(C, Rows - 4, Frieze[(C + 1) % 3]);
  }
  constexpr std::string_view Word = "TESSERA";
  const int32_t Left = (Columns - LogoTextCells(Word)) / 2, Top = (Rows - 7) / 2;
  Canvas.ForTextCells(Word, [&](int32_t C, int32_t R) { Lay(Left + C, Top + R, Warm[TileHash(C, R + 7) % std::size(Warm)]); });
  return std::move(Canvas.Bitmap);
}

// LOGO2: sky, sun, two mountain ridges, meadow and a lake, every 8x8 cell one tile of the
// colour at its centre.
TPrismBitmap MakeTiledLandscapeLogo() {
  constexpr int32_t Cell = 8;
  constexpr int32_t Horizon = 150;
  TLogoCanvas Canvas;
  const uint8_t Grout = Canvas.Ink(16, 18, 24);
  auto Ridge = [](int32_t X, int32_t Peak1, int32_t Peak2, int32_t Height, int32_t Width) {
    int32_t Distance = std::min(std::abs(X - Peak1), std::abs(X - Peak2));
    return Horizon - std::max(0, Height - Distance * Height / Width);
  };
  auto ColourAt = [&](int32_t X, int32_t Y) -> TRgb {
    const int32_t SunX = 236 - X, SunY = 52 - Y;
    const bool InLake = (X - 90) * (X - 90) * 4 + (Y - 200) * (Y - 200) * 25 < 80 * 80 * 4;
    if (Y >= Horizon) {
      if (InLake) return ((X / Cell + Y / Cell) % 3 == 0) ? TRgb{110, 170, 220} : TRgb{50, 110, 180};
      if (std::abs(X - (210 + (Y - Horizon) / 2)) < 10) return {190, 160, 110};   // a path to the hills
      return Mix(TRgb{90, 170, 70}, TRgb{40, 110, 50}, (Y - Horizon) * 100 / (LogoHeight - Horizon));
    }
    if (Y >= Ridge(X, 60, 250, 70, 70)) {
      const bool Snow = Y < Ridge(X, 60, 250, 70, 70) + 14 && Y < Horizon - 50;
      return Snow ? TRgb{236, 240, 246} : TRgb{96, 100, 130};
    }
    if (Y >= Ridge(X, 150, 330, 40, 60)) return {120, 126, 160};
    if (SunX * SunX + SunY * SunY < 26 * 26) return {250, 214, 90};
    return Mix(TRgb{40, 80, 170}, TRgb{170, 210, 240}, Y * 100 / Horizon);
  };
  for (int32_t Y = 0; Y < LogoHeight; Y += Cell)
    for (int32_t X = 0; X < LogoWidth; X += Cell) {
      const TRgb Colour = ColourAt(X + Cell / 2, Y + Cell / 2), Light = Lighter(Colour, 24);
      Canvas.Tile(X, Y, Cell, Canvas.Ink(Colour.R, Colour.G, Colour.B), Canvas.Ink(Light.R, Light.G, Light.B), Grout);
    }
  return std::move(Canvas.Bitmap);
}

// LOGO3: a dark card in a tiled border: "MADE WITH" over "FREE SOFTWARE", a row of the
// extra-glyph pictures between, and the program's name below.
TPrismBitmap MakeFreeSoftwareLogo() {
  constexpr TRgb Border[] = {{204, 70, 70}, {236, 196, 90}, {52, 140, 130}, {90, 120, 200}};
  TLogoCanvas Canvas;
  const uint8_t Card = Canvas.Ink(20, 24, 34), Grout = Canvas.Ink(10, 12, 18);
  Canvas.Fill(0, 0, LogoWidth, LogoHeight, Card);
  for (int32_t X = 0; X < LogoWidth; X += 10)
    for (int32_t Y : {0, LogoHeight - 10}) {
      const TRgb C = Border[(X / 10 + Y) % std::size(Border)], L = Lighter(C, 40);
      Canvas.Tile(X, Y, 10, Canvas.Ink(C.R, C.G, C.B), Canvas.Ink(L.R, L.G, L.B), Grout);
    }
  for (int32_t Y = 10; Y < LogoHeight - 10; Y += 10)
    for (int32_t X : {0, LogoWidth - 10}) {
      const TRgb C = Border[(Y / 10 + X) % std::size(Border)], L = Lighter(C, 40);
      Canvas.Tile(X, Y, 10, Canvas.Ink(C.R, C.G, C.B), Canvas.Ink(L.R, L.G, L.B), Grout);
    }
  Canvas.CentredText("MADE WITH", 40, 3, Canvas.Ink(220, 226, 236));
  // Heart, star, note, sun, leaf and key from the extra glyphs, two pixels per cell.
  constexpr int Pictures[] = {0, 1, 4, 12, 21, 10};
  constexpr TRgb PictureColours[] = {{230, 80, 90}, {250, 214, 90}, {120, 200, 230},
                                     {250, 170, 60}, {110, 200, 100}, {200, 180, 240}};
  const int32_t Step = 36, Left = (LogoWidth - Step * int32_t(std::size(Pictures)) + 12) / 2;
  for (size_t i = 0; i < std::size(Pictures); ++i) {
    const TRgb C = PictureColours[i];
    Canvas.Picture(ExFontArt[size_t(Pictures[i])], Left + Step * int32_t(i), 86, 2, Canvas.Ink(C.R, C.G, C.B));
  }
  Canvas.CentredText("FREE SOFTWARE", 130, 3, Canvas.Ink(250, 214, 90));
  Canvas.CentredText("TESSERA", 190, 2, Canvas.Ink(130, 140, 160));
  return std::move(Canvas.Bitmap);
}

}  // namespace
