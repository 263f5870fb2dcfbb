// Small map trees and map units made with the project's own writers, and a chunk builder for
// records the writer never makes.
#pragma once

#include "CodecBytes.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

#include <initializer_list>
#include <string>

// Raw record bytes: Chunk(Id, payload) pieces joined, closed by End().
class TChunkBytes {
 public:
  TChunkBytes& Chunk(uint32_t Id, const TBytes& Payload) {
    Out.Ber(Id);
    Out.Ber(uint32_t(Payload.size()));
    Out.Bytes(Payload);
    return *this;
  }
  TChunkBytes& Int(uint32_t Id, int32_t Value) {
    TByteWriter V;
    V.BerInt(Value);
    return Chunk(Id, V.Buffer());
  }
  TChunkBytes& Raw(const TBytes& Bytes) {
    Out.Bytes(Bytes);
    return *this;
  }
  TBytes End() {
    Out.Ber(0);
    return Out.Take();
  }
  TBytes Open() { return Out.Take(); }

 private:
  TByteWriter Out;
};

// A map file: the header, then Record.
inline TBytes MapFile(const TBytes& Record) {
  TByteWriter W;
  W.BerString("$$$M");
  W.Bytes(Record);
  return W.Take();
}

inline TBytes Tiles(size_t Count, uint16_t Tile) {
  TBytes B;
  for (size_t I = 0; I < Count; ++I) B.push_back(uint8_t(Tile)), B.push_back(uint8_t(Tile >> 8));
  return B;
}

// A 30 x 20 looping map with a panorama, numbered tiles and two events.
inline TLcfMap MakeSampleMap() {
  TLcfMap Map(3);
  Map.ChipSetId = 2;
  Map.SetSize(30, 20);
  Map.SetScrollType(ScrollHorizontal);
  Map.PanoramaUsed = 1;
  Map.PanoramaName = "Sky";
  Map.PanoramaAutoX = 1;
  Map.PanoramaSpeedX = -3;
  Map.SaveCount = 41;
  for (int32_t Y = 0; Y < 20; ++Y)
    for (int32_t X = 0; X < 30; ++X) {
      Map.LowerLayer.SetTile(X, Y, uint16_t(5000 + X + 30 * Y));
      Map.UpperLayer.SetTile(X, Y, uint16_t(10000 + (X + Y) % 144));
    }
  TLcfEventItem& Door = Map.Events.GetOrCreate(1);
  Door.Name = "Door";
  Door.X = 4;
  Door.Y = 7;
  Door.Pages.ItemById(1).CharSetName = "Doors";
  TLcfEventPageItem& Open = Door.Pages.Append();
  Open.CharSetName = "Doors";
  Open.Trigger = 1;
  Open.Script.Items = {{10110, 0, "Locked", {}}, {0, 0, "", {}}};
  TLcfEventItem& Guard = Map.Events.GetOrCreate(2);
  Guard.Name = "Guard";
  Guard.Pages.ItemById(1).CharSetName = "People";
  return Map;
}

inline TLcfMapTreeItem& AddTreeItem(TLcfMapTree& Tree, int32_t Id, int32_t Parent, const std::string& Name) {
  TLcfMapTreeItem& Item = Tree.GetOrCreate(Id);
  Item.ParentId = Parent;
  Item.Name = Name;
  Item.ItemType = Id == 0 ? 0 : 1;
  Tree.TreeOrder.push_back(Id);
  return Item;
}

// Root 0; world 1 with two town maps under it (2, and 3 inside 2) and an area 4 of the world.
inline TLcfMapTree MakeSampleTree() {
  TLcfMapTree Tree;
  AddTreeItem(Tree, 0, 0, "Game");
  TLcfMapTreeItem& World = AddTreeItem(Tree, 1, 0, "World");
  World.Encounters.Append().TroopId = 3;
  World.Encounters.Append().TroopId = 3;
  World.EncounterSteps = 40;
  World.TeleportMode = MapForbidden;
  World.BackdropMode = BackdropByTerrain;
  TLcfMapTreeItem& Town = AddTreeItem(Tree, 2, 1, "Town");
  Town.MusicMode = MusicPlayOwn;
  Town.Music.Name = "Town";
  Town.Music.Tempo = 90;
  Town.TeleportMode = MapAllowed;
  Town.BackdropMode = BackdropOwn;
  Town.Backdrop = "Street";
  AddTreeItem(Tree, 3, 2, "Inn").SaveMode = MapForbidden;
  TLcfMapTreeItem& Forest = AddTreeItem(Tree, 4, 1, "Forest");
  Forest.ItemType = MapItemArea;
  Forest.AreaRect = {5, 5, 10, 10};
  Forest.Encounters.Append().TroopId = 7;
  Tree.Reserved = 2;
  Tree.StartingPoint.Party = {2, 8, 9};
  Tree.StartingPoint.Ship = {1, 30, 31};
  Tree.StartingPoint.Airship = {1, 0, 65535};
  return Tree;
}

