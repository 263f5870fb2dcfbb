#include "database/LD_ChipSet.h"

#include <algorithm>
#include <climits>

namespace {

using CS = TLcfChipSetItem;

void ClearTerrain(TCatalogBaseItem& B, const TFieldDesc&) { static_cast<CS&>(B).Terrain.fill(1); }
void ClearLowerFlags(TCatalogBaseItem& B, const TFieldDesc&) { static_cast<CS&>(B).LowerFlags.fill(0x0F); }
// The first upper tile is the empty one: passable everywhere and drawn above, so that the
// lower layer decides.
void ClearUpperFlags(TCatalogBaseItem& B, const TFieldDesc&) {
  auto& Flags = static_cast<CS&>(B).UpperFlags;
  Flags.fill(0x0F);
  Flags[0] = 0x1F;
}

using F = TFieldMaker<CS>;
constexpr TFieldDesc ChipSetFields[] = {
    F::Text<&CS::Name>(1, "Name").OmitEmpty(),
    F::Text<&CS::GraphicName>(2, "GraphicName").OmitEmpty(),
    F::Fixed<&CS::Terrain>(3, "Terrain").ClearedBy(ClearTerrain).Shown(EDataFormat::UInt16),
    F::Fixed<&CS::LowerFlags>(4, "LowerFlags").ClearedBy(ClearLowerFlags).Shown(EDataFormat::UInt8),
    F::Fixed<&CS::UpperFlags>(5, "UpperFlags").ClearedBy(ClearUpperFlags).Shown(EDataFormat::UInt8),
    F::Int<&CS::AnimationType>(11, "AnimationType"),
    F::Int<&CS::AnimationSpeed>(12, "AnimationSpeed"),
};
static_assert(AscendingIds(ChipSetFields));

// Tile id ranges in the order they are tried: an id from First on gives
// (id - First) div Step + Base, at most Last.
struct TTileRange {
  int32_t First, Step, Base, Last;
};
constexpr TTileRange TileRanges[] = {
    {10000, 1, 0, int32_t(CS::UpperCount) - 1},  // upper tiles
    {5000, 1, 18, INT32_MAX},                    // plain lower tiles; past 5143 outside the tables
    {4000, 50, 6, INT32_MAX},                    // twelve terrain auto-tiles
    {3000, 50, 3, INT32_MAX},                    // three animated tiles
};

}  // namespace

const TRecordSchema TLcfChipSetItem::Fields{"TLcfChipSetItem", ChipSetFields};

int32_t TLcfChipSetItem::TileIndex(int32_t TileId) {
  for (const TTileRange& R : TileRanges)
    if (TileId >= R.First) return std::min((TileId - R.First) / R.Step + R.Base, R.Last);
  // The three water kinds; division truncates toward zero, so small negative ids give 0.
  return TileId / 1000;
}

int32_t TLcfChipSetItem::TerrainAt(int32_t Index) const {
  return Index >= 0 && size_t(Index) < LowerCount ? Terrain[size_t(Index)] : 0;
}

uint8_t TLcfChipSetItem::LowerFlagsAt(int32_t Index) const {
  return Index >= 0 && size_t(Index) < LowerCount ? LowerFlags[size_t(Index)] : 0;
}

uint8_t TLcfChipSetItem::UpperFlagsAt(int32_t Index) const {
  return Index >= 0 && size_t(Index) < UpperCount ? UpperFlags[size_t(Index)] : 0;
}
