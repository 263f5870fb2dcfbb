// Full-screen pictures: the title and game-over screens, the two panoramas and the battle
// backdrops. All are opaque: none of them uses the clear index.
#include "Assets.h"
#include "PixelFont.h"
#include "Textures.h"

#include <cmath>
#include <numbers>

namespace {

struct TStop {
  double Y;
  ERamp Ramp;
  double Shade;
};

// A vertical gradient through colour stops, dithered between the shades of each stop's ramp.
void Gradient(TCanvas& C, int Top, int Bottom, const std::vector<TStop>& Stops) {
  C.Paint(0, Top, C.Width(), Bottom - Top, [&](int x, int y) {
    size_t i = 0;
    while (i + 1 < Stops.size() && Stops[i + 1].Y <= y) ++i;
    const TStop& A = Stops[i];
    const TStop& B = i + 1 < Stops.size() ? Stops[i + 1] : Stops[i];
    const double T = B.Y > A.Y ? std::clamp((y - A.Y) / (B.Y - A.Y), 0.0, 1.0) : 0.0;
    // Between stops of different ramps, dither from one ramp to the other.
    if (A.Ramp != B.Ramp) return Dither(x, y, int(T * 16)) ? Tone(B.Ramp, int(B.Shade)) : Tone(A.Ramp, int(A.Shade));
    return DitherTone(A.Ramp, x, y, A.Shade + (B.Shade - A.Shade) * T);
  });
}

// A ridge line: everything below Base - noise height is filled; Period makes it wrap.
void Ridge(TCanvas& C, int Base, int Height, int Cell, int Seed, const std::function<uint8_t(int, int, int)>& Fill) {
  for (int x = 0; x < C.Width(); ++x) {
    const int N = SmoothNoise(x, 0, Cell, C.Width(), Seed) + SmoothNoise(x, 0, Cell / 3 + 1, C.Width(), Seed + 1) / 3;
    const int Top = Base - N * Height / 340;
    for (int y = std::max(0, Top); y < C.Height(); ++y) C.Put(x, y, Fill(x, y, y - Top));
  }
}

void Stars(TCanvas& C, int Bottom, int Seed, int Chance) {
  for (int y = 0; y < Bottom; ++y)
    for (int x = 0; x < C.Width(); ++x) {
      const int N = Noise(x, y, Seed);
      if (N < Chance) C.Put(x, y, N < Chance / 4 ? White : Tone(ERamp::Ice, 6));
    }
}

void Clouds(TCanvas& C, int Top, int Bottom, int Seed, ERamp Ramp) {
  for (int y = Top; y < Bottom; ++y)
    for (int x = 0; x < C.Width(); ++x) {
      const double Band = std::sin(std::numbers::pi * (y - Top) / (Bottom - Top));
      const int N = SmoothNoise(x, y * 3, 24, C.Width(), Seed) * 2 / 3 + SmoothNoise(x, y * 3, 8, C.Width(), Seed + 1) / 3;
      const double Cover = N / 255.0 * Band;
      if (Cover > 0.5) C.Put(x, y, DitherTone(Ramp, x, y, 5.4 + (Cover - 0.5) * 5 - (y - Top) * 0.03));
    }
}

// Large letters with an outline, a drop shadow and a fill that runs down a ramp.
void Title(TCanvas& C, std::string_view Text, int Y, int Scale, ERamp Ramp) {
  const int X = (C.Width() - TextWidth(Text, Scale)) / 2;
  TCanvas Letters(C.Width(), 7 * Scale + 4);
  ForEachTextPixel(Text, X, 1, Scale, [&](int x, int y) {
    const double T = (y - 1) / double(7 * Scale);
    Letters.Put(x, y, DitherTone(Ramp, x, y, 7.0 - T * 3.5));
  });
  Letters.Outline(0, 0, Letters.Width(), Letters.Height(), Ink);
  C.Paint(0, Y + 2, C.Width(), Letters.Height(), [&](int x, int y) {
    return Letters.At(x - 2, y - Y - 2) != Clear ? Black : C.At(x, y);
  });
  C.Blit(Letters, 0, 0, Letters.Width(), Letters.Height(), 0, Y - 1);
}

// A floor receding toward the horizon, with Texture mapped on it: rows closer to the bottom are wider.
void RecedingFloor(TCanvas& C, int Horizon, const TTexture& Texture, double Darken) {
  for (int y = Horizon; y < C.Height(); ++y) {
    const double Depth = 40.0 / (y - Horizon + 4);
    for (int x = 0; x < C.Width(); ++x) {
      const int U = int((x - C.Width() / 2) * Depth * 0.5 + 1000), V = int(Depth * 40);
      uint8_t Color = Texture(U, V);
      const int Shade = ShadeOf(Color);
      if (Shade >= 0 && Darken * Depth > 0.4) Color = Tone(RampOf(Color), Shade - int(Darken * Depth + 0.5));
      C.Put(x, y, Color);
    }
  }
}

void Castle(TCanvas& C, int X, int Base, uint8_t Color, uint8_t Window) {
  auto Tower = [&](int TX, int Width, int Height) {
    C.FillRect(TX, Base - Height, Width, Height, Color);
    for (int Merlon = TX; Merlon < TX + Width; Merlon += 4) C.FillRect(Merlon, Base - Height - 3, 2, 3, Color);
    C.FillRect(TX + Width / 2 - 1, Base - Height + 8, 2, 3, Window);
  };
  Tower(X, 60, 34);
  Tower(X - 10, 14, 52);
  Tower(X + 56, 14, 52);
  Tower(X + 22, 16, 66);
  C.FillPolygon({{X + 20.0, Base - 66.0}, {X + 40.0, Base - 66.0}, {X + 30.0, Base - 84.0}}, Color);
  for (int Row = 0; Row < 2; ++Row)
    for (int Col = 0; Col < 5; ++Col) C.FillRect(X + 6 + Col * 11, Base - 26 + Row * 10, 2, 3, Window);
}

void Tree(TCanvas& C, int X, int Base, int Height, ERamp Leaf) {
  C.FillRect(X - 2, Base - Height / 3, 5, Height / 3, Tone(ERamp::Wood, 1));
  for (int Layer = 0; Layer < 3; ++Layer) {
    const double Top = Base - Height + Layer * Height / 5.0, Bottom = Top + Height / 2.0, Half = Height / 5.0 + Layer * 3;
    C.FillPolygon({{double(X), Top}, {X + Half, Bottom}, {X - Half, Bottom}}, Tone(Leaf, 1));
  }
  C.Recolor(X - Height / 2, Base - Height, Height, Height, [&](int x, int y, uint8_t Color) {
    return Color == Tone(Leaf, 1) ? DitherTone(Leaf, x, y, 2.2 - (x - X) * 0.08) : Color;
  });
}

}  // namespace

TCanvas DrawTitle() {
  TCanvas C(320, 240);
  Gradient(C, 0, 240, {{0, ERamp::Night, 1}, {90, ERamp::Night, 4}, {130, ERamp::Purple, 3},
                       {165, ERamp::Pink, 4}, {190, ERamp::Orange, 5}});
  Stars(C, 120, 5, 5);
  Ridge(C, 190, 50, 64, 7, [](int x, int y, int) { return DitherTone(ERamp::Purple, x, y, 1.6); });
  Castle(C, 140, 182, Tone(ERamp::Night, 1), Tone(ERamp::Gold, 6));
  Ridge(C, 214, 30, 48, 9, [](int x, int y, int Depth) { return DitherTone(ERamp::Night, x, y, Depth < 2 ? 3 : 1.2); });
  // The crown above the keep, with a ring of light.
  for (double R = 30; R > 10; R -= 2)
    C.Recolor(170 - int(R), 104 - int(R), int(R) * 2, int(R) * 2, [&](int x, int y, uint8_t Color) {
      const double D = std::hypot(x - 170.0, y - 104.0);
      return D < R && Dither(x, y, int((30 - R) / 2)) ? Tone(ERamp::Gold, 4 + int((30 - R) / 8)) : Color;
    });
  C.FillRect(156, 100, 28, 8, Tone(ERamp::Gold, 5));
  for (int X : {156, 165, 174}) C.FillPolygon({{double(X), 101}, {X + 10.0, 101}, {X + 5.0, 90}}, Tone(ERamp::Gold, 6));
  for (int X : {160, 169, 178}) C.FillRect(X, 102, 3, 3, Tone(X == 169 ? ERamp::Red : ERamp::Ice, 6));
  Title(C, "THE", 22, 2, ERamp::Stone);
  Title(C, "TESSELLATED", 42, 3, ERamp::Gold);
  Title(C, "CROWN", 70, 3, ERamp::Gold);
  return C;
}

TCanvas DrawGameOver() {
  TCanvas C(320, 240);
  Gradient(C, 0, 240, {{0, ERamp::Crimson, 0}, {160, ERamp::Crimson, 2}, {240, ERamp::Night, 0}});
  // A sword planted in a mound, the crown dropped at its foot.
  C.FillEllipse(160, 200, 70, 18, Tone(ERamp::Cave, 1));
  C.FillRect(158, 120, 5, 78, Tone(ERamp::Steel, 3));
  C.FillRect(159, 120, 1, 78, Tone(ERamp::Steel, 6));
  C.FillRect(146, 130, 29, 4, Tone(ERamp::Wood, 2));
  C.FillRect(158, 112, 5, 18, Tone(ERamp::Wood, 3));
  C.FillRect(182, 190, 20, 5, Tone(ERamp::Gold, 3));
  for (int X : {182, 189, 196}) C.FillPolygon({{double(X), 190}, {X + 6.0, 190}, {X + 3.0, 184}}, Tone(ERamp::Gold, 4));
  Title(C, "GAME OVER", 52, 4, ERamp::Stone);
  return C;
}

TCanvas DrawSkyPanorama() {
  TCanvas C(320, 240);
  Gradient(C, 0, 240, {{0, ERamp::Sky, 3}, {240, ERamp::Sky, 6}});
  Clouds(C, 20, 90, 301, ERamp::Stone);
  Clouds(C, 110, 170, 311, ERamp::Stone);
  Clouds(C, 185, 235, 321, ERamp::Sky);
  return C;
}

TCanvas DrawStarPanorama() {
  TCanvas C(320, 240);
  Gradient(C, 0, 240, {{0, ERamp::Night, 0}, {240, ERamp::Night, 2}});
  // A faint band of nebula across the middle, then the stars over it.
  C.Recolor(0, 0, 320, 240, [](int x, int y, uint8_t Color) {
    const double Band = std::exp(-std::pow((y - 120 - 30 * std::sin(x * 2 * std::numbers::pi / 320)) / 40.0, 2));
    const int N = SmoothNoise(x, y, 16, 320, 331);
    return N * Band > 120 ? DitherTone(ERamp::Purple, x, y, 1 + N * Band / 255.0) : Color;
  });
  Stars(C, 240, 341, 6);
  return C;
}

TCanvas DrawGrasslandBackdrop() {
  TCanvas C(320, 160);
  Gradient(C, 0, 90, {{0, ERamp::Sky, 4}, {90, ERamp::Sky, 7}});
  Clouds(C, 8, 50, 401, ERamp::Stone);
  Ridge(C, 80, 40, 80, 411, [](int x, int y, int) { return DitherTone(ERamp::Sky, x, y, 3.5); });
  Ridge(C, 92, 20, 40, 421, [](int x, int y, int D) { return DitherTone(ERamp::Leaf, x, y, D < 2 ? 4 : 3); });
  RecedingFloor(C, 100, GrassAt, 0.0);
  return C;
}

TCanvas DrawForestBackdrop() {
  TCanvas C(320, 160);
  Gradient(C, 0, 160, {{0, ERamp::Emerald, 4}, {100, ERamp::Sky, 6}});
  for (int i = 0; i < 14; ++i) Tree(C, 10 + i * 24 + Noise(i, 0, 501) % 12, 104, 80 + Noise(i, 1, 501) % 30, ERamp::Leaf);
  for (int i = 0; i < 8; ++i) Tree(C, i * 44 + Noise(i, 2, 501) % 20, 118, 110 + Noise(i, 3, 501) % 20, ERamp::Emerald);
  RecedingFloor(C, 112, DarkGrassAt, 0.0);
  return C;
}

TCanvas DrawCaveBackdrop() {
  TCanvas C(320, 160);
  C.Paint(0, 0, 320, 160, [](int x, int y) { return DitherTone(ERamp::Cave, x, y, 0.6 + SmoothNoise(x, y, 16, 320, 601) / 255.0 * 1.4); });
  // Stalactites hanging from the ceiling, a lighter cavern mouth behind.
  C.FillEllipse(160, 96, 120, 60, Tone(ERamp::Cave, 2));
  C.Recolor(40, 36, 240, 120, [](int x, int y, uint8_t Color) {
    return Color == Tone(ERamp::Cave, 2) ? DitherTone(ERamp::Cave, x, y, 1.6 + SmoothNoise(x, y, 8, 320, 611) / 255.0) : Color;
  });
  for (int i = 0; i < 16; ++i) {
    const double X = 10 + i * 20 + Noise(i, 0, 621) % 10, Length = 20 + Noise(i, 1, 621) % 40;
    C.FillPolygon({{X - 6, 0}, {X + 6, 0}, {X, Length}}, Tone(ERamp::Cave, 3));
  }
  RecedingFloor(C, 110, CaveFloorAt, 0.6);
  for (int i = 0; i < 6; ++i) {
    const double X = 20 + i * 56 + Noise(i, 2, 621) % 20;
    C.FillPolygon({{X - 8, 124}, {X + 8, 124}, {X, 108.0 - Noise(i, 3, 621) % 20}}, Tone(ERamp::Ice, 4));
    C.FillPolygon({{X - 8, 124}, {X, 124}, {X, 108 - Noise(i, 3, 621) % 20 + 0.0}}, Tone(ERamp::Ice, 6));
  }
  return C;
}

TCanvas DrawKeepBackdrop() {
  TCanvas C(320, 160);
  C.Paint(0, 0, 320, 104, [](int x, int y) {
    const int Course = y / 8, Offset = (Course & 1) * 8;
    if (y % 8 == 7 || (x + Offset) % 16 == 15) return Tone(ERamp::Slate, 0);
    return DitherTone(ERamp::Slate, x, y, 1.4 + (Noise((x + Offset) / 16, Course, 701) & 3) * 0.2);
  });
  // Pillars and banners along the back wall.
  for (int X : {24, 104, 200, 280}) {
    C.Paint(X - 10, 0, 20, 104, [&](int x, int y) { return DitherTone(ERamp::Slate, x, y, 4.5 - std::abs(x - X + 3) * 0.3); });
    C.FillRect(X - 12, 96, 24, 8, Tone(ERamp::Slate, 3));
  }
  for (int X : {64, 152, 240}) {
    C.FillRect(X - 12, 10, 24, 60, Tone(ERamp::Crimson, 3));
    C.FillPolygon({{X - 12.0, 70}, {X + 12.0, 70}, {double(X), 80}}, Tone(ERamp::Crimson, 3));
    C.FillRect(X - 12, 10, 24, 3, Tone(ERamp::Gold, 5));
    C.FillEllipse(X, 36, 6, 6, Tone(ERamp::Gold, 5));
    C.FillEllipse(X, 36, 3, 3, Tone(ERamp::Crimson, 2));
  }
  RecedingFloor(C, 104, MosaicAt, 0.3);
  return C;
}
