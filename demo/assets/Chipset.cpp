// The chipset: three kinds of water, three animated tiles, twelve terrain auto-tiles and the
// lower and upper tiles, at the fixed places the map renderer takes them from.
#include "Assets.h"
#include "Chipset.h"
#include "Textures.h"

#include <algorithm>
#include <cmath>

namespace {

// Which sides of a 16x16 (or 48x48) square border on other ground, and which corners are
// cut by it from inside (the concave corners of an auto-tile).
struct TEdges {
  bool Top = false, Bottom = false, Left = false, Right = false;
  bool InnerTopLeft = false, InnerTopRight = false, InnerBottomLeft = false, InnerBottomRight = false;
};

constexpr TEdges AllSides{true, true, true, true};
constexpr TEdges LeftRight{false, false, true, true};
constexpr TEdges TopBottom{true, true, false, false};
constexpr TEdges InnerCorners{false, false, false, false, true, true, true, true};
constexpr TEdges Open{};

// Signed distance in pixels from the border ground: negative on it, positive inside. Borders
// lie Margin pixels inside the bordered sides; outer corners are rounded.
double EdgeDistance(int LX, int LY, int Size, const TEdges& E, double Margin) {
  const double PX = LX + 0.5, PY = LY + 0.5, Far = 1e6, Radius = 4;
  const double Left = E.Left ? Margin : -Far, Right = E.Right ? Size - Margin : Far;
  const double Top = E.Top ? Margin : -Far, Bottom = E.Bottom ? Size - Margin : Far;
  const double CX = std::clamp(PX, Left + Radius, Right - Radius);
  const double CY = std::clamp(PY, Top + Radius, Bottom - Radius);
  double D = Radius - std::hypot(PX - CX, PY - CY);
  const struct {
    bool On;
    double X, Y;
  } Corners[] = {{E.InnerTopLeft, 0, 0}, {E.InnerTopRight, double(Size), 0},
                 {E.InnerBottomLeft, 0, double(Size)}, {E.InnerBottomRight, double(Size), double(Size)}};
  for (const auto& C : Corners)
    if (C.On) D = std::min(D, std::hypot(PX - C.X, PY - C.Y) - Margin);
  return D;
}

// ---- Water ----------------------------------------------------------------------------------

enum class EShore { Grass, Stone };

uint8_t ShorePixel(int X, int Y, EShore Shore, double D, int Frame) {
  if (D >= -1.0) return Shore == EShore::Grass ? Tone(ERamp::Dirt, 2) : Tone(ERamp::Stone, 1);
  if (Shore == EShore::Grass) return D >= -2.0 ? Tone(ERamp::Grass, 3) : GrassAt(X, Y);
  (void)Frame;
  return D >= -2.0 ? Tone(ERamp::Stone, 6) : CobbleAt(X, Y);
}

void PaintWaterTile(TCanvas& C, int X, int Y, const TEdges& E, EShore Shore, bool Deep, int Frame) {
  C.Paint(X, Y, 16, 16, [&](int x, int y) {
    const double D = EdgeDistance(x - X, y - Y, 16, E, 3.0);
    if (D < 0) return ShorePixel(x, y, Shore, D, Frame);
    // Foam along the shore pulses with the frames.
    if (D < 1.0) return Tone(ERamp::Water, 7 - ((x + y + Frame) % 3 == 0 ? 1 : 0));
    if (D < 2.0 && ((x + Frame) & 1)) return Tone(ERamp::Water, 5);
    return WaterAt(x, y, Frame, Deep);
  });
}

// Rows of 16 pixels in a water column: the bordered shapes, open water and the corner set.
void DrawWater(TCanvas& C) {
  const TEdges Shapes[] = {AllSides, LeftRight, TopBottom, InnerCorners};
  for (int Frame = 0; Frame < 3; ++Frame) {
    const int FX = Frame * 16;
    for (int Row = 0; Row < 4; ++Row) {
      PaintWaterTile(C, FX, Row * 16, Shapes[Row], EShore::Grass, false, Frame);
      PaintWaterTile(C, 48 + FX, Row * 16, Shapes[Row], EShore::Stone, false, Frame);
    }
    PaintWaterTile(C, FX, 64, Open, EShore::Grass, false, Frame);    // open water
    PaintWaterTile(C, FX, 80, Open, EShore::Grass, true, Frame);     // corners toward the sea
    PaintWaterTile(C, FX, 96, Open, EShore::Grass, false, Frame);    // sea corners toward shallows
    PaintWaterTile(C, FX, 112, Open, EShore::Grass, true, Frame);    // open sea
  }
}

// ---- Animated tiles (four frames stacked) ------------------------------------------------------

void DrawWaterfall(TCanvas& C, int X, int Y) {
  for (int Frame = 0; Frame < 4; ++Frame)
    C.Paint(X, Y + Frame * 16, 16, 16, [&](int x, int y) {
      const int LX = x - X, LY = (y - Y - Frame * 4) & 15;
      if (LX == 0 || LX == 15) return Tone(ERamp::Slate, 1);
      if (LX == 1 || LX == 14) return Tone(ERamp::Water, 6);
      const int Streak = Noise(LX, 0, 131) & 15;
      if (((LY + Streak) & 15) < 3) return Tone(ERamp::Water, 7);
      return Tone(ERamp::Water, 4 + ((LX + Streak) & 1));
    });
}

void DrawLava(TCanvas& C, int X, int Y) {
  for (int Frame = 0; Frame < 4; ++Frame)
    C.Paint(X, Y + Frame * 16, 16, 16, [&](int x, int y) {
      const int LX = x - X, LY = y - Y - Frame * 16;
      const double Flow = SmoothNoise(LX + Frame * 4, LY, 4, 16, 141) / 255.0;
      const double BX = LX - 8.0, BY = LY - 9.0 + Frame;  // a bubble that rises and swells
      const double Bubble = std::hypot(BX, BY) - (1.0 + Frame * 0.8);
      if (Frame < 3 && Bubble < 0) return Tone(ERamp::Lava, 7);
      if (Frame < 3 && Bubble < 1) return Tone(ERamp::Lava, 3);
      return DitherTone(ERamp::Lava, x, y, 2.5 + Flow * 3.5);
    });
}

void DrawSwayingFlowers(TCanvas& C, int X, int Y) {
  constexpr int Sway[4] = {0, 1, 0, -1};
  for (int Frame = 0; Frame < 4; ++Frame) {
    const int FY = Y + Frame * 16;
    C.Paint(X, FY, 16, 16, [&](int x, int y) { return GrassAt(x, y - Frame * 16); });
    const struct {
      int X, Y;
      ERamp Petal;
    } Flowers[] = {{4, 5, ERamp::Pink}, {11, 3, ERamp::Gold}, {9, 11, ERamp::Red}, {3, 12, ERamp::Gold}};
    for (const auto& F : Flowers) {
      const int HX = X + F.X + Sway[Frame], HY = FY + F.Y;
      C.Line(X + F.X, HY + 3, HX, HY + 1, Tone(ERamp::Leaf, 3));
      C.Put(HX - 1, HY, Tone(F.Petal, 5));
      C.Put(HX + 1, HY, Tone(F.Petal, 4));
      C.Put(HX, HY - 1, Tone(F.Petal, 6));
      C.Put(HX, HY + 1, Tone(F.Petal, 3));
      C.Put(HX, HY, Tone(ERamp::Gold, 7));
    }
  }
}

// ---- Terrain auto-tiles -------------------------------------------------------------------

struct TTerrain {
  TTexture Fill, Base;
  uint8_t Rim;
  double Margin;     // width of the border ground inside a bordered side
  double Bump;       // how ragged the border is
  bool CastsShadow;  // raised ground darkens the base beside it
};

uint8_t ShadowOf(uint8_t Color) {
  return ShadeOf(Color) < 0 ? Color : Tone(RampOf(Color), ShadeOf(Color) - 2);
}

void PaintTerrain(TCanvas& C, int X, int Y, int Size, const TEdges& E, const TTerrain& T) {
  C.Paint(X, Y, Size, Size, [&](int x, int y) {
    const double Bump = (SmoothNoise(x, y, 4, 16, 151) / 255.0 - 0.5) * T.Bump;
    const double D = EdgeDistance(x - X, y - Y, Size, E, T.Margin) + Bump;
    if (D < 0) {
      const uint8_t Base = T.Base(x, y);
      return T.CastsShadow && D > -2.0 ? ShadowOf(Base) : Base;
    }
    if (D < 1.0) return T.Rim;
    return T.Fill(x, y);
  });
}

// One 48x64 block: the single tile, a plain swatch, the inner corners and the 3x3 patch.
void DrawTerrainBlock(TCanvas& C, int X, int Y, const TTerrain& T) {
  PaintTerrain(C, X, Y, 16, AllSides, T);
  PaintTerrain(C, X + 16, Y, 16, Open, T);
  PaintTerrain(C, X + 32, Y, 16, InnerCorners, T);
  PaintTerrain(C, X, Y + 16, 48, AllSides, T);
}

const std::vector<TTerrain>& Terrains() {
  static const std::vector<TTerrain> List = {
      {DarkGrassAt, GrassAt, Tone(ERamp::Leaf, 1), 3, 3, false},            // 0 tall grass
      {DirtAt, GrassAt, Tone(ERamp::Dirt, 2), 3, 2, false},                 // 1 dirt path
      {SandAt, GrassAt, Tone(ERamp::Sand, 2), 3, 2, false},                 // 2 sand
      {CanopyAt, GrassAt, Tone(ERamp::Leaf, 0), 2, 3, true},                // 3 forest
      {RockAt, GrassAt, Tone(ERamp::Slate, 0), 2, 3, true},                 // 4 mountain rock
      {CobbleAt, GrassAt, Tone(ERamp::Stone, 1), 2, 0, false},              // 5 cobbled road
      {WoodFloorAt, VoidAt, Tone(ERamp::Wood, 0), 1, 0, false},             // 6 wooden floor
      {CaveFloorAt, VoidAt, Tone(ERamp::Cave, 0), 2, 2, false},             // 7 cave floor
      {CarpetAt, WoodFloorAt, Tone(ERamp::Gold, 3), 3, 0, false},           // 8 red carpet
      {SwampAt, CaveFloorAt, Tone(ERamp::Purple, 0), 3, 3, false},          // 9 poison swamp
      {FlowerMeadowAt, GrassAt, Tone(ERamp::Grass, 3), 3, 3, false},        // 10 flower meadow
      {MosaicAt, CaveFloorAt, Tone(ERamp::Slate, 0), 2, 0, false},          // 11 mosaic floor
  };
  return List;
}

constexpr TPoint TerrainBlocks[12] = {{0, 128},  {48, 128}, {0, 192},  {48, 192},
                                      {96, 0},   {144, 0},  {96, 64},  {144, 64},
                                      {96, 128}, {144, 128}, {96, 192}, {144, 192}};

}  // namespace

TPoint LowerTilePosition(int Index) {
  return {(Index / 96) * 96 + (Index % 6) * 16 + 192, ((Index % 96) / 6) * 16};
}

TPoint UpperTilePosition(int Index) {
  return {((Index + 48) / 96) * 96 + (Index % 6) * 16 + 288, (((Index + 48) % 96) / 6) * 16};
}

TCanvas DrawChipset() {
  TCanvas C(ChipsetWidth, ChipsetHeight);
  DrawWater(C);
  DrawSwayingFlowers(C, 48, 64);
  DrawLava(C, 64, 64);
  DrawWaterfall(C, 80, 64);
  for (size_t Kind = 0; Kind < Terrains().size(); ++Kind)
    DrawTerrainBlock(C, TerrainBlocks[Kind].X, TerrainBlocks[Kind].Y, Terrains()[Kind]);
  const auto& Lower = LowerTilePainters();
  for (size_t i = 0; i < Lower.size() && i < 144; ++i) {
    const TPoint P = LowerTilePosition(int(i));
    Lower[i](C, P.X, P.Y);
  }
  const auto& Upper = UpperTilePainters();
  for (size_t i = 0; i < Upper.size() && i < 144; ++i) {
    const TPoint P = UpperTilePosition(int(i));
    Upper[i](C, P.X, P.Y);
  }
  return C;
}
