// The five enemies. Each is built from shaded ellipses and polygons, then outlined; index 0 is
// the clear background the battle draws them over.
#include "Assets.h"
#include "Textures.h"

#include <cmath>

namespace {

// A stroke Width pixels wide, for bones and wing struts.
void ThickLine(TCanvas& C, double X0, double Y0, double X1, double Y1, double Width, uint8_t Color) {
  const double Length = std::hypot(X1 - X0, Y1 - Y0);
  const int Steps = std::max(1, int(Length * 2));
  for (int i = 0; i <= Steps; ++i) {
    const double T = double(i) / Steps;
    C.FillEllipse(X0 + (X1 - X0) * T, Y0 + (Y1 - Y0) * T, Width / 2, Width / 2, Color);
  }
}

// Shades every pixel of one colour by its position in the box, light at the upper left.
void ShadeRegion(TCanvas& C, uint8_t Marker, ERamp Ramp, double Light, double Dark) {
  int Left = C.Width(), Top = C.Height(), Right = 0, Bottom = 0;
  for (int y = 0; y < C.Height(); ++y)
    for (int x = 0; x < C.Width(); ++x)
      if (C.At(x, y) == Marker) Left = std::min(Left, x), Right = std::max(Right, x), Top = std::min(Top, y), Bottom = std::max(Bottom, y);
  if (Right < Left) return;
  C.Recolor(Left, Top, Right - Left + 1, Bottom - Top + 1, [&](int x, int y, uint8_t Color) {
    if (Color != Marker) return Color;
    const double T = ((x - Left) / double(Right - Left + 1) + (y - Top) / double(Bottom - Top + 1)) / 2;
    return DitherTone(Ramp, x, y, Light + (Dark - Light) * T);
  });
}

void Eye(TCanvas& C, double X, double Y, double R, ERamp Iris) {
  C.FillEllipse(X, Y, R, R * 1.2, White);
  C.FillEllipse(X + R * 0.2, Y + R * 0.2, R * 0.6, R * 0.8, Tone(Iris, 2));
  C.Put(int(X - R * 0.3), int(Y - R * 0.4), White);
}

TCanvas Finish(TCanvas C) {
  C.Outline(0, 0, C.Width(), C.Height(), Ink);
  return C;
}

}  // namespace

TCanvas DrawSlime() {
  TCanvas C(64, 52);
  C.FillEllipse(32, 46, 24, 4, Tone(ERamp::Emerald, 1));  // its shadow puddle
  C.FillPolygon({{32, 4}, {42, 18}, {22, 18}}, Tone(ERamp::Emerald, 5));
  C.ShadeEllipse(32, 32, 26, 17, ERamp::Emerald, 1, 6);
  C.Recolor(0, 0, 64, 20, [](int x, int y, uint8_t Color) {
    return Color == Tone(ERamp::Emerald, 5) ? DitherTone(ERamp::Emerald, x, y, 6.0 - (x - 22) * 0.12) : Color;
  });
  C.FillRect(6, 46, 52, 6, Clear);
  C.FillEllipse(32, 46, 26, 2.5, Tone(ERamp::Emerald, 2));
  C.FillEllipse(20, 22, 5, 3, Tone(ERamp::Emerald, 7));
  C.FillEllipse(18, 21, 2, 1.2, White);
  Eye(C, 24, 32, 4, ERamp::Night);
  Eye(C, 40, 32, 4, ERamp::Night);
  C.Line(27, 41, 37, 41, Tone(ERamp::Emerald, 0));
  C.Put(26, 40, Tone(ERamp::Emerald, 0));
  C.Put(38, 40, Tone(ERamp::Emerald, 0));
  return Finish(std::move(C));
}

TCanvas DrawBat() {
  TCanvas C(96, 60);
  // Wings: a fan of struts with scalloped membrane between them, mirrored.
  for (int Side : {-1, 1}) {
    const double X0 = 48 + Side * 6;
    std::vector<TPointF> Wing = {{X0, 20}, {48 + Side * 30.0, 6}, {48 + Side * 46.0, 14}};
    for (int Scallop = 0; Scallop <= 4; ++Scallop) {
      const double T = Scallop / 4.0;
      Wing.push_back({48 + Side * (46 - T * 38), 14 + T * 20 + (Scallop % 2 ? 8 : 0)});
    }
    C.FillPolygon(Wing, Tone(ERamp::Purple, 2));
    ShadeRegion(C, Tone(ERamp::Purple, 2), ERamp::Purple, Side < 0 ? 4.0 : 3.0, 1.2);
    for (double T : {0.0, 0.5, 1.0})
      ThickLine(C, X0, 20, 48 + Side * (46 - T * 30), 14 + T * 22, 1.5, Tone(ERamp::Purple, 0));
    ThickLine(C, X0, 20, 48 + Side * 30.0, 6, 2, Tone(ERamp::Purple, 1));
  }
  C.ShadeEllipse(48, 28, 10, 12, ERamp::Purple, 2, 6);
  C.FillPolygon({{40, 20}, {42, 6}, {46, 17}}, Tone(ERamp::Purple, 4));
  C.FillPolygon({{56, 20}, {54, 6}, {50, 17}}, Tone(ERamp::Purple, 3));
  C.FillEllipse(44, 26, 2.5, 2, Tone(ERamp::Red, 6));
  C.FillEllipse(52, 26, 2.5, 2, Tone(ERamp::Red, 6));
  C.Put(44, 26, White);
  C.Put(52, 26, White);
  C.FillPolygon({{45, 33}, {47, 33}, {46, 37}}, White);
  C.FillPolygon({{49, 33}, {51, 33}, {50, 37}}, White);
  C.FillEllipse(44, 41, 2, 2, Tone(ERamp::Purple, 2));
  C.FillEllipse(52, 41, 2, 2, Tone(ERamp::Purple, 2));
  return Finish(std::move(C));
}

TCanvas DrawWolf() {
  TCanvas C(112, 80);
  const ERamp Fur = ERamp::Slate;
  // Far legs first, darker.
  ThickLine(C, 74, 48, 80, 72, 6, Tone(Fur, 1));
  ThickLine(C, 40, 48, 36, 72, 6, Tone(Fur, 1));
  // Tail.
  C.FillPolygon({{86, 36}, {104, 18}, {110, 22}, {96, 44}}, Tone(Fur, 3));
  ShadeRegion(C, Tone(Fur, 3), Fur, 5, 2);
  C.ShadeEllipse(62, 44, 28, 15, Fur, 1, 6);
  // Near legs.
  ThickLine(C, 82, 50, 88, 74, 7, Tone(Fur, 3));
  ThickLine(C, 46, 50, 46, 74, 7, Tone(Fur, 4));
  for (int X : {34, 44, 78, 86}) C.FillEllipse(X + 2, 75, 4.5, 2.5, Tone(Fur, 2));
  // Head: skull, snout, ears, jaw.
  C.FillPolygon({{22, 14}, {28, 2}, {34, 16}}, Tone(Fur, 4));
  C.FillPolygon({{32, 14}, {40, 2}, {42, 18}}, Tone(Fur, 3));
  C.ShadeEllipse(32, 28, 14, 13, Fur, 2, 7);
  C.FillPolygon({{24, 24}, {4, 32}, {6, 38}, {26, 38}}, Tone(Fur, 5));
  ShadeRegion(C, Tone(Fur, 5), Fur, 6, 3);
  C.FillPolygon({{8, 38}, {26, 38}, {24, 44}, {12, 42}}, Tone(ERamp::Crimson, 3));
  for (int X : {10, 14, 18, 22}) C.FillPolygon({{double(X), 38}, {X + 2.0, 38}, {X + 1.0, 41}}, White);
  C.FillEllipse(5, 32, 2.5, 2, Ink);
  C.FillEllipse(28, 24, 3, 2, Tone(ERamp::Gold, 6));
  C.Put(28, 24, Ink);
  C.Line(24, 20, 32, 22, Tone(Fur, 0));
  // A pale belly.
  C.Recolor(40, 50, 44, 10, [&](int x, int y, uint8_t Color) {
    return ShadeOf(Color) >= 0 && RampOf(Color) == Fur && y > 52 ? DitherTone(ERamp::Stone, x, y, 5) : Color;
  });
  return Finish(std::move(C));
}

TCanvas DrawSkeleton() {
  TCanvas C(72, 104);
  const uint8_t Bone = Tone(ERamp::Bone, 5), BoneDark = Tone(ERamp::Bone, 3);
  // Legs and pelvis.
  ThickLine(C, 30, 62, 26, 80, 4, Bone);
  ThickLine(C, 26, 80, 24, 98, 3.5, Bone);
  ThickLine(C, 42, 62, 46, 80, 4, BoneDark);
  ThickLine(C, 46, 80, 48, 98, 3.5, BoneDark);
  C.FillEllipse(22, 100, 5, 2.5, Bone);
  C.FillEllipse(50, 100, 5, 2.5, BoneDark);
  C.FillEllipse(36, 60, 10, 5, Bone);
  C.FillEllipse(36, 61, 3, 2, Clear);
  // Spine and ribs.
  for (int Y = 30; Y < 58; Y += 3) C.FillEllipse(36, Y, 2, 1.3, BoneDark);
  for (int Rib = 0; Rib < 4; ++Rib) {
    const double Y = 33 + Rib * 5, Half = 13 - Rib * 1.5;
    for (int Side : {-1, 1}) {
      ThickLine(C, 36, Y, 36 + Side * Half, Y + 2, 2, Side < 0 ? Bone : BoneDark);
      ThickLine(C, 36 + Side * Half, Y + 2, 36 + Side * (Half - 4), Y + 5, 2, Side < 0 ? Bone : BoneDark);
    }
  }
  // Arms: one hangs, one raises a rusty blade.
  ThickLine(C, 24, 32, 16, 48, 3.5, Bone);
  ThickLine(C, 16, 48, 14, 62, 3, Bone);
  ThickLine(C, 48, 32, 58, 42, 3.5, BoneDark);
  ThickLine(C, 58, 42, 60, 28, 3, BoneDark);
  C.FillPolygon({{58, 28}, {62, 28}, {64, 2}, {60, 0}}, Tone(ERamp::Brick, 4));
  ShadeRegion(C, Tone(ERamp::Brick, 4), ERamp::Steel, 6, 2);
  C.FillRect(55, 26, 11, 3, Tone(ERamp::Wood, 3));
  // Skull.
  C.ShadeEllipse(36, 16, 11, 12, ERamp::Bone, 3, 7);
  C.FillRect(29, 24, 14, 5, Tone(ERamp::Bone, 5));
  C.FillEllipse(31, 16, 3.5, 4, Black);
  C.FillEllipse(41, 16, 3.5, 4, Black);
  C.Put(31, 16, Tone(ERamp::Red, 6));
  C.Put(41, 16, Tone(ERamp::Red, 6));
  C.FillPolygon({{35, 21}, {37, 21}, {36, 24}}, Black);
  for (int X = 30; X <= 42; X += 3) C.Line(X, 25, X, 28, Tone(ERamp::Bone, 2));
  return Finish(std::move(C));
}

TCanvas DrawGolem() {
  TCanvas C(176, 150);
  // Every block of the golem is paved with the keep's mosaic, lit along its top and left edges.
  auto Block = [&](int X, int Y, int W, int H) {
    C.Paint(X, Y, W, H, [&](int x, int y) {
      if (x == X || y == Y) return Tone(ERamp::Gold, 6);
      if (x == X + W - 1 || y == Y + H - 1) return Tone(ERamp::Slate, 0);
      if (x == X + 1 || y == Y + 1) return Tone(ERamp::Teal, 6);
      return MosaicAt(x, y);
    });
  };
  // Legs, arms, then the trunk over them.
  Block(52, 108, 26, 38);
  Block(98, 108, 26, 38);
  Block(10, 52, 30, 40);
  Block(6, 92, 38, 30);
  Block(136, 52, 30, 40);
  Block(132, 92, 38, 30);
  Block(38, 44, 100, 70);
  // A glowing seal in its chest.
  for (double R = 14; R > 0; R -= 1)
    C.FillEllipse(88, 78, R, R, Tone(ERamp::Ice, int(7 - R / 2.5)));
  C.FillEllipse(88, 78, 4, 4, White);
  // Head with burning eyes, and on it the crown the game is named for.
  Block(64, 14, 48, 34);
  C.FillRect(72, 28, 12, 6, Black);
  C.FillRect(92, 28, 12, 6, Black);
  C.FillRect(74, 29, 8, 4, Tone(ERamp::Ice, 6));
  C.FillRect(94, 29, 8, 4, Tone(ERamp::Ice, 6));
  C.FillRect(76, 30, 3, 2, White);
  C.FillRect(96, 30, 3, 2, White);
  C.FillRect(66, 6, 44, 9, Tone(ERamp::Gold, 5));
  C.FillRect(66, 13, 44, 2, Tone(ERamp::Gold, 2));
  for (int X : {66, 77, 88, 99})
    C.FillPolygon({{double(X), 7}, {X + 11.0, 7}, {X + 5.5, 0}}, Tone(ERamp::Gold, 6));
  for (int X : {71, 82, 93, 104}) C.FillRect(X, 8, 3, 3, Tone(X % 2 ? ERamp::Red : ERamp::Ice, 5));
  return Finish(std::move(C));
}
