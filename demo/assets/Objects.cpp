// The object charset: things on the map that move or change, drawn as charset characters.
// Chests and doors use their four direction rows as the stages of opening.
#include "Assets.h"

#include <cmath>

namespace {

TPoint FrameOrigin(int Character, int Direction, int Frame) {
  return {(Character % 4) * 72 + Frame * 24, (Character / 4) * 128 + Direction * 32};
}

// Draws Paint into each of the twelve frames of a character on a scratch cell, outlined.
void Character(TCanvas& C, int Index, const std::function<void(TCanvas&, int, int)>& Paint) {
  for (int Direction = 0; Direction < 4; ++Direction)
    for (int Frame = 0; Frame < 3; ++Frame) {
      TCanvas S(24, 32);
      Paint(S, Direction, Frame);
      S.Outline(0, 0, 24, 32, Ink);
      const TPoint O = FrameOrigin(Index, Direction, Frame);
      C.Blit(S, 0, 0, 24, 32, O.X, O.Y);
    }
}

void Chest(TCanvas& S, int Stage, int) {
  S.FillRect(3, 19, 18, 11, Tone(ERamp::Wood, 3));
  S.FillRect(3, 19, 18, 1, Tone(ERamp::Wood, 5));
  for (int X : {3, 11, 19}) S.FillRect(X, 19, 2, 11, Tone(ERamp::Gold, 4));
  S.FillRect(3, 28, 18, 2, Tone(ERamp::Wood, 1));
  if (Stage == 0) {
    S.FillRect(3, 13, 18, 6, Tone(ERamp::Wood, 4));
    S.FillRect(3, 13, 18, 1, Tone(ERamp::Wood, 6));
    S.FillRect(11, 16, 2, 4, Tone(ERamp::Gold, 6));
  } else {
    const int Lid = Stage == 1 ? 4 : 8;
    S.FillRect(3, 19 - Lid, 18, Lid, Tone(ERamp::Wood, 2));
    S.FillRect(4, 19, 16, 2, Black);
    if (Stage == 2) S.FillRect(8, 18, 8, 2, Tone(ERamp::Gold, 7));
  }
}

void Door(TCanvas& S, int Stage, int) {
  S.FillRect(2, 4, 20, 28, Tone(ERamp::Stone, 2));
  S.FillRect(4, 6, 16, 26, Black);
  const int Width = 16 - Stage * 5;
  if (Width > 0)
    S.Paint(4, 6, Width, 26, [&](int x, int) { return (x - 4) % 4 == 3 ? Tone(ERamp::Wood, 2) : Tone(ERamp::Wood, 4); });
  if (Stage == 0) S.FillRect(16, 18, 2, 2, Tone(ERamp::Gold, 6));
}

void SaveCrystal(TCanvas& S, int, int Frame) {
  const int Glow = 4 + Frame;
  S.FillEllipse(12, 29, 8, 2.5, Tone(ERamp::Slate, 2));
  S.FillPolygon({{12, 4 - Frame * 1.0}, {18, 14}, {12, 27}, {6, 14}}, Tone(ERamp::Ice, Glow - 1));
  S.FillPolygon({{12, 4 - Frame * 1.0}, {12, 27}, {6, 14}}, Tone(ERamp::Ice, Glow + 1));
  S.Put(10, 10, White);
}

void Campfire(TCanvas& S, int, int Frame) {
  S.FillRect(5, 26, 14, 3, Tone(ERamp::Wood, 2));
  S.Line(5, 29, 18, 24, Tone(ERamp::Wood, 3));
  const double Lean = (Frame - 1) * 1.5;
  S.FillPolygon({{6, 27}, {18, 27}, {12 + Lean, 10.0 + Frame}}, Tone(ERamp::Orange, 5));
  S.FillPolygon({{9, 27}, {15, 27}, {12 - Lean, 16.0 - Frame}}, Tone(ERamp::Gold, 7));
}

void MapSlime(TCanvas& S, int Direction, int Frame) {
  const double Squash = Frame == 1 ? 0 : 1.5;
  S.ShadeEllipse(12, 24 + Squash / 2, 9 + Squash, 7 - Squash, ERamp::Emerald, 1, 6);
  if (Direction == 0) return;
  const int Shift = Direction == 1 ? 3 : Direction == 3 ? -3 : 0;
  S.FillRect(9 + Shift, 22, 1, 2, Ink);
  S.FillRect(14 + Shift, 22, 1, 2, Ink);
}

void MapBat(TCanvas& S, int, int Frame) {
  const double Wing = Frame == 1 ? 0 : Frame == 0 ? -4 : 3;
  for (int Side : {-1, 1}) S.FillPolygon({{12, 16}, {12 + Side * 11.0, 12 + Wing}, {12 + Side * 8.0, 20}}, Tone(ERamp::Purple, 3));
  S.ShadeEllipse(12, 17, 4, 4.5, ERamp::Purple, 2, 6);
  S.Put(11, 16, Tone(ERamp::Red, 6));
  S.Put(13, 16, Tone(ERamp::Red, 6));
}

void MapGolem(TCanvas& S, int Direction, int Frame) {
  const int Step = Frame == 1 ? 0 : 1;
  S.FillRect(6, 26 - Step, 5, 6, Tone(ERamp::Teal, 3));
  S.FillRect(13, 26 - (1 - Step) * (Frame == 1 ? 0 : 1), 5, 6, Tone(ERamp::Teal, 2));
  S.FillRect(3, 13, 18, 14, Tone(ERamp::Teal, 4));
  S.FillRect(3, 13, 18, 1, Tone(ERamp::Gold, 6));
  for (int y = 15; y < 26; y += 3)
    for (int x = 5; x < 20; x += 3) S.Put(x, y, Tone(ERamp::Gold, 4));
  S.FillRect(6, 4, 12, 9, Tone(ERamp::Teal, 5));
  S.FillRect(6, 1, 12, 3, Tone(ERamp::Gold, 6));
  if (Direction != 0) {
    const int Shift = Direction == 1 ? 2 : Direction == 3 ? -2 : 0;
    S.FillRect(8 + Shift, 7, 3, 2, Tone(ERamp::Ice, 7));
    S.FillRect(13 + Shift, 7, 3, 2, Tone(ERamp::Ice, 7));
  }
}

void CrownOnPedestal(TCanvas& S, int, int Frame) {
  S.FillRect(6, 20, 12, 12, Tone(ERamp::Slate, 4));
  S.FillRect(6, 20, 12, 2, Tone(ERamp::Slate, 6));
  S.FillRect(4, 18, 16, 3, Tone(ERamp::Slate, 5));
  S.FillRect(6, 13, 12, 4, Tone(ERamp::Gold, 5));
  for (int X : {6, 10, 14}) S.FillPolygon({{double(X), 14}, {X + 4.0, 14}, {X + 2.0, 9}}, Tone(ERamp::Gold, 6));
  S.Put(11, 14, Tone(ERamp::Red, 6));
  if (Frame != 1) S.Put(Frame == 0 ? 5 : 18, Frame == 0 ? 8 : 10, White);
}

}  // namespace

TCanvas DrawObjectCharset() {
  TCanvas C(288, 256);
  Character(C, 0, [](TCanvas& S, int D, int F) { Chest(S, D, F); });
  Character(C, 1, [](TCanvas& S, int D, int F) { Door(S, D, F); });
  Character(C, 2, SaveCrystal);
  Character(C, 3, Campfire);
  Character(C, 4, MapSlime);
  Character(C, 5, MapBat);
  Character(C, 6, MapGolem);
  Character(C, 7, CrownOnPedestal);
  return C;
}
