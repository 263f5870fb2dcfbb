// TLcfChipSetGraphic: the chipset image a map is drawn from (water, animated tiles, terrain
// auto-tiles, 144 lower and 144 upper tiles in one 480x256 picture) and the drawing of one tile
// by its map tile id. The tile id carries everything: water and terrain ids encode the shape of
// their auto-tile, so a tile is composed from 8x8 sub-tiles without looking at its neighbours.
// Water and animated tiles move with the global frame counter. The map state owns one instance;
// the sheet's Color2 carries the screen tone and flash.
#pragma once

#include "graphics/PrismBoard.h"
#include "graphics/PrismImage.h"
#include "graphics/PrismSheet.h"

#include <array>
#include <cstdint>
#include <string>

class TGameFolder;
class TLcfChipSetItem;

// A place on the chipset image in units of 8 pixels.
struct TChipPosition {
  int32_t X = 0, Y = 0;
  bool operator==(const TChipPosition&) const = default;
};

// The four 8x8 pieces of a composed tile: top-left, top-right, bottom-left, bottom-right.
using TSubTiles = std::array<TChipPosition, 4>;

class TLcfChipSetGraphic {
 public:
  static constexpr int32_t ImageWidth = 480, ImageHeight = 256;
  static constexpr size_t BlockCount = 162;  // 3 water, 3 animated, 12 terrain, 144 lower tiles
  static constexpr size_t UpperCount = 144;
  static constexpr size_t FirstLowerBlock = 18;

  struct TBlock {
    TChipPosition Position;
    bool Empty = false;  // every pixel is index 0 (lower tiles only)
    bool Solid = false;  // no pixel is index 0
  };
  struct TUpperTile {
    TChipPosition Position;
    bool Empty = false;
  };

  // Folder is where images are looked up; it must outlive this object.
  explicit TLcfChipSetGraphic(const TGameFolder& Folder);

  // Keeps the record (not owned, may be none) and loads its image.
  void SetChipSet(const TLcfChipSetItem* Record);
  // Loads the image Name of the folder "data" unless it is the one already loaded. An empty
  // name leaves the sheet cleared; a name that finds no file, or a file that cannot be read,
  // raises EPrismImageError after the sheet has been cleared and the flags recomputed, so the
  // map then draws black or nothing rather than stale tiles.
  void LoadImage(const std::string& Name);
  // Takes a decoded picture as the chipset image (tools and tests); FileName becomes Name.
  void AssignImage(const TPrismBitmap& Bitmap, const std::string& Name);

  // Draws tile TileId with its top-left corner at (X, Y) as a Size x Size square (16 on maps).
  void DrawTile(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Size, int32_t TileId, int32_t Counter);
  // The Solid flag of a lower-layer tile (ids 0..5143); false for every other id.
  bool IsTileOpaque(int32_t TileId) const;
  void SetTransparent(bool Value) { Sheet.Transparent = Value; }
  // Opacity 255 - 30 * Level, as for the characters that show a tile.
  void SetLevel(int32_t Level);

  // The sub-tiles, as places on the image, that a water or terrain auto-tile id is composed of
  // (water at animation frame Frame); false for an id of another kind.
  static bool AutoTileParts(int32_t TileId, int32_t Frame, TSubTiles& Parts);
  // The water animation frame (0..2) for the counter and the record's speed and cycle values.
  static int32_t WaterFrame(int32_t Counter, int32_t AnimationSpeed, int32_t AnimationType);

  const TLcfChipSetItem* ChipSet = nullptr;
  std::string FileName;
  TPrismSheet Sheet;  // always 480x256
  std::array<TBlock, BlockCount> Blocks{};
  std::array<TUpperTile, UpperCount> UpperTiles{};

 private:
  void ComputeFlags();
  void DrawSubTiles(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Size, const TSubTiles& Parts);
  void DrawWholeTile(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Size, TChipPosition At);

  const TGameFolder& Folder;
};
