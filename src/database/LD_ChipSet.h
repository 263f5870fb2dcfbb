// The chipsets of the database: the image a map's tiles are cut from and, for every tile, a
// terrain id and a byte of passability and drawing flags. Tile ids of the map layers select a
// table entry through TileIndex; lookups outside the tables answer 0, never fail.
#pragma once

#include "data/Catalog.h"

#include <array>
#include <cstdint>
#include <string>

// The bits of a flag byte.
enum EChipFlag : uint8_t {
  ChipPassDown = 0x01,
  ChipPassLeft = 0x02,
  ChipPassRight = 0x04,
  ChipPassUp = 0x08,
  ChipAbove = 0x10,    // drawn above the characters; on an upper tile the lower layer decides passing
  ChipEdge = 0x20,     // lower tile: its auto-tile shape decides passing
  ChipCounter = 0x40,  // upper tile: the decision key reaches across it
};

class TLcfChipSetItem : public TCatalogItem {
 public:
  static constexpr size_t LowerCount = 162;  // 3 water, 3 animated, 12 auto-tiles, 144 plain
  static constexpr size_t UpperCount = 144;

  std::string GraphicName;
  std::array<uint16_t, LowerCount> Terrain;  // terrain ids, little-endian in the file
  std::array<uint8_t, LowerCount> LowerFlags;
  std::array<uint8_t, UpperCount> UpperFlags;
  int32_t AnimationType = 0;   // 0: water and animated tiles cycle 0,1,2,1; otherwise 0,1,2
  int32_t AnimationSpeed = 0;  // 0 slow, otherwise fast

  TLcfChipSetItem() { Clear(); }

  // The table entry that a map tile id selects: 0..161 for lower tiles, 0..143 for upper ones.
  static int32_t TileIndex(int32_t TileId);
  int32_t TerrainAt(int32_t Index) const;
  uint8_t LowerFlagsAt(int32_t Index) const;
  uint8_t UpperFlagsAt(int32_t Index) const;
  int32_t TerrainOf(int32_t TileId) const { return TerrainAt(TileIndex(TileId)); }
  uint8_t LowerFlagsOf(int32_t TileId) const { return LowerFlagsAt(TileIndex(TileId)); }
  uint8_t UpperFlagsOf(int32_t TileId) const { return UpperFlagsAt(TileIndex(TileId)); }

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfChipSet : public TCatalogOf<TLcfChipSetItem> {
 public:
  TLcfChipSet() : TCatalogOf("Invalid ChipSet Name") {}
};
