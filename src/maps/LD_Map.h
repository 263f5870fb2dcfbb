// A map unit "data\%.4d.M": size, chipset, looping, panorama settings, the lower and upper tile
// layers and the map's events. The runtime keeps one TLcfMap and reloads it on every map change;
// it is the read-only description, the running state of a map lives elsewhere.
#pragma once

#include "data/Catalog.h"
#include "data/GameFolder.h"
#include "database/LD_ChipSet.h"
#include "database/LD_Event.h"

#include <cstdint>
#include <string>
#include <vector>

// One layer of 16-bit tile ids, row by row from the top-left. Only the block of tiles that was
// read or set is stored; every other cell holds FillTile. So a map whose size is stated as
// 65535 x 65535 costs nothing until its file really holds that many tiles.
class TLcfMapLayer {
 public:
  explicit TLcfMapLayer(uint16_t FillTile) : FillTile(FillTile) {}

  int32_t Width = 0, Height = 0;
  bool WrapX = false, WrapY = false;
  const uint16_t FillTile;  // 0 for the lower layer, 10000 for the upper one

  // Resize (20, 15), then Fill.
  void Reset();
  // Every cell := FillTile.
  void Fill();
  // The layer becomes W x H; the old tiles stay anchored at the top-left, new cells are FillTile.
  void Resize(int32_t W, int32_t H);
  // The tile id at (X, Y), brought inside by whole widths or heights on a wrapping axis; -1 when
  // the cell is outside the layer.
  int32_t TileAt(int32_t X, int32_t Y) const;
  // Sets one cell inside the layer; outside it nothing happens.
  void SetTile(int32_t X, int32_t Y, uint16_t Tile);
  // Replaces every cell from W*H little-endian 16-bit values.
  void SetTiles(std::span<const uint8_t> LittleEndian);
  // True when every cell is stored (not only the fill), as a layer read from a file is.
  bool HoldsAllTiles() const { return StoredW == Width && StoredH == Height && !Tiles.empty(); }
  // The W*H tiles as the file stores them.
  TBytes Encode() const;
  // Growing a layer that holds tiles stores the new cells at once up to this many cells; past
  // it the new cells stay implicit, so a damaged size never costs a huge allocation.
  static constexpr uint64_t MaxEagerCells = 1u << 20;
  uint64_t CellCount() const { return uint64_t(Width) * uint64_t(Height); }

 private:
  uint16_t StoredTile(int32_t X, int32_t Y) const {
    return X < StoredW && Y < StoredH ? Tiles[size_t(Y) * size_t(StoredW) + size_t(X)] : FillTile;
  }
  void StoreAll();

  std::vector<uint16_t> Tiles;  // StoredW x StoredH, top-left block
  int32_t StoredW = 0, StoredH = 0;
};

enum EMapScrollType : uint8_t { ScrollNone = 0, ScrollVertical = 1, ScrollHorizontal = 2, ScrollBoth = 3 };

class TLcfBaseMapUnit : public TCatalogItem {
 public:
  // "data\%.4d.M" under Game, found without regard to letter case; then Id := MapId.
  // EFileError ("Cannot open file ...") when the game has no such file.
  void Load(const TGameFolder& Game, int32_t MapId);
  // Clear, read the header "$$$M" ("Stream read error" otherwise), then the record.
  virtual void LoadFromFile(const std::string& FileName);
  // The same from bytes already in memory.
  virtual void LoadFromBytes(std::span<const uint8_t> Data);

  static constexpr std::string_view Header = "$$$M";
};

// "data\0001.M" for map 1; five digits from 10000 on.
std::string MapFileName(int32_t MapId);

class TLcfMap : public TLcfBaseMapUnit {
 public:
  int32_t ChipSetId = 1;
  int32_t Width = 20, Height = 15;
  uint8_t ScrollType = ScrollNone;
  uint8_t PanoramaUsed = 0;
  std::string PanoramaName;
  uint8_t PanoramaScrollX = 0, PanoramaScrollY = 0;
  uint8_t PanoramaAutoX = 0;
  int32_t PanoramaSpeedX = 0;
  uint8_t PanoramaAutoY = 0;
  int32_t PanoramaSpeedY = 0;
  TLcfMapLayer LowerLayer{0};
  TLcfMapLayer UpperLayer{10000};
  TLcfEvent Events;
  int32_t SaveCount = 0;  // raised by one each time the editor writes the file

  // The chipsets that a load looks ChipSetId up in (the database's); none: no lookup.
  const TLcfChipSet* ChipSets = nullptr;
  // The chipset found by the last load, when ChipSets was given.
  const TLcfChipSetItem* ChipSet = nullptr;

  explicit TLcfMap(int32_t MapId = 0);

  void Clear() override;
  void LoadFromStream(TByteReader& Stream) override;
  void LoadFromBytes(std::span<const uint8_t> Data) override;
  // The file: header and record.
  TBytes SaveToBytes() const;

  void SetScrollType(uint8_t Value);
  bool LoopsX() const { return ScrollType == ScrollHorizontal || ScrollType == ScrollBoth; }
  bool LoopsY() const { return ScrollType == ScrollVertical || ScrollType == ScrollBoth; }
  // Width, Height and both layers together.
  void SetSize(int32_t W, int32_t H);
  // The sprite sheets that the events' pages name, in event order and page order, pages without
  // one left out: what the sprite cache is given when the map is entered.
  std::vector<std::string> CharSetNames() const;

  static const TRecordSchema Fields;
  static const TFileSchema File;
  const TRecordSchema& Describe() const override { return Fields; }
};
