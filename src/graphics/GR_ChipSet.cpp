#include "graphics/GR_ChipSet.h"

#include "data/GameFolder.h"
#include "database/LD_ChipSet.h"

#include <algorithm>
#include <optional>

namespace {

constexpr int32_t TileSide = 16, SubSide = 8;

// Each shape lists its sub-tiles as x, y pairs in units of 8 pixels: top-left, top-right,
// bottom-left, bottom-right. The water column is the one of water kind 0.
using TShapeRow = std::array<int8_t, 8>;

constexpr std::array<TShapeRow, 50> WaterShapes{{
    {0, 8, 1, 8, 0, 9, 1, 9}, {0, 6, 1, 8, 0, 9, 1, 9}, {0, 8, 1, 6, 0, 9, 1, 9}, {0, 6, 1, 6, 0, 9, 1, 9},
    {0, 8, 1, 8, 0, 9, 1, 7}, {0, 6, 1, 8, 0, 9, 1, 7}, {0, 8, 1, 6, 0, 9, 1, 7}, {0, 6, 1, 6, 0, 9, 1, 7},
    {0, 8, 1, 8, 0, 7, 1, 9}, {0, 6, 1, 8, 0, 7, 1, 9}, {0, 8, 1, 6, 0, 7, 1, 9}, {0, 6, 1, 6, 0, 7, 1, 9},
    {0, 8, 1, 8, 0, 7, 1, 7}, {0, 6, 1, 8, 0, 7, 1, 7}, {0, 8, 1, 6, 0, 7, 1, 7}, {0, 6, 1, 6, 0, 7, 1, 7},
    {0, 2, 1, 8, 0, 3, 1, 9}, {0, 2, 1, 6, 0, 3, 1, 9}, {0, 2, 1, 8, 0, 3, 1, 7}, {0, 2, 1, 6, 0, 3, 1, 7},
    {0, 4, 1, 4, 0, 9, 1, 9}, {0, 4, 1, 4, 0, 9, 1, 7}, {0, 4, 1, 4, 0, 7, 1, 9}, {0, 4, 1, 4, 0, 7, 1, 7},
    {0, 8, 1, 2, 0, 9, 1, 3}, {0, 8, 1, 2, 0, 7, 1, 3}, {0, 6, 1, 2, 0, 9, 1, 3}, {0, 6, 1, 2, 0, 7, 1, 3},
    {0, 8, 1, 8, 0, 5, 1, 5}, {0, 6, 1, 8, 0, 5, 1, 5}, {0, 8, 1, 6, 0, 5, 1, 5}, {0, 6, 1, 6, 0, 5, 1, 5},
    {0, 2, 1, 2, 0, 3, 1, 3}, {0, 4, 1, 4, 0, 5, 1, 5}, {0, 0, 1, 4, 0, 3, 1, 9}, {0, 0, 1, 4, 0, 3, 1, 7},
    {0, 4, 1, 0, 0, 9, 1, 3}, {0, 4, 1, 0, 0, 7, 1, 3}, {0, 8, 1, 2, 0, 5, 1, 1}, {0, 6, 1, 2, 0, 5, 1, 1},
    {0, 2, 1, 8, 0, 1, 1, 5}, {0, 2, 1, 6, 0, 1, 1, 5}, {0, 0, 1, 0, 0, 3, 1, 3}, {0, 0, 1, 4, 0, 1, 1, 5},
    {0, 2, 1, 2, 0, 1, 1, 1}, {0, 4, 1, 0, 0, 5, 1, 1}, {0, 0, 1, 0, 0, 1, 1, 1}, {0, 8, 1, 8, 0, 9, 1, 9},
    {0, 8, 1, 8, 0, 9, 1, 9}, {0, 0, 1, 0, 0, 1, 1, 1},
}};

constexpr std::array<TShapeRow, 50> TerrainShapes{{
    {2, 4, 3, 4, 2, 5, 3, 5}, {4, 0, 3, 4, 2, 5, 3, 5}, {2, 4, 5, 0, 2, 5, 3, 5}, {4, 0, 5, 0, 2, 5, 3, 5},
    {2, 4, 3, 4, 2, 5, 5, 1}, {4, 0, 3, 4, 2, 5, 5, 1}, {2, 4, 5, 0, 2, 5, 5, 1}, {4, 0, 5, 0, 2, 5, 5, 1},
    {2, 4, 3, 4, 4, 1, 3, 5}, {4, 0, 3, 4, 4, 1, 3, 5}, {2, 4, 5, 0, 4, 1, 3, 5}, {4, 0, 5, 0, 4, 1, 3, 5},
    {2, 4, 3, 4, 4, 1, 5, 1}, {4, 0, 3, 4, 4, 1, 5, 1}, {2, 4, 5, 0, 4, 1, 5, 1}, {4, 0, 5, 0, 4, 1, 5, 1},
    {0, 4, 1, 4, 0, 5, 1, 5}, {0, 4, 5, 0, 0, 5, 1, 5}, {0, 4, 1, 4, 0, 5, 5, 1}, {0, 4, 5, 0, 0, 5, 5, 1},
    {2, 2, 3, 2, 2, 3, 3, 3}, {2, 2, 3, 2, 2, 3, 5, 1}, {2, 2, 3, 2, 4, 1, 3, 3}, {2, 2, 3, 2, 4, 1, 5, 1},
    {4, 4, 5, 4, 4, 5, 5, 5}, {4, 4, 5, 4, 4, 1, 5, 5}, {4, 0, 5, 4, 4, 5, 5, 5}, {4, 0, 5, 4, 4, 1, 5, 5},
    {2, 6, 3, 6, 2, 7, 3, 7}, {4, 0, 3, 6, 2, 7, 3, 7}, {2, 6, 5, 0, 2, 7, 3, 7}, {4, 0, 5, 0, 2, 7, 3, 7},
    {0, 4, 5, 4, 0, 5, 5, 5}, {2, 2, 3, 2, 2, 7, 3, 7}, {0, 2, 1, 2, 0, 3, 1, 3}, {0, 2, 1, 2, 0, 3, 5, 1},
    {4, 2, 5, 2, 4, 3, 5, 3}, {4, 2, 5, 2, 4, 1, 5, 3}, {4, 6, 5, 6, 4, 7, 5, 7}, {4, 0, 5, 6, 4, 7, 5, 7},
    {0, 6, 1, 6, 0, 7, 1, 7}, {0, 6, 5, 0, 0, 7, 1, 7}, {0, 2, 5, 2, 0, 3, 5, 3}, {0, 2, 1, 2, 0, 7, 1, 7},
    {0, 6, 5, 6, 0, 7, 5, 7}, {4, 2, 5, 2, 4, 7, 5, 7}, {0, 2, 5, 2, 0, 7, 5, 7}, {2, 4, 3, 4, 2, 5, 3, 5},
    {2, 4, 3, 4, 2, 5, 3, 5}, {0, 0, 1, 0, 0, 1, 1, 1},
}};

// The corner pieces that corner flag bits 0..3 put in place of the shape's sub-tiles.
constexpr TSubTiles ShallowCorners{{{0, 10}, {1, 10}, {0, 11}, {1, 11}}};
constexpr TSubTiles DeepCorners{{{0, 12}, {1, 12}, {0, 13}, {1, 13}}};
constexpr int32_t DeepWaterKind = 2, LoneDeepShape = 49;

constexpr std::array<TChipPosition, 3> AnimatedPositions{{{6, 8}, {8, 8}, {10, 8}}};
constexpr std::array<TChipPosition, 12> TerrainPositions{{
    {0, 16}, {6, 16}, {0, 24}, {6, 24}, {12, 0}, {18, 0}, {12, 8}, {18, 8}, {12, 16}, {18, 16}, {12, 24}, {18, 24},
}};

// Which range of tile ids an id belongs to; the first matching row decides.
enum class ETileKind { None, Water, Animated, Terrain, Lower, Upper };

struct TTileRange {
  int32_t First, Last;
  ETileKind Kind;
};

constexpr std::array<TTileRange, 5> TileRanges{{
    {0, 2999, ETileKind::Water},
    {3000, 3999, ETileKind::Animated},
    {4000, 4599, ETileKind::Terrain},
    {5000, 5143, ETileKind::Lower},
    {10000, 19999, ETileKind::Upper},
}};

ETileKind KindOf(int32_t TileId) {
  for (const auto& Range : TileRanges)
    if (TileId >= Range.First && TileId <= Range.Last) return Range.Kind;
  return ETileKind::None;
}

// Frames of the slow cycle go there and back.
constexpr std::array<int32_t, 4> PingPongFrames{0, 1, 2, 1};

// Non-negative remainder, so a counter that wrapped below zero still picks a valid frame.
int32_t Wrap(int32_t Value, int32_t Modulus) { return ((Value % Modulus) + Modulus) % Modulus; }

TSubTiles ShapeParts(const TShapeRow& Row) {
  return {{{Row[0], Row[1]}, {Row[2], Row[3]}, {Row[4], Row[5]}, {Row[6], Row[7]}}};
}

// The water kinds share kind 0's column: kind 1 takes its edge pieces (the upper rows) from
// the column next to it, kind 2 its centre pieces (the lower rows) from further down.
TSubTiles WaterParts(int32_t Kind, int32_t Shape, int32_t CornerFlags) {
  TSubTiles Parts = ShapeParts(WaterShapes[size_t(Shape)]);
  if (Kind == DeepWaterKind && Shape == LoneDeepShape) {
    Parts = DeepCorners;
  } else {
    for (auto& Part : Parts) {
      if (Kind == 1 && Part.Y < 8) Part.X += 6;
      if (Kind == DeepWaterKind && Part.Y >= 8) Part.Y += 6;
    }
  }
  const TSubTiles& Corners = Kind == DeepWaterKind ? DeepCorners : ShallowCorners;
  for (size_t Corner = 0; Corner < 4; ++Corner)
    if (CornerFlags & (1 << Corner)) Parts[Corner] = Corners[Corner];
  return Parts;
}

TChipPosition LowerTilePosition(int32_t I) { return {(I / 96) * 12 + (I % 6) * 2 + 24, ((I % 96) / 6) * 2}; }
TChipPosition UpperTilePosition(int32_t I) { return {((I + 48) / 96) * 12 + (I % 6) * 2 + 36, (((I + 48) % 96) / 6) * 2}; }

TRect AreaAt(TChipPosition At, int32_t Width, int32_t Height) {
  return {At.X * SubSide, At.Y * SubSide, At.X * SubSide + Width, At.Y * SubSide + Height};
}
TRect TileRect(TChipPosition At) { return AreaAt(At, TileSide, TileSide); }

// The block record that a lower-layer id selects (water, animated, terrain, lower tile).
std::optional<size_t> BlockIndexOf(int32_t TileId) {
  switch (KindOf(TileId)) {
    case ETileKind::Water: return size_t(TileId / 1000);
    case ETileKind::Animated: {
      int32_t Number = (TileId - 3000) / 50;
      if (Number < 3) return size_t(3 + Number);
      return std::nullopt;
    }
    case ETileKind::Terrain: return size_t(6 + (TileId - 4000) / 50);
    case ETileKind::Lower: return TLcfChipSetGraphic::FirstLowerBlock + size_t(TileId - 5000);
    default: return std::nullopt;
  }
}

}  // namespace

TLcfChipSetGraphic::TLcfChipSetGraphic(const TGameFolder& Folder) : Folder(Folder) {
  Sheet.SetSize(ImageWidth, ImageHeight);
  for (size_t I = 0; I < 3; ++I) Blocks[I].Position = {0, 0};
  for (size_t I = 0; I < AnimatedPositions.size(); ++I) Blocks[3 + I].Position = AnimatedPositions[I];
  for (size_t I = 0; I < TerrainPositions.size(); ++I) Blocks[6 + I].Position = TerrainPositions[I];
  for (int32_t I = 0; I < int32_t(UpperCount); ++I) {
    Blocks[FirstLowerBlock + size_t(I)].Position = LowerTilePosition(I);
    UpperTiles[size_t(I)].Position = UpperTilePosition(I);
  }
  ComputeFlags();
}

void TLcfChipSetGraphic::SetChipSet(const TLcfChipSetItem* Record) {
  ChipSet = Record;
  LoadImage(Record ? Record->GraphicName : std::string());
}

void TLcfChipSetGraphic::LoadImage(const std::string& Name) {
  if (Name == FileName) return;
  FileName = Name;
  Sheet.Clear();
  try {
    if (!Name.empty()) {
      auto Path = Folder.FindAsset(Name, "data", EAssetList::Image);
      if (!Path) throw EPrismImageError("Cannot open file \"" + Name + "\"");
      Sheet.LoadFromFile(*Path, true);
    }
  } catch (...) {
    ComputeFlags();
    throw;
  }
  ComputeFlags();
}

void TLcfChipSetGraphic::AssignImage(const TPrismBitmap& Bitmap, const std::string& Name) {
  FileName = Name;
  Sheet.Clear();
  try {
    Sheet.AssignBitmap(Bitmap);
  } catch (...) {
    Sheet.Clear();
    ComputeFlags();
    throw;
  }
  ComputeFlags();
}

void TLcfChipSetGraphic::ComputeFlags() {
  // Water counts as solid only when its whole area, frames and deep-water rows included, is.
  const bool WaterSolid = Sheet.IsAreaFull({0, 0, 96, 64}) && Sheet.IsAreaFull({0, 64, 48, 128});
  for (size_t I = 0; I < 3; ++I) Blocks[I] = {Blocks[I].Position, false, WaterSolid};
  for (size_t I = 3; I < 6; ++I) Blocks[I].Solid = Sheet.IsAreaFull(AreaAt(Blocks[I].Position, 16, 64));
  for (size_t I = 6; I < FirstLowerBlock; ++I) Blocks[I].Solid = Sheet.IsAreaFull(AreaAt(Blocks[I].Position, 48, 64));
  for (size_t I = FirstLowerBlock; I < BlockCount; ++I) {
    const TRect Tile = TileRect(Blocks[I].Position);
    Blocks[I].Empty = Sheet.IsAreaEmpty(Tile);
    Blocks[I].Solid = Sheet.IsAreaFull(Tile);
  }
  for (auto& Upper : UpperTiles) Upper.Empty = Sheet.IsAreaEmpty(TileRect(Upper.Position));
}

bool TLcfChipSetGraphic::IsTileOpaque(int32_t TileId) const {
  auto Index = BlockIndexOf(TileId);
  return Index && Blocks[*Index].Solid;
}

void TLcfChipSetGraphic::SetLevel(int32_t Level) { Sheet.Opacity = std::clamp(255 - 30 * Level, 0, 255); }

int32_t TLcfChipSetGraphic::WaterFrame(int32_t Counter, int32_t AnimationSpeed, int32_t AnimationType) {
  const int32_t Step = Counter / (AnimationSpeed != 0 ? 12 : 24);
  if (AnimationType != 0) return Wrap(Step, 3);
  return PingPongFrames[size_t(Wrap(Step, 4))];
}

bool TLcfChipSetGraphic::AutoTileParts(int32_t TileId, int32_t Frame, TSubTiles& Parts) {
  const ETileKind Kind = KindOf(TileId);
  if (Kind == ETileKind::Water) {
    Parts = WaterParts(TileId / 1000, TileId % 50, (TileId % 1000) / 50);
    for (auto& Part : Parts) Part.X += 2 * Frame;
    return true;
  }
  if (Kind == ETileKind::Terrain) {
    const TChipPosition Base = TerrainPositions[size_t((TileId - 4000) / 50)];
    Parts = ShapeParts(TerrainShapes[size_t(TileId % 50)]);
    for (auto& Part : Parts) Part = {Base.X + Part.X, Base.Y + Part.Y};
    return true;
  }
  return false;
}

void TLcfChipSetGraphic::DrawTile(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Size, int32_t TileId, int32_t Counter) {
  switch (KindOf(TileId)) {
    case ETileKind::Water:
    case ETileKind::Terrain: {
      const int32_t Frame = ChipSet ? WaterFrame(Counter, ChipSet->AnimationSpeed, ChipSet->AnimationType)
                                    : WaterFrame(Counter, 0, 0);
      TSubTiles Parts;
      AutoTileParts(TileId, Frame, Parts);
      DrawSubTiles(Board, X, Y, Size, Parts);
      break;
    }
    case ETileKind::Animated: {
      auto Index = BlockIndexOf(TileId);
      if (!Index) break;  // ids past the three animated tiles show nothing
      TChipPosition At = Blocks[*Index].Position;
      At.Y += 2 * Wrap(Counter / 6, 4);
      DrawWholeTile(Board, X, Y, Size, At);
      break;
    }
    case ETileKind::Lower: {
      const TBlock& Block = Blocks[FirstLowerBlock + size_t(TileId - 5000)];
      if (!(Block.Empty && Sheet.Transparent)) DrawWholeTile(Board, X, Y, Size, Block.Position);
      break;
    }
    case ETileKind::Upper: {
      const TUpperTile& Upper = UpperTiles[size_t(std::min(TileId - 10000, int32_t(UpperCount) - 1))];
      if (!(Upper.Empty && Sheet.Transparent)) DrawWholeTile(Board, X, Y, Size, Upper.Position);
      break;
    }
    case ETileKind::None: break;
  }
}

void TLcfChipSetGraphic::DrawSubTiles(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Size, const TSubTiles& Parts) {
  const int32_t S = Size / 2;
  const TChipPosition First = Parts[0];
  const bool OneSquare = Parts[1] == TChipPosition{First.X + 1, First.Y} && Parts[2] == TChipPosition{First.X, First.Y + 1} &&
                         Parts[3] == TChipPosition{First.X + 1, First.Y + 1};
  if (OneSquare) {
    Board.StretchDraw({X, Y, X + 2 * S, Y + 2 * S}, Sheet, TileRect(First));
    return;
  }
  static constexpr std::array<TPoint, 4> Corners{{{0, 0}, {1, 0}, {0, 1}, {1, 1}}};
  for (size_t I = 0; I < 4; ++I) {
    const int32_t DX = X + Corners[I].X * S, DY = Y + Corners[I].Y * S;
    Board.StretchDraw({DX, DY, DX + S, DY + S}, Sheet,
                      AreaAt(Parts[I], SubSide, SubSide));
  }
}

void TLcfChipSetGraphic::DrawWholeTile(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Size, TChipPosition At) {
  Board.StretchDraw({X, Y, X + Size, Y + Size}, Sheet, TileRect(At));
}
