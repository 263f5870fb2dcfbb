#include "Textures.h"

#include <cmath>
#include <numbers>

namespace {

int Wrap16(int V) { return V & 15; }

// A sparse set of points, repeating every 16 pixels: Chance of 256 per pixel.
bool Sprinkle(int X, int Y, int Seed, int Chance) { return Noise(Wrap16(X), Wrap16(Y), Seed) < Chance; }

double Wave(double Phase) { return std::sin(Phase * 2 * std::numbers::pi); }

}  // namespace

uint8_t GrassAt(int X, int Y) {
  const double Shade = 3.3 + SmoothNoise(X, Y, 4, 16, 11) / 255.0 * 1.5;
  // Blades: a two-pixel light stroke with a dark pixel at its right foot.
  if (Sprinkle(X, Y, 12, 9) || Sprinkle(X, Y + 1, 12, 9)) return Tone(ERamp::Grass, 6);
  if (Sprinkle(X - 1, Y, 12, 9)) return Tone(ERamp::Grass, 2);
  return DitherTone(ERamp::Grass, X, Y, Shade);
}

uint8_t DarkGrassAt(int X, int Y) {
  const double Shade = 2.2 + SmoothNoise(X, Y, 4, 16, 21) / 255.0 * 1.4;
  // Tall tufts: "v" shapes in light green over dark.
  if (Sprinkle(X, Y, 22, 18) || Sprinkle(X + 1, Y + 1, 22, 18) || Sprinkle(X - 1, Y + 1, 22, 18))
    return Tone(ERamp::Grass, 5);
  if (Sprinkle(X, Y - 1, 22, 18)) return Tone(ERamp::Leaf, 1);
  return DitherTone(ERamp::Leaf, X, Y, Shade + 0.6);
}

uint8_t DirtAt(int X, int Y) {
  const double Shade = 3.5 + SmoothNoise(X, Y, 4, 16, 31) / 255.0 * 1.2;
  if (Sprinkle(X, Y, 32, 6)) return Tone(ERamp::Dirt, 6);
  if (Sprinkle(X - 1, Y - 1, 32, 6)) return Tone(ERamp::Dirt, 2);
  if (Sprinkle(X, Y, 33, 10)) return Tone(ERamp::Dirt, 3);
  return DitherTone(ERamp::Dirt, X, Y, Shade);
}

uint8_t SandAt(int X, int Y) {
  const double Shade = 3.8 + SmoothNoise(X, Y, 8, 16, 41) / 255.0 * 1.2;
  if (Sprinkle(X, Y, 42, 8)) return Tone(ERamp::Sand, 6);
  if (Sprinkle(X, Y, 43, 8)) return Tone(ERamp::Sand, 2);
  return DitherTone(ERamp::Sand, X, Y, Shade);
}

uint8_t CobbleAt(int X, int Y) {
  // Stones of 8x8 in offset rows, each rounded with a light top-left and a dark bottom-right.
  const int Row = Wrap16(Y) / 8;
  const int LX = (Wrap16(X) + Row * 4) & 7, LY = Wrap16(Y) & 7;
  if (LX == 7 || LY == 7) return Tone(ERamp::Stone, 1);
  if ((LX == 0 && LY == 0) || (LX == 6 && LY == 6)) return Tone(ERamp::Stone, 2);
  const int Stone = Noise((Wrap16(X) + Row * 4) / 8 & 1, Row, 51) & 3;
  if (LX == 0 || LY == 0) return Tone(ERamp::Stone, 5 + (Stone & 1));
  if (LX == 6 || LY == 6) return Tone(ERamp::Stone, 2);
  return DitherTone(ERamp::Stone, X, Y, 3.3 + Stone * 0.3);
}

uint8_t WoodFloorAt(int X, int Y) {
  // Planks four pixels high, joints staggered from row to row.
  const int Plank = Wrap16(Y) / 4, LY = Wrap16(Y) & 3;
  const int Joint = (Plank * 7 + 3) & 15;
  if (LY == 3) return Tone(ERamp::Wood, 1);
  if (Wrap16(X) == Joint) return Tone(ERamp::Wood, 2);
  if (LY == 0) return Tone(ERamp::Wood, 5);
  const bool Grain = Noise(Wrap16(X) / 3, Wrap16(Y), 61) < 60;
  return Tone(ERamp::Wood, Grain ? 3 : 4);
}

uint8_t CaveFloorAt(int X, int Y) {
  const double Shade = 2.4 + SmoothNoise(X, Y, 4, 16, 71) / 255.0 * 1.6;
  if (Sprinkle(X, Y, 72, 7)) return Tone(ERamp::Cave, 5);
  if (Sprinkle(X - 1, Y - 1, 72, 7)) return Tone(ERamp::Cave, 1);
  return DitherTone(ERamp::Cave, X, Y, Shade);
}

uint8_t CarpetAt(int X, int Y) {
  // A woven red carpet with a gold diamond every tile.
  const int LX = Wrap16(X), LY = Wrap16(Y);
  const int Diamond = std::abs(LX - 8) + std::abs(LY - 8);
  if (Diamond == 4) return Tone(ERamp::Gold, 5);
  if (Diamond < 2) return Tone(ERamp::Gold, 4);
  return Tone(ERamp::Red, ((LX + LY) & 1) ? 3 : 2);
}

uint8_t SwampAt(int X, int Y) {
  const double Shade = 2.5 + SmoothNoise(X, Y, 8, 16, 81) / 255.0 * 1.5;
  if (Sprinkle(X, Y, 82, 6) || Sprinkle(X - 1, Y, 82, 6)) return Tone(ERamp::Moss, 6);
  return DitherTone(ERamp::Purple, X, Y, Shade - 0.4);
}

uint8_t FlowerMeadowAt(int X, int Y) {
  // Little four-petal flowers in two colours over the grass.
  for (int Seed : {91, 92}) {
    const ERamp Petal = Seed == 91 ? ERamp::Pink : ERamp::Gold;
    if (Sprinkle(X, Y, Seed, 5)) return Tone(ERamp::Gold, 7);
    if (Sprinkle(X - 1, Y, Seed, 5) || Sprinkle(X + 1, Y, Seed, 5) || Sprinkle(X, Y - 1, Seed, 5) ||
        Sprinkle(X, Y + 1, Seed, 5))
      return Tone(Petal, 5);
  }
  return GrassAt(X, Y);
}

uint8_t MosaicAt(int X, int Y) {
  // The tessellated floor of the old keep: 4x4 stone tiles in teal and gold with thin grout,
  // a pattern that repeats every tile.
  const int LX = Wrap16(X), LY = Wrap16(Y);
  if ((LX & 3) == 3 || (LY & 3) == 3) return Tone(ERamp::Slate, 1);
  const int CX = LX / 4, CY = LY / 4;
  const bool Ring = (CX == 0 || CX == 3 || CY == 0 || CY == 3);
  const bool Corner = (CX == 0 || CX == 3) && (CY == 0 || CY == 3);
  const ERamp Ramp = Corner ? ERamp::Gold : Ring ? ERamp::Teal : ERamp::Slate;
  const int Base = Corner ? 4 : 3;
  if ((LX & 3) == 0 && (LY & 3) == 0) return Tone(Ramp, Base + 2);
  if ((LX & 3) == 2 || (LY & 3) == 2) return Tone(Ramp, Base - 1);
  return Tone(Ramp, Base);
}

uint8_t CanopyAt(int X, int Y) {
  // Clumps of leaves: each 8x8 cell holds one rounded clump, lit from the upper left.
  const int LX = Wrap16(X), LY = Wrap16(Y);
  const int Row = LY / 8;
  const int CX = ((LX + Row * 4) & 7), CY = LY & 7;
  const double DX = CX - 3.5, DY = CY - 3.5;
  const double D = std::sqrt(DX * DX + DY * DY);
  if (D > 4.2) return Tone(ERamp::Leaf, 1);
  const double Light = 3.2 - (DX + DY) * 0.28 - D * 0.15;
  if (Noise(LX, LY, 101) < 20) return Tone(ERamp::Leaf, int(Light) + 2);
  return DitherTone(ERamp::Leaf, X, Y, Light);
}

uint8_t RockAt(int X, int Y) {
  // Faceted boulders: value noise cut into bands reads as chiselled planes.
  const int N = SmoothNoise(X, Y, 4, 16, 111);
  const int M = SmoothNoise(X + 2, Y + 2, 4, 16, 111);
  const int Edge = N - M;
  if (Edge > 40) return Tone(ERamp::Slate, 6);
  if (Edge < -40) return Tone(ERamp::Slate, 1);
  return DitherTone(ERamp::Slate, X, Y, 2.6 + N / 255.0 * 2.0);
}

uint8_t VoidAt(int, int) { return Black; }

uint8_t WaterAt(int X, int Y, int Frame, bool Deep) {
  const int LX = Wrap16(X), LY = Wrap16(Y);
  const double Base = Deep ? 1.6 : 3.0;
  // Gentle swell bands moving to the right frame by frame, with short white crests.
  const double Swell = Wave((LX + LY * 2 + Frame * 16 / 3.0) / 16.0);
  const int CrestX = (LX - Frame * 5) & 15;
  if (Noise(CrestX, LY, Deep ? 121 : 122) < 10 || Noise((CrestX - 1) & 15, LY, Deep ? 121 : 122) < 10)
    return Tone(ERamp::Water, Deep ? 4 : 6);
  if (Noise(CrestX, (LY - 1) & 15, Deep ? 121 : 122) < 10) return Tone(ERamp::Water, Deep ? 1 : 2);
  return DitherTone(ERamp::Water, X, Y, Base + 0.6 + Swell * 0.6);
}

void PaintTexture(TCanvas& Canvas, int X, int Y, int W, int H, const TTexture& Texture) {
  Canvas.Paint(X, Y, W, H, Texture);
}
