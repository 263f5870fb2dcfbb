// The lower tiles (ground, walls, roofs: drawn under the characters) and the upper tiles
// (trees, furniture, signs: drawn over the ground with index 0 showing through).
#include "Chipset.h"
#include "Textures.h"

#include <cmath>

namespace {

using TKey = std::map<char, uint8_t>;

TTilePainter Texture(uint8_t (*Texture)(int, int)) {
  return [Texture](TCanvas& C, int X, int Y) { C.Paint(X, Y, 16, 16, Texture); };
}

// ---- Ground -----------------------------------------------------------------------------------

void Meadow(TCanvas& C, int X, int Y) {
  C.Paint(X, Y, 16, 16, GrassAt);
  const struct {
    int X, Y;
    ERamp Petal;
  } Flowers[] = {{3, 4, ERamp::Gold}, {11, 10, ERamp::Pink}};
  for (const auto& F : Flowers) {
    C.Put(X + F.X, Y + F.Y, Tone(ERamp::Gold, 7));
    for (auto [DX, DY] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) C.Put(X + F.X + DX, Y + F.Y + DY, Tone(F.Petal, 5));
  }
}

void TilledSoil(TCanvas& C, int X, int Y) {
  C.Paint(X, Y, 16, 16, [&](int x, int y) {
    const int LY = (y - Y) & 3;
    return LY == 0 ? Tone(ERamp::Dirt, 1) : LY == 1 ? Tone(ERamp::Dirt, 4) : DitherTone(ERamp::Dirt, x, y, 2.6);
  });
}

void Crops(TCanvas& C, int X, int Y) {
  TilledSoil(C, X, Y);
  for (int Row = 0; Row < 4; ++Row)
    for (int Col = 0; Col < 4; ++Col) {
      const int SX = X + Col * 4 + 1 + (Row & 1), SY = Y + Row * 4;
      C.Line(SX, SY + 2, SX, SY - 1, Tone(ERamp::Moss, 4));
      C.Put(SX, SY - 2, Tone(ERamp::Gold, 6));
      C.Put(SX + 1, SY - 1, Tone(ERamp::Gold, 4));
    }
}

void Bridge(TCanvas& C, int X, int Y, bool Horizontal) {
  C.Paint(X, Y, 16, 16, [&](int x, int y) {
    const int Across = Horizontal ? x - X : y - Y, Along = Horizontal ? y - Y : x - X;
    if (Along == 0 || Along == 15) return Ink;
    if (Along == 1 || Along == 14) return Tone(ERamp::Wood, 2);
    if ((Across & 3) == 3) return Tone(ERamp::Wood, 1);
    if ((Across & 3) == 0) return Tone(ERamp::Wood, 6);
    return Tone(ERamp::Wood, Noise(Across / 4, Along, 161) < 90 ? 4 : 5);
  });
}

void Steps(TCanvas& C, int X, int Y, ERamp Ramp) {
  C.Paint(X, Y, 16, 16, [&](int x, int y) {
    const int LY = (y - Y) % 4;
    if (x == X || x == X + 15) return Tone(Ramp, 1);
    return LY == 0 ? Tone(Ramp, 6) : LY == 3 ? Tone(Ramp, 1) : Tone(Ramp, 4 - LY / 2);
  });
}

void Plaza(TCanvas& C, int X, int Y) {
  C.Paint(X, Y, 16, 16, [&](int x, int y) {
    const int LX = x - X, LY = y - Y;
    if (LX == 0 || LY == 0) return Tone(ERamp::Sand, 2);
    if (LX == 1 || LY == 1) return Tone(ERamp::Sand, 6);
    return DitherTone(ERamp::Sand, x, y, 4.0 + SmoothNoise(x, y, 8, 16, 171) / 255.0);
  });
}

void Void(TCanvas& C, int X, int Y) { C.FillRect(X, Y, 16, 16, Black); }

void CrackedCave(TCanvas& C, int X, int Y) {
  C.Paint(X, Y, 16, 16, CaveFloorAt);
  const uint8_t Crack = Tone(ERamp::Cave, 0);
  C.Line(X + 2, Y + 3, X + 6, Y + 7, Crack);
  C.Line(X + 6, Y + 7, X + 5, Y + 12, Crack);
  C.Line(X + 6, Y + 7, X + 12, Y + 9, Crack);
}

void SealCircle(TCanvas& C, int X, int Y) {
  C.Paint(X, Y, 16, 16, MosaicAt);
  C.Paint(X, Y, 16, 16, [&](int x, int y) {
    const double D = std::hypot(x - X - 7.5, y - Y - 7.5);
    if (std::abs(D - 6.5) < 0.6) return Tone(ERamp::Ice, 6);
    if (std::abs(D - 3.5) < 0.5) return Tone(ERamp::Ice, 5);
    if (D < 1.5) return Tone(ERamp::Ice, 7);
    return C.At(x, y);
  });
}

// ---- Roofs and walls ------------------------------------------------------------------------

// A roof seen from above and in front: rows of shingles, a ridge on the top row and the eave
// with its shadow on the bottom row. Column: 0 left end, 1 middle, 2 right end; Row likewise.
void Roof(TCanvas& C, int X, int Y, ERamp Ramp, int Column, int Row) {
  C.Paint(X, Y, 16, 16, [&](int x, int y) {
    const int LX = x - X, LY = y - Y;
    if (Row == 0 && LY < 3) return LY == 0 ? Ink : Tone(Ramp, LY == 1 ? 6 : 5);
    if (Row == 2 && LY >= 13) return LY == 15 ? Ink : Tone(Ramp, 1);
    if (Column == 0 && LX == 0) return Ink;
    if (Column == 2 && LX == 15) return Ink;
    if (Column == 0 && LX == 1) return Tone(ERamp::Wood, 3);
    if (Column == 2 && LX == 14) return Tone(ERamp::Wood, 2);
    const int Course = (LY + 1) / 4;
    const int Offset = (Course & 1) * 3;
    if ((LY + 1) % 4 == 0) return Tone(Ramp, 2);
    if ((LX + Offset) % 6 == 0) return Tone(Ramp, 3);
    const int Shade = 4 + ((LY + 1) % 4 == 1 ? 1 : 0) - (Row == 2 && LY > 9 ? 1 : 0);
    return Tone(Ramp, Shade);
  });
}

TTilePainter RoofTile(ERamp Ramp, int Column, int Row) {
  return [=](TCanvas& C, int X, int Y) { Roof(C, X, Y, Ramp, Column, Row); };
}

// Timber-framed plaster with a stone footing. Column: 0 left corner, 1 middle, 2 right corner.
void TimberWall(TCanvas& C, int X, int Y, int Column) {
  C.Paint(X, Y, 16, 16, [&](int x, int y) {
    const int LX = x - X, LY = y - Y;
    if (LY >= 12) return LY == 12 ? Tone(ERamp::Stone, 1) : Tone(ERamp::Stone, LY == 13 ? 5 : 3);
    if (LY < 2) return LY == 0 ? Tone(ERamp::Wood, 1) : Tone(ERamp::Wood, 3);
    if ((Column == 0 && LX < 2) || (Column == 2 && LX > 13)) return Tone(ERamp::Wood, LX < 8 ? 3 : 2);
    return DitherTone(ERamp::Bone, x, y, 5.2 + (LY < 4 ? -0.8 : 0.0));
  });
}

void Window(TCanvas& C, int X, int Y) {
  C.FillRect(X + 4, Y + 3, 8, 8, Tone(ERamp::Wood, 1));
  C.Paint(X + 5, Y + 4, 6, 6, [&](int x, int y) {
    return (x - X + y - Y) % 5 == 0 ? Tone(ERamp::Sky, 6) : Tone(ERamp::Navy, 3);
  });
  C.FillRect(X + 7, Y + 4, 2, 6, Tone(ERamp::Wood, 3));
  C.FillRect(X + 5, Y + 6, 6, 1, Tone(ERamp::Wood, 3));
  C.FillRect(X + 3, Y + 11, 10, 1, Tone(ERamp::Wood, 4));
}

void Door(TCanvas& C, int X, int Y, ERamp Ramp) {
  C.FillRect(X + 2, Y + 1, 12, 15, Ink);
  C.Paint(X + 3, Y + 2, 10, 14, [&](int x, int) {
    const int LX = x - X - 3;
    return LX % 3 == 2 ? Tone(Ramp, 1) : Tone(Ramp, LX % 3 == 0 ? 4 : 3);
  });
  C.FillRect(X + 3, Y + 2, 10, 1, Tone(Ramp, 5));
  C.Put(X + 10, Y + 9, Tone(ERamp::Gold, 6));
  C.Put(X + 10, Y + 10, Tone(ERamp::Gold, 3));
}

void StoneBricks(TCanvas& C, int X, int Y, ERamp Ramp) {
  C.Paint(X, Y, 16, 16, [&](int x, int y) {
    const int LX = x - X, LY = y - Y;
    const int Course = LY / 4, Offset = (Course & 1) * 4;
    if (LY % 4 == 3) return Tone(Ramp, 1);
    if ((LX + Offset) % 8 == 7) return Tone(Ramp, 1);
    if (LY % 4 == 0) return Tone(Ramp, 5);
    const int Brick = Noise((LX + Offset) / 8, Course, 181) & 1;
    return DitherTone(Ramp, x, y, 3.2 + Brick * 0.5);
  });
}

void WallTop(TCanvas& C, int X, int Y, ERamp Ramp) {
  C.Paint(X, Y, 16, 16, [&](int x, int y) {
    const int LY = y - Y;
    if (LY == 15) return Tone(Ramp, 5);
    return DitherTone(Ramp, x, y, 0.8 + SmoothNoise(x, y, 4, 16, 191) / 255.0 * 0.8);
  });
}

void InnerWall(TCanvas& C, int X, int Y) {
  C.Paint(X, Y, 16, 16, [&](int x, int y) {
    const int LX = x - X, LY = y - Y;
    if (LY >= 13) return LY == 13 ? Tone(ERamp::Wood, 5) : Tone(ERamp::Wood, 2);
    if (LY < 1) return Tone(ERamp::Wood, 2);
    return (LX % 4 == 0) ? Tone(ERamp::Moss, 5) : Tone(ERamp::Moss, 6);
  });
}

void Counter(TCanvas& C, int X, int Y, int Column) {
  C.Paint(X, Y, 16, 16, WoodFloorAt);
  C.Paint(X, Y + 2, 16, 14, [&](int x, int y) {
    const int LX = x - X, LY = y - Y;
    if ((Column == 0 && LX == 0) || (Column == 2 && LX == 15)) return Ink;
    if (LY == 2) return Ink;
    if (LY < 7) return Tone(ERamp::Wood, LY == 3 ? 6 : 5);
    if (LY == 7) return Tone(ERamp::Wood, 1);
    if (LY == 15) return Ink;
    return Tone(ERamp::Wood, (LX % 5 == 0) ? 2 : 3);
  });
}

void Fireplace(TCanvas& C, int X, int Y) {
  StoneBricks(C, X, Y, ERamp::Stone);
  C.FillRect(X + 3, Y + 5, 10, 11, Ink);
  C.Paint(X + 4, Y + 7, 8, 9, [&](int x, int y) {
    const double H = std::abs(x - X - 7.5) + (y - Y - 7) * 0.2;
    return H < 1.5 ? Tone(ERamp::Orange, 7) : H < 2.8 ? Tone(ERamp::Orange, 5) : Tone(ERamp::Red, 3);
  });
  C.FillRect(X + 4, Y + 14, 8, 2, Tone(ERamp::Wood, 2));
}

void Stairs(TCanvas& C, int X, int Y, bool Down, ERamp Ramp) {
  C.Paint(X, Y, 16, 16, [&](int x, int y) {
    const int LX = x - X, LY = y - Y;
    if (LX < 2 || LX > 13) return Tone(Ramp, 2);
    const int Step = LY / 4, In = LY % 4;
    const int Light = Down ? 5 - Step : 2 + Step;
    return In == 0 ? Tone(Ramp, Light + 1) : In == 3 ? Tone(Ramp, Light - 2) : Tone(Ramp, Light);
  });
}

void CaveWall(TCanvas& C, int X, int Y) {
  C.Paint(X, Y, 16, 16, [&](int x, int y) {
    const int N = SmoothNoise(x, y * 2, 4, 16, 201);
    const int M = SmoothNoise(x + 1, y * 2 + 2, 4, 16, 201);
    if (N - M > 30) return Tone(ERamp::Cave, 5);
    if (N - M < -30) return Tone(ERamp::Cave, 0);
    return DitherTone(ERamp::Cave, x, y, 2.0 + N / 255.0 * 1.5);
  });
  C.FillRect(X, Y + 15, 16, 1, Tone(ERamp::Cave, 0));
}

void CaveTorch(TCanvas& C, int X, int Y) {
  CaveWall(C, X, Y);
  C.FillRect(X + 7, Y + 7, 2, 6, Tone(ERamp::Wood, 2));
  C.FillRect(X + 6, Y + 6, 4, 2, Tone(ERamp::Steel, 3));
  C.FillEllipse(X + 8, Y + 4, 2.5, 3.2, Tone(ERamp::Orange, 5));
  C.FillEllipse(X + 8, Y + 4.5, 1.2, 2, Tone(ERamp::Gold, 7));
}

void CaveCracked(TCanvas& C, int X, int Y) {
  CaveWall(C, X, Y);
  C.Line(X + 4, Y + 2, X + 8, Y + 7, Black);
  C.Line(X + 8, Y + 7, X + 7, Y + 13, Black);
  C.Line(X + 8, Y + 7, X + 12, Y + 6, Black);
}

void Cliff(TCanvas& C, int X, int Y, bool Base) {
  C.Paint(X, Y, 16, 16, [&](int x, int y) {
    const int LX = x - X, LY = y - Y;
    const int Column = (LX + (Noise(LX / 4, 0, 211) & 1)) / 4;
    if ((LX + Column) % 4 == 3) return Tone(ERamp::Dirt, 1);
    if (Base && LY > 12) return Tone(ERamp::Grass, 2);
    const double Shade = 2.3 + ((LX + Column) % 4 == 0 ? 1.5 : 0.5) - LY * 0.04;
    return DitherTone(ERamp::Dirt, x, y, Shade);
  });
}

void CliffTop(TCanvas& C, int X, int Y) {
  C.Paint(X, Y, 16, 16, GrassAt);
  C.Paint(X, Y + 11, 16, 5, [&](int x, int y) {
    const int LY = y - Y;
    if (LY == 11 + (Noise(x - X, 0, 221) & 1)) return Tone(ERamp::Grass, 2);
    return LY < 13 ? Tone(ERamp::Dirt, 1) : Tone(ERamp::Dirt, 3);
  });
}

void CaveEntrance(TCanvas& C, int X, int Y) {
  Cliff(C, X, Y, false);
  C.FillEllipse(X + 8, Y + 9, 6.5, 8, Tone(ERamp::Dirt, 1));
  C.FillEllipse(X + 8, Y + 10, 5.5, 7.5, Black);
}

void KeepDoor(TCanvas& C, int X, int Y) {
  StoneBricks(C, X, Y, ERamp::Slate);
  C.FillEllipse(X + 8, Y + 8, 7, 8, Ink);
  C.FillRect(X + 1, Y + 8, 14, 8, Ink);
  C.Paint(X + 2, Y + 2, 12, 14, [&](int x, int y) {
    const double D = std::hypot(x - X - 7.5, std::min(0.0, y - Y - 8.0));
    if (D > 6) return C.At(x, y);
    return (x - X) % 4 == 1 ? Tone(ERamp::Wood, 1) : Tone(ERamp::Wood, 3);
  });
  C.FillRect(X + 2, Y + 9, 12, 1, Tone(ERamp::Steel, 3));
  C.Put(X + 9, Y + 11, Tone(ERamp::Gold, 6));
}


// ---- Upper-layer objects, drawn in text art ---------------------------------------------------

const TKey& ObjectKey() {
  static const TKey Key = {
      {'k', Ink},
      {'w', White},
      // greens
      {'1', Tone(ERamp::Leaf, 1)}, {'2', Tone(ERamp::Leaf, 3)}, {'3', Tone(ERamp::Leaf, 5)},
      {'4', Tone(ERamp::Leaf, 7)},
      // browns
      {'a', Tone(ERamp::Wood, 1)}, {'b', Tone(ERamp::Wood, 3)}, {'c', Tone(ERamp::Wood, 5)},
      {'d', Tone(ERamp::Wood, 7)},
      // greys
      {'e', Tone(ERamp::Stone, 1)}, {'f', Tone(ERamp::Stone, 3)}, {'g', Tone(ERamp::Stone, 5)},
      {'h', Tone(ERamp::Stone, 7)},
      // golds and reds
      {'i', Tone(ERamp::Gold, 2)}, {'j', Tone(ERamp::Gold, 5)}, {'l', Tone(ERamp::Gold, 7)},
      {'r', Tone(ERamp::Red, 2)}, {'s', Tone(ERamp::Red, 4)}, {'t', Tone(ERamp::Red, 6)},
      // blues and purples
      {'u', Tone(ERamp::Navy, 2)}, {'v', Tone(ERamp::Navy, 4)}, {'x', Tone(ERamp::Ice, 5)},
      {'y', Tone(ERamp::Ice, 7)}, {'p', Tone(ERamp::Purple, 3)}, {'q', Tone(ERamp::Purple, 6)},
      // bone, orange, pink
      {'m', Tone(ERamp::Bone, 3)}, {'n', Tone(ERamp::Bone, 6)}, {'o', Tone(ERamp::Orange, 5)},
      {'z', Tone(ERamp::Pink, 5)},
  };
  return Key;
}

TTilePainter Art(std::vector<std::string_view> Rows) {
  return [Rows = std::move(Rows)](TCanvas& C, int X, int Y) { C.Art(X, Y, Rows, ObjectKey()); };
}

void Empty(TCanvas&, int, int) {}

}  // namespace

const std::vector<TTilePainter>& LowerTilePainters() {
  static const std::vector<TTilePainter> Tiles = {
      // 0..5 open ground
      Texture(GrassAt), Meadow, Texture(DarkGrassAt), Texture(DirtAt), Texture(SandAt), Texture(CobbleAt),
      // 6..11 floors
      Texture(WoodFloorAt), Texture(CaveFloorAt), CrackedCave, Texture(MosaicAt), Texture(CarpetAt), TilledSoil,
      // 12..17
      [](TCanvas& C, int X, int Y) { Bridge(C, X, Y, true); },
      [](TCanvas& C, int X, int Y) { Bridge(C, X, Y, false); },
      [](TCanvas& C, int X, int Y) { Steps(C, X, Y, ERamp::Stone); }, Crops, Void, Plaza,
      // 18..26 red roof, 27..35 blue roof: top row, middle row, eave row; left, middle, right
      RoofTile(ERamp::Brick, 0, 0), RoofTile(ERamp::Brick, 1, 0), RoofTile(ERamp::Brick, 2, 0),
      RoofTile(ERamp::Brick, 0, 1), RoofTile(ERamp::Brick, 1, 1), RoofTile(ERamp::Brick, 2, 1),
      RoofTile(ERamp::Brick, 0, 2), RoofTile(ERamp::Brick, 1, 2), RoofTile(ERamp::Brick, 2, 2),
      RoofTile(ERamp::Navy, 0, 0), RoofTile(ERamp::Navy, 1, 0), RoofTile(ERamp::Navy, 2, 0),
      RoofTile(ERamp::Navy, 0, 1), RoofTile(ERamp::Navy, 1, 1), RoofTile(ERamp::Navy, 2, 1),
      RoofTile(ERamp::Navy, 0, 2), RoofTile(ERamp::Navy, 1, 2), RoofTile(ERamp::Navy, 2, 2),
      // 36..41 house walls
      [](TCanvas& C, int X, int Y) { TimberWall(C, X, Y, 0); },
      [](TCanvas& C, int X, int Y) { TimberWall(C, X, Y, 1); },
      [](TCanvas& C, int X, int Y) { TimberWall(C, X, Y, 2); },
      [](TCanvas& C, int X, int Y) { TimberWall(C, X, Y, 1), Window(C, X, Y); },
      [](TCanvas& C, int X, int Y) { TimberWall(C, X, Y, 1), Door(C, X, Y, ERamp::Wood); },
      [](TCanvas& C, int X, int Y) { StoneBricks(C, X, Y, ERamp::Stone); },
      // 42..47 stone walls and rooms
      [](TCanvas& C, int X, int Y) { StoneBricks(C, X, Y, ERamp::Stone), Window(C, X, Y); },
      [](TCanvas& C, int X, int Y) { StoneBricks(C, X, Y, ERamp::Stone), Door(C, X, Y, ERamp::Brick); },
      [](TCanvas& C, int X, int Y) { WallTop(C, X, Y, ERamp::Wood); }, InnerWall,
      [](TCanvas& C, int X, int Y) { InnerWall(C, X, Y), Window(C, X, Y - 1); }, Fireplace,
      // 48..53 counters and stairs
      [](TCanvas& C, int X, int Y) { Counter(C, X, Y, 0); },
      [](TCanvas& C, int X, int Y) { Counter(C, X, Y, 1); },
      [](TCanvas& C, int X, int Y) { Counter(C, X, Y, 2); },
      [](TCanvas& C, int X, int Y) { Stairs(C, X, Y, true, ERamp::Wood); },
      [](TCanvas& C, int X, int Y) { Stairs(C, X, Y, false, ERamp::Wood); },
      [](TCanvas& C, int X, int Y) { Stairs(C, X, Y, true, ERamp::Cave); },
      // 54..59 cave
      [](TCanvas& C, int X, int Y) { WallTop(C, X, Y, ERamp::Cave); }, CaveWall, CaveTorch, CaveCracked,
      [](TCanvas& C, int X, int Y) { Stairs(C, X, Y, false, ERamp::Cave); }, CaveEntrance,
      // 60..65 cliffs and the keep
      CliffTop, [](TCanvas& C, int X, int Y) { Cliff(C, X, Y, false); },
      [](TCanvas& C, int X, int Y) { Cliff(C, X, Y, true); },
      [](TCanvas& C, int X, int Y) { StoneBricks(C, X, Y, ERamp::Slate); },
      [](TCanvas& C, int X, int Y) { WallTop(C, X, Y, ERamp::Slate); }, KeepDoor,
      // 66
      SealCircle,
  };
  return Tiles;
}

namespace {

// Objects taller than a tile are drawn whole on a scratch canvas, outlined, then cut in two.
TTilePainter Half(const std::function<void(TCanvas&)>& Draw, int Part) {
  return [=](TCanvas& C, int X, int Y) {
    TCanvas Scratch(16, 32);
    Draw(Scratch);
    Scratch.Outline(0, 0, 16, 32, Ink);
    C.Blit(Scratch, 0, Part * 16, 16, 16, X, Y);
  };
}

TTilePainter Single(const std::function<void(TCanvas&)>& Draw) {
  return [=](TCanvas& C, int X, int Y) {
    TCanvas Scratch(16, 16);
    Draw(Scratch);
    Scratch.Outline(0, 0, 16, 16, Ink);
    C.Blit(Scratch, 0, 0, 16, 16, X, Y);
  };
}

void RoundTree(TCanvas& S) {
  S.FillRect(6, 20, 4, 10, Tone(ERamp::Wood, 2));
  S.FillRect(7, 20, 1, 10, Tone(ERamp::Wood, 4));
  S.FillRect(5, 29, 6, 2, Tone(ERamp::Wood, 2));
  S.ShadeEllipse(8, 14, 7.5, 8, ERamp::Leaf, 1, 5);
  S.ShadeEllipse(5.5, 10, 4.5, 4.5, ERamp::Leaf, 2, 6);
  S.ShadeEllipse(10.5, 9, 4.5, 5, ERamp::Leaf, 2, 6);
  S.ShadeEllipse(8, 5.5, 4.5, 4.5, ERamp::Leaf, 3, 7);
}

void Pine(TCanvas& S) {
  S.FillRect(7, 26, 3, 5, Tone(ERamp::Wood, 2));
  for (int Layer = 0; Layer < 4; ++Layer) {
    const double Top = 1 + Layer * 6, Bottom = 11 + Layer * 5, Half = 3.0 + Layer * 1.6;
    S.FillPolygon({{8, Top}, {8 + Half, Bottom}, {8 - Half, Bottom}}, Tone(ERamp::Leaf, 2));
    S.Recolor(0, int(Top), 16, int(Bottom - Top) + 1, [&](int x, int y, uint8_t C) {
      if (C != Tone(ERamp::Leaf, 2)) return C;
      const double Light = 4.0 - (x - 8) * 0.45 - (y - Top) * 0.12;
      return DitherTone(ERamp::Leaf, x, y, Light);
    });
  }
}

void Bush(TCanvas& S) {
  S.ShadeEllipse(8, 10, 7, 5.5, ERamp::Leaf, 1, 5);
  S.ShadeEllipse(5, 8, 4, 4, ERamp::Leaf, 2, 6);
  S.ShadeEllipse(11, 8, 4, 4, ERamp::Leaf, 2, 6);
  S.Put(5, 9, Tone(ERamp::Red, 5));
  S.Put(11, 11, Tone(ERamp::Red, 5));
  S.Put(9, 7, Tone(ERamp::Red, 6));
}

void Boulder(TCanvas& S) {
  S.ShadeEllipse(8, 10, 7, 5.5, ERamp::Stone, 1, 6);
  S.Line(6, 8, 9, 11, Tone(ERamp::Stone, 2));
}

void Stalagmite(TCanvas& S) {
  S.FillPolygon({{8, 1}, {13, 15}, {3, 15}}, Tone(ERamp::Cave, 3));
  S.Recolor(0, 0, 16, 16, [](int x, int y, uint8_t C) {
    return C == Clear ? C : DitherTone(ERamp::Cave, x, y, 4.5 - (x - 5) * 0.45);
  });
}

void Crystal(TCanvas& S) {
  S.FillPolygon({{8, 1}, {11, 5}, {11, 13}, {8, 15}, {5, 13}, {5, 5}}, Tone(ERamp::Ice, 4));
  S.FillPolygon({{8, 1}, {8, 15}, {5, 13}, {5, 5}}, Tone(ERamp::Ice, 6));
  S.FillPolygon({{3, 8}, {5, 10}, {5, 15}, {2, 14}}, Tone(ERamp::Ice, 3));
  S.Put(6, 4, White);
}

}  // namespace

const std::vector<TTilePainter>& UpperTilePainters() {
  static const std::vector<TTilePainter> Tiles = {
      Empty,                              // 0: nothing, the upper layer's blank
      Half(RoundTree, 0), Half(RoundTree, 1), Half(Pine, 0), Half(Pine, 1), Single(Bush),
      // 6..11
      Single(Boulder),
      Art({"................", "................", "....t......s....", "...tlt....sls...",
           "....t..t...s....", "....2.tlt..2....", "...22..t..22....", "....2..2..2.....",
           "....22.2.22.....", ".....2222.......", "................", ".......z........",
           "......zlz.....t.", ".......2.....tlt", ".......2......2.", "......22......2."}),
      Art({"................", "................", "..j.....j.......", ".jlj...jlj......",
           "..j..j..j.......", "..2.jlj.2...j...", "..2..j..2..jlj..", "..22.2.22...j...",
           "...2.2.2....2...", "...22222...22...", "................", "................",
           "........j.......", ".......jlj......", "........2.......", "........2......."}),
      Art({"................", "................", "..3...3.....3...", "..3..32....32...",
           "..23.2...3.2....", "...2.2..32.2..3.", "...232..2..2.32.", "...22...2.22.2..",
           "....2..22.2..2..", "....22.2..2.22..", ".....222.22.2...", "......2222222...",
           "................", "................", "................", "................"}),
      Art({"................", "................", "................", "................",
           "................", "................", "....kkkkkkk.....", "...kcccccccck...",
           "...kbcbbbcbbk...", "...kcbccccbck...", "...kbbbbbbbbk...", "...kbabbbabbk...",
           "..kkbabbbabbkk..", ".kaakbbbbbbkaak.", "..kk.kkkkkk.kk..", "................"}),
      Art({"................", "................", "................", "................",
           "................", "................", "................", "......kk........",
           ".....kttk..kk...", "....kttltkkssk..", "....kskssknmnk..", ".....knnk.knk...",
           ".....knnk.kmk...", "......kk...k....", "................", "................"}),
      // 12..17 fences, signpost, well
      Art({"................", "................", "................", "................",
           "..kk............", ".kcck...........", ".kbbkkkkkkkkkkkk", ".kbbkcccccccccc.",
           ".kbbkbbbbbbbbbb.", ".kbbkkkkkkkkkkkk", ".kbbkcccccccccc.", ".kbbkbbbbbbbbbb.",
           ".kabkkkkkkkkkkkk", ".kaak...........", "..kk............", "................"}),
      Art({"................", "................", "................", "................",
           "................", "................", "kkkkkkkkkkkkkkkk", "cccccccccccccccc",
           "bbbbbbbbbbbbbbbb", "kkkkkkkkkkkkkkkk", "cccccccccccccccc", "bbbbbbbbbbbbbbbb",
           "kkkkkkkkkkkkkkkk", "................", "................", "................"}),
      Art({"................", "................", "................", "................",
           "............kk..", "...........kcck.", "kkkkkkkkkkkkbbk.", "cccccccccckbbk..",
           "bbbbbbbbbbkbbk..", "kkkkkkkkkkkkbbk.", "cccccccccckbbk..", "bbbbbbbbbbkbbk..",
           "kkkkkkkkkkkabk..", "...........kaak.", "............kk..", "................"}),
      Art({"................", "................", "................", "................",
           "......kk........", ".....kcck.......", ".....kbbk.......", ".....kbbk.......",
           ".....kbbk.......", ".....kbbk.......", ".....kbbk.......", ".....kbbk.......",
           ".....kabk.......", ".....kaak.......", "......kk........", "................"}),
      Art({"................", "................", "..kkkkkkkkkkkk..", ".kddddddddddddk.",
           ".kcbbbbbbbbbbck.", ".kcbaaaaaabbbck.", ".kcbbbbbbbbbbck.", ".kcbaaaabbbbbck.",
           ".kbbbbbbbbbbbbk.", "..kkkkkbbkkkkk..", "......kbbk......", "......kbbk......",
           "......kabk......", ".....kaabak.....", "......kkkk......", "................"}),
      Art({"................", "..kk........kk..", ".kbbkkkkkkkkbbk.", ".kbkrrrrrrrrkbk.",
           ".kbkssssssssk.bk", ".kbk........kbk.", ".kbk........kbk.", "..kkkkkkkkkkkk..",
           ".kffffffffffffk.", "kgfkkkkkkkkkkfgk", "kgfkuuuuuuuukfgk", "kgffkkkkkkkkffgk",
           "kgfffgffgfffgfgk", "kfeffeffeffeffek", ".keeeeeeeeeeeek.", "..kkkkkkkkkkkk.."}),
      // 18..23 barrel, crate, pot, sack, table, chair
      Art({"................", "................", "....kkkkkkkk....", "...kbccccccbk...",
           "...kccddddcck...", "..kaffffffffak..", "..kbbccccccbbk..", "..kbbccccccbbk..",
           "..kbbccccccbbk..", "..kaffffffffak..", "..kbbccccccbbk..", "..kbbbcccccbbk..",
           "..kaffffffffak..", "...kaabbbbaak...", "....kkkkkkkk....", "................"}),
      Art({"................", "................", "..kkkkkkkkkkkk..", "..kdddddddddck..",
           "..kcbbbbbbbbak..", "..kcbcbbbbcbak..", "..kcbbcbbcbbak..", "..kcbbbccbbbak..",
           "..kcbbbccbbbak..", "..kcbbcbbcbbak..", "..kcbcbbbbcbak..", "..kcbbbbbbbbak..",
           "..kcaaaaaaaaak..", "..kkkkkkkkkkkk..", "................", "................"}),
      Art({"................", "................", "................", ".....kkkkkk.....",
           "....ksttttsk....", ".....kssssk.....", "....ksttttssk...", "...kstttssssrk..",
           "...ksttsssssrk..", "...ksssssssrrk..", "...kssssssrrrk..", "....ksssrrrrk...",
           ".....krrrrrk....", "......kkkkk.....", "................", "................"}),
      Art({"................", "................", "................", ".......kk.......",
           "......knnk......", ".....kkmmkk.....", "....knnnnnnk....", "...knnnnnnmmk...",
           "...knnnnnmmmk...", "..knnnnnnmmmmk..", "..knnnnnmmmmmk..", "..knnnnmmmmmmk..",
           "...kmmmmmmmmk...", "....kkkkkkkk....", "................", "................"}),
      Art({"................", "................", "................", ".kkkkkkkkkkkkkk.",
           "kddddddddddddddk", "kcccccccccccccck", "kccccccccccccbck", "kbbbbbbbbbbbbbbk",
           "kaaaaaaaaaaaaaak", ".kbk........kbk.", ".kbk........kbk.", ".kak........kak.",
           ".kak........kak.", ".kkk........kkk.", "................", "................"}),
      Art({"................", "................", "................", "....kkkkkkkk....",
           "....kccccccck...", "...kbccccccbk...", "....kbbbbbbbk...", "....kkkkkkkk....",
           "....kdddddddk...", "....kccccccck...", "....kbbbbbbbk...", "....kkkkkkkkk...",
           "....kbk...kbk...", "....kak...kak...", "....kkk...kkk...", "................"}),
      // 24..29 bed, bookshelf, lamp post: top halves then bottom halves
      Art({"................", "..kkkkkkkkkkkk..", "..kbccccccccbk..", "..kbkkkkkkkkbk..",
           "..kbkwwwwwwkbk..", "..kbkwwwwwwkbk..", "..kbkknnnnkkbk..", "..kbkvvvvvvkbk..",
           "..kbkvvvvvvkbk..", "..kbkvvvvvvkbk..", "..kbkuvvvvukbk..", "..kbkvvvvvvkbk..",
           "..kbkvvvvvvkbk..", "..kbkvvvvvvkbk..", "..kbkvvvvvvkbk..", "..kbkuuuuuukbk.."}),
      Art({"..kbkvvvvvvkbk..", "..kbkvvvvvvkbk..", "..kbkvvvvvvkbk..", "..kbkuuuuuukbk..",
           "..kbkkkkkkkkbk..", "..kbccccccccbk..", "..kaaaaaaaaaak..", "..kkkkkkkkkkkk..",
           "..kak......kak..", "..kkk......kkk..", "................", "................",
           "................", "................", "................", "................"}),
      Art({"kkkkkkkkkkkkkkkk", "kddddddddddddddk", "kakkkkkkkkkkkkak", "kaksvtujsvpuvkak",
           "kaksvtujsvpuvkak", "kaksvtujsvpuvkak", "kakkkkkkkkkkkkak", "kddddddddddddddk",
           "kakkkkkkkkkkkkak", "kakpujsutvsjukak", "kakpujsutvsjukak", "kakpujsutvsjukak",
           "kakkkkkkkkkkkkak", "kddddddddddddddk", "kakkkkkkkkkkkkak", "kakjsvpuvjtsvkak"}),
      Art({"kakjsvpuvjtsvkak", "kakjsvpuvjtsvkak", "kakkkkkkkkkkkkak", "kddddddddddddddk",
           "kakkkkkkkkkkkkak", "kakusjtvpusjvkak", "kakusjtvpusjvkak", "kakusjtvpusjvkak",
           "kakkkkkkkkkkkkak", "kcccccccccccccck", "kaaaaaaaaaaaaaak", "kkkkkkkkkkkkkkkk",
           "................", "................", "................", "................"}),
      Art({"................", "................", "................", "......kkkk......",
           ".....kffffk.....", "....kkkkkkkk....", "....kjllllljk...", "....kjlwwljk....",
           "....kjllllljk...", "....kkkkkkkk....", ".....kffffk.....", "......kffk......",
           "......kefk......", "......kefk......", "......kefk......", "......kefk......"}),
      Art({"......kefk......", "......kefk......", "......kefk......", "......kefk......",
           "......kefk......", "......kefk......", "......kefk......", "......kefk......",
           ".....kkefkk.....", "....kfffffffk...", "....keeeeeeek...", ".....kkkkkkk....",
           "................", "................", "................", "................"}),
      // 30..35 shop signs, chest, gravestone, statue
      Art({"................", "...kkkkkkkkkk...", "...kaaaaaaaaak..", "...k.........k..",
           "..kkkkkkkkkkkkk.", "..kddddddddddck.", "..kdcccchcccbck.", "..kdcccghccccbk.",
           "..kdccghcccccbk.", "..kdcjkcccccbck.", "..kdjjcccccccck.", "..kbbbbbbbbbbbk.",
           "..kkkkkkkkkkkkk.", "................", "................", "................"}),
      Art({"................", "...kkkkkkkkkk...", "...kaaaaaaaaak..", "...k.........k..",
           "..kkkkkkkkkkkkk.", "..kddddddddddck.", "..kdccckkccccck.", "..kdcccknccccck.",
           "..kdcckttkcccck.", "..kdckttttkccck.", "..kdckssssrkccck", "..kbbbkkkkbbbbk.",
           "..kkkkkkkkkkkkk.", "................", "................", "................"}),
      Art({"................", "...kkkkkkkkkk...", "...kaaaaaaaaak..", "...k.........k..",
           "..kkkkkkkkkkkkk.", "..kddddddddddck.", "..kdccccccccccck", "..kdckwwkcccccck",
           "..kdckvvvvvvkcck", "..kdckvvvvvvvkck", "..kdckkkkkkkkkck", "..kbbbbbbbbbbbbk",
           "..kkkkkkkkkkkkkk", "................", "................", "................"}),
      Art({"................", "................", "................", "...kkkkkkkkkk...",
           "..kbcccccccccbk.", "..kbcjjjjjjjcbk.", "..kkkkkkkkkkkkk.", "..kbbbbjjjbbbbk.",
           "..kbbbbjljbbbbk.", "..kjjjjjijjjjjk.", "..kbbbbbbbbbbbk.", "..kbbbbbbbbbbbk.",
           "..kaaaaaaaaaaak.", "..kkkkkkkkkkkkk.", "................", "................"}),
      Art({"................", "................", ".....kkkkkk.....", "....kgggggfk....",
           "...kgghhhggfk...", "...kghgggggfk...", "...kgggkkggfk...", "...kggkggkgfk...",
           "...kgggkkggfk...", "...kgggggggfk...", "...kgggggggfk...", "...kffffffffk...",
           "..k22kkkkkk22k..", "..k2222222222k..", "...kkkkkkkkkk...", "................"}),
      Art({"................", ".......kk.......", "......kjlk......", ".....kkjjkk.....",
           "......kjjk......", "....kkgghgkk....", "...kgghhhggfk...", "...kghggggffk...",
           "....kgggfffk....", ".....kggffk.....", ".....kgfffk.....", "....kkgfffkk....",
           "...kffffffffk...", "..kgggggggggfk..", "..keeeeeeeeeek..", "...kkkkkkkkkk..."}),
      // 36..41 bones, cobweb, stalagmite, crystal, brazier, banner
      Art({"................", "................", "................", "................",
           "................", ".....kkkkk......", "....knnnnnk.....", "...knkknkknk....",
           "...knkknkknk....", "....knnnnnk..kk.", ".....knkmk..knnk", "..kk..kkk..knk..",
           ".knnkkkkkkkkk...", "..kmnnnnnnnnk...", "...kk.kkkkk.....", "................"}),
      Art({"g.......g......g", ".g......g.....g.", "..g.....g....g..", "...gggggggggg...",
           "...g.g..g..g.g..", "....g.g.g.g.g...", "....gggggggg....", "....g.g.g.g.g...",
           ".....g.ggg.g....", ".....ggggggg....", "......g.g.g.....", "......ggggg.....",
           ".......ggg......", "........g.......", "................", "................"}),
      Single(Stalagmite), Single(Crystal),
      Art({"................", "......o.........", ".....oloo.......", ".....olllo......",
           "....oollllo.....", "....olllllo.....", "...kkkkkkkkkk...", "...kggggggggk...",
           "....kffffffk....", ".....kffffk.....", "......kffk......", "......kffk......",
           ".....kffffk.....", "....kffffffk....", "....keeeeeek....", ".....kkkkkk....."}),
      Art({"..kkkkkkkkkkkk..", "..kjjjjjjjjjjk..", "..kkkkkkkkkkkk..", "...krrrrrrrrk...",
           "...krssssssrk...", "...krsjjjjsrk...", "...krsjlljsrk...", "...krsjjjjsrk...",
           "...krssjjssrk...", "...krssssssrk...", "...krssssssrk...", "...krrssssrrk...",
           "...krrrkkrrrk...", "...krrk..krrk...", "...kkk....kkk...", "................"}),
      // 42..43 throne top and bottom
      Art({"................", "......kkkk......", ".....kjlljk.....", "....kjjlljjk....",
           "...kkjjjjjjkk...", "..kjkrrrrrrkjk..", "..kjkrssssrkjk..", "..kjkrssssrkjk..",
           "..kjkrssssrkjk..", "..kjkrssssrkjk..", "..kjkrssssrkjk..", "..kjkrssssrkjk..",
           "..kjkrrrrrrkjk..", "..kjkkkkkkkkjk..", ".kjjjjjjjjjjjjk.", ".kiiiiiiiiiiiik."}),
      Art({".kjssssssssssjk.", ".kjsttttttttsjk.", ".kjssssssssssjk.", ".kiiiiiiiiiiiik.",
           "..kjk......kjk..", "..kik......kik..", "..kkk......kkk..", "................",
           "................", "................", "................", "................",
           "................", "................", "................", "................"}),
  };
  return Tiles;
}
