// The system image: window background and frame, cursors, arrows, icons, timer digits, the
// vehicle shadow and the twenty text colours.
#include "Assets.h"
#include "PixelFont.h"

#include <cmath>

namespace {

void WindowBackground(TCanvas& C) {
  // A deep blue that lightens toward the top, dithered so the stretch keeps a smooth ramp.
  C.Paint(0, 0, 32, 32, [](int x, int y) { return DitherTone(ERamp::Window, x, y, 3.6 - y * 2.4 / 31.0); });
}

// A 32x32 rounded border whose inside stays clear. Rings lists the colours from the outside in.
void RoundedBorder(TCanvas& C, int X, int Y, const std::vector<uint8_t>& Rings) {
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      // Distance inward from the rounded edge.
      const double DX = std::max(0.0, std::max(3.5 - x, x - 27.5 + 0.0));
      const double DY = std::max(0.0, std::max(3.5 - y, y - 27.5 + 0.0));
      const double Corner = std::hypot(DX, DY);
      const double Edge = std::min({double(x), double(y), 31.0 - x, 31.0 - y});
      const double Inward = (DX > 0 && DY > 0) ? 4.0 - Corner : Edge;
      if (Inward < 0) continue;
      const size_t Ring = size_t(Inward);
      if (Ring < Rings.size()) C.Put(X + x, Y + y, Rings[Ring]);
    }
}

void WindowFrame(TCanvas& C) {
  RoundedBorder(C, 32, 0, {Tone(ERamp::Window, 0), Tone(ERamp::Steel, 7), Tone(ERamp::Steel, 5), Tone(ERamp::Window, 1)});
}

void Arrows(TCanvas& C) {
  for (int Row = 0; Row < 4; ++Row) {
    const uint8_t Color = Row == 0 ? White : Tone(ERamp::Sky, 6 - Row);
    C.FillRect(48 - Row - 1, 10 + Row, 2 * Row + 2, 1, Color);  // up arrow, tip at the top
    C.FillRect(48 - Row - 1, 21 - Row, 2 * Row + 2, 1, Color);  // down arrow, tip at the bottom
  }
}

void Cursor(TCanvas& C, int X, bool Bright) {
  RoundedBorder(C, X, 0, {Tone(ERamp::Sky, Bright ? 7 : 5), Tone(ERamp::Sky, Bright ? 5 : 3)});
  // A faint sheen inside: every other pixel of a light blue, so the text stays readable.
  for (int y = 2; y < 30; ++y)
    for (int x = 2; x < 30; ++x)
      if (C.At(X + x, y) == Clear && ((x + y) & 1) == 0 && Bright) C.Put(X + x, y, Tone(ERamp::Window, 4));
}

const std::map<char, uint8_t>& IconKey() {
  static const std::map<char, uint8_t> Key = {
      {'k', Ink}, {'w', White}, {'g', Tone(ERamp::Steel, 6)}, {'s', Tone(ERamp::Steel, 4)},
      {'b', Tone(ERamp::Wood, 4)}, {'r', Tone(ERamp::Red, 4)}, {'R', Tone(ERamp::Red, 6)},
      {'u', Tone(ERamp::Water, 4)}, {'U', Tone(ERamp::Water, 6)}, {'y', Tone(ERamp::Gold, 5)},
      {'Y', Tone(ERamp::Gold, 7)}, {'l', Tone(ERamp::Grass, 5)}, {'p', Tone(ERamp::Purple, 5)},
      {'t', Tone(ERamp::Teal, 5)}, {'n', Tone(ERamp::Bone, 6)},
  };
  return Key;
}

// Sixteen 8x8 icons: weapon, shield, helmet, armour, ring, red potion, blue potion, herb,
// key, scroll, staff, bow, gem, coin, heart, star.
void Icons(TCanvas& C) {
  const std::vector<std::vector<std::string_view>> Art = {
      {"......kg", ".....kgk", "....kgk.", ".k.kgk..", "..kgk...", "..bk....", ".b.k....", "b......."},
      {".kkkkkk.", "kssgsssk", "ksgyysk.", "ksyyyysk", "ksgyysk.", ".ksssk..", "..ksk...", "...k...."},
      {"..kkkk..", ".kgggsk.", "kggsssk.", "kgsssssk", "kkkkkkkk", "ks.kk.sk", "k......k", "........"},
      {".kk..kk.", "kgskksgk", "kgssssgk", ".ksyysk.", ".kssssk.", ".kssssk.", ".kkkkkk.", "........"},
      {"...kk...", "..ktRk..", "..kkkk..", ".ky..yk.", "ky....yk", "ky....yk", ".kyyyyk.", "..kkkk.."},
      {"...kk...", "...nk...", "..kkkk..", ".krrRRk.", "krrrrRRk", "krrrrrrk", ".krrrrk.", "..kkkk.."},
      {"...kk...", "...nk...", "..kkkk..", ".kuuUUk.", "kuuuuUUk", "kuuuuuuk", ".kuuuuk.", "..kkkk.."},
      {"....kk..", "...klk..", ".kklk.k.", "kllkklk.", ".kllllk.", "..kklk..", "...kk...", "..k....."},
      {"..kkk...", ".kY.Yk..", ".kY.Yk..", "..kyk...", "...yk...", "...yyk..", "...yk...", "...yyk.."},
      {".kkkkkk.", "knnnnnnk", "kkbbbbkk", ".knnnnk.", ".knbbnk.", ".knnnnk.", "kkbbbbkk", "knnnnnnk"},
      {"....kpk.", "....kpk.", ".....b..", "....b...", "...b....", "..b.....", ".b......", "b......."},
      {"..kkk...", ".kb..k..", "kb....k.", "kb.....k", "kb....k.", ".kb..k..", "..kkk...", "........"},
      {"..kkkk..", ".kttttk.", "ktnttttk", "kttttttk", ".ktttk..", "..ktk...", "...k....", "........"},
      {"..kkkk..", ".kyYYyk.", "kyYyyyyk", "kyYkkyyk", "kyYyyyyk", "kyyyyyyk", ".kyyyyk.", "..kkkk.."},
      {".kk..kk.", "kRrkkrrk", "kRrrrrrk", "krrrrrrk", ".krrrrk.", "..krrk..", "...kk...", "........"},
      {"...kk...", "...kYk..", "kkkYYkkk", "kYYYYYYk", ".kYYYYk.", ".kYkkYk.", "kYk..kYk", "kk....kk"},
  };
  for (size_t i = 0; i < Art.size(); ++i) C.Art(128 + int(i % 4) * 8, int(i / 4) * 8, Art[i], IconKey());
}

// Timer digits 8x16 from the small font at scale 1, widened to two-pixel strokes.
void TimerDigits(TCanvas& C) {
  for (int Digit = 0; Digit <= 10; ++Digit) {
    const int X = 32 + Digit * 8;
    TCanvas Cell(8, 16);
    if (Digit == 10) {
      Cell.FillRect(3, 4, 2, 2, White);
      Cell.FillRect(3, 10, 2, 2, White);
    } else {
      ForEachTextPixel(std::string(1, char('0' + Digit)), 1, 1, 1, [&](int x, int y) {
        Cell.FillRect(x, y * 2 - 1 + 1, 1, 2, White);
      });
      Cell.Recolor(0, 0, 8, 16, [](int, int y, uint8_t Color) {
        return Color == White ? (y > 8 ? Tone(ERamp::Sky, 6) : White) : Color;
      });
    }
    Cell.Outline(0, 0, 8, 16, Ink);
    C.Blit(Cell, 0, 0, 8, 16, X, 32);
  }
}

void Shadows(TCanvas& C) {
  C.FillEllipse(136, 40, 7, 4, Tone(ERamp::Night, 1));
  C.FillEllipse(152, 40, 4.5, 2.5, Black);
}

// Twenty text colours: each 16x16 cell a vertical gradient the glyphs take their pixels from.
void TextColors(TCanvas& C) {
  struct TTextColor {
    ERamp Ramp;
    int Top, Bottom;
  };
  constexpr TTextColor Colors[20] = {
      {ERamp::Stone, 7, 5},  {ERamp::Sky, 7, 5},    {ERamp::Orange, 7, 5}, {ERamp::Stone, 4, 3},
      {ERamp::Grass, 7, 5},  {ERamp::Red, 6, 4},    {ERamp::Gold, 7, 5},   {ERamp::Purple, 7, 5},
      {ERamp::Pink, 7, 5},   {ERamp::Teal, 7, 5},   {ERamp::Ice, 7, 5},    {ERamp::Moss, 7, 5},
      {ERamp::Brick, 7, 5},  {ERamp::Navy, 7, 5},   {ERamp::Sand, 7, 5},   {ERamp::Crimson, 7, 5},
      {ERamp::Steel, 7, 5},  {ERamp::Emerald, 7, 5}, {ERamp::Lava, 7, 5},  {ERamp::Night, 5, 3},
  };
  for (int n = 0; n < 20; ++n) {
    const int X = (n % 10) * 16, Y = 48 + (n / 10) * 16;
    const TTextColor& T = Colors[n];
    C.Paint(X, Y, 16, 16, [&](int x, int y) {
      // Solid bands, not dithering: a glyph is only a few pixels wide and would look grainy.
      const double Shade = T.Top + (T.Bottom - T.Top) * std::clamp((y - Y - 2) / 11.0, 0.0, 1.0);
      (void)x;
      return Tone(T.Ramp, int(std::lround(Shade)));
    });
  }
}

}  // namespace

TCanvas DrawSystemGraphic() {
  TCanvas C(160, 80);
  WindowBackground(C);
  WindowFrame(C);
  Arrows(C);
  Cursor(C, 64, true);
  Cursor(C, 96, false);
  Icons(C);
  C.FillRect(0, 32, 16, 16, Tone(ERamp::Window, 0));  // menu background colour, at (0, 32)
  C.FillRect(16, 32, 16, 16, Black);                   // text shadow index, at (16, 32)
  TimerDigits(C);
  Shadows(C);
  TextColors(C);
  return C;
}
