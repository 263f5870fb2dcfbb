// The map tree "data\$$$.F": one item per map and area with the settings that maps inherit from
// their ancestors (music, battle backdrop, teleport, escape and save permissions), the random
// encounters, and the start positions of the party and the vehicles. Loaded once; read-only.
#pragma once

#include "data/Catalog.h"
#include "data/GameFolder.h"
#include "database/LD_System.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// One random-encounter entry: a troop id.
class TLcfEncountItem : public TCatalogItem {
 public:
  int32_t TroopId = 1;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};
using TLcfEncount = TCatalogOf<TLcfEncountItem>;

enum EMapItemType : uint8_t { MapItemArea = 2 };
// MusicMode, BackdropMode and the three permission modes: 0 always means "as the parent".
enum EMapInherit : uint8_t { MapInherit = 0 };
enum EMapMusicMode : uint8_t { MusicKeepPlaying = 1, MusicPlayOwn = 2 };
enum EMapBackdropMode : uint8_t { BackdropByTerrain = 1, BackdropOwn = 2 };
enum EMapPermission : uint8_t { MapAllowed = 1, MapForbidden = 2 };
enum class EMapFlagKind { Teleport, Escape, Save };

// A rectangle of tiles; Right and Bottom are exclusive.
struct TMapAreaRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool Contains(int32_t X, int32_t Y) const { return X >= Left && X < Right && Y >= Top && Y < Bottom; }
};
static_assert(sizeof(TMapAreaRect) == 16);

// A map, an area (ItemType 2, a rectangle of its parent map) or the root (id 0).
class TLcfMapTreeItem : public TCatalogItem {
 public:
  int32_t ParentId = 0;
  int32_t Reserved3 = 0;
  uint8_t ItemType = 0;
  int32_t Reserved5 = 0, Reserved6 = 0;
  uint8_t Reserved7 = 0;
  uint8_t MusicMode = MapInherit;
  TLcfMusic Music;
  uint8_t BackdropMode = MapInherit;
  std::string Backdrop;
  uint8_t TeleportMode = MapInherit, EscapeMode = MapInherit, SaveMode = MapInherit;
  TLcfEncount Encounters;
  int32_t EncounterSteps = 25;
  TMapAreaRect AreaRect;

  bool IsArea() const { return ItemType == MapItemArea; }
  uint8_t FlagMode(EMapFlagKind Kind) const;

  // Clear leaves the name, the parent and the other fields of chunks 1..7 as they are; a load
  // still gives exactly the record of the file.
  void LoadFromStream(TByteReader& Stream) override;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

// Where a new game places the party and the three vehicles; a party map id 0 means unset.
class TLcfMapStartPosition : public TCatalogBaseItem {
 public:
  struct TPlace {
    int32_t MapId = 0, X = 0, Y = 0;
  };
  TPlace Party, Boat, Ship, Airship;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfMapTree : public TCatalogOf<TLcfMapTreeItem> {
 public:
  // The editor's order of the items, by map id: read and written, not used by the runtime.
  std::vector<int32_t> TreeOrder;
  int32_t Reserved = 0;  // the integer after the tree order, kept as read
  TLcfMapStartPosition StartingPoint;

  TLcfMapTree() : TCatalogOf("Invalid Map") {}

  // "data\$$$.F" of the game folder; EFileError when the game has none.
  void Load(const TGameFolder& Game);
  void LoadFromFile(const std::string& FileName);
  // The header "$$$F", the items, the tree order, the unused integer, the start positions.
  // A failed load leaves an empty tree.
  void LoadFromStream(TByteReader& Stream) override;
  void SaveToStream(TByteWriter& Stream) const override;
  void Reset();

  // The rules by which a map inherits from its ancestors. Each walks from MapId towards the
  // root through ParentId and stops at the first item whose mode is not "inherit"; reaching id
  // 0 (or going round a loop of parent links) ends the walk with no decision. A map id that is
  // not in the tree is "Invalid Map".
  // The item whose MusicMode decides, or nothing: the music is left as it is.
  const TLcfMapTreeItem* ResolveMusic(int32_t MapId) const;
  // True allowed, false forbidden, nothing: the runtime flag stays as it is.
  std::optional<bool> ResolveFlag(int32_t MapId, EMapFlagKind Kind) const;
  // The item whose BackdropMode decides, or nothing.
  const TLcfMapTreeItem* ResolveBackdrop(int32_t MapId) const;
  // Troops that may attack at (X, Y) of map MapId on Terrain: the map's own encounters and
  // those of every area of the map that contains the tile, in id order, duplicates kept.
  using TTroopFilter = std::function<bool(int32_t TroopId, int32_t Terrain)>;
  std::vector<int32_t> CandidateTroops(int32_t MapId, int32_t X, int32_t Y, int32_t Terrain, const TTroopFilter& MayAppear) const;

  static constexpr std::string_view Header = "$$$F";
  static const TFileSchema File;

 private:
  template <class Decides>
  const TLcfMapTreeItem* FirstDeciding(int32_t MapId, Decides&& Decide) const;
};
