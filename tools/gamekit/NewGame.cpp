#include "NewGame.h"

#include "database/LD_DataBase.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

#include <filesystem>

namespace {

constexpr int32_t FirstMap = 1;
constexpr int32_t MapWidth = 20, MapHeight = 15;
constexpr uint16_t GrassTile = 5000;  // the first plain lower tile of the chipset

TBytes Saved(const TCatalogBaseItem& Record) {
  TByteWriter Out;
  Record.SaveToStream(Out);
  return Out.Take();
}

TLcfDataBase NewDataBase() {
  TLcfDataBase DB;
  DB.Actors.ItemById(1).Name = "Hero";
  DB.System.PartySize = 1;
  DB.System.PartyIds = {1, 0};
  DB.ChipSets.ItemById(1).Name = "Field";
  return DB;
}

TBytes NewMapTree(const TNewGameOptions& Options) {
  TLcfMapTree Tree;
  TLcfMapTreeItem& Root = Tree.GetOrCreate(0);
  Root.Name = Options.Title;
  TLcfMapTreeItem& Map = Tree.GetOrCreate(FirstMap);
  Map.Name = "MAP0001";
  Map.ParentId = Root.Id;
  Map.ItemType = 1;
  Tree.TreeOrder = {Root.Id, Map.Id};
  Tree.StartingPoint.Party = {FirstMap, MapWidth / 2, MapHeight / 2};
  TByteWriter Out;
  Tree.SaveToStream(Out);
  return Out.Take();
}

TBytes NewMap() {
  TLcfMap Map(FirstMap);
  Map.SetSize(MapWidth, MapHeight);
  for (int32_t Y = 0; Y < MapHeight; ++Y)
    for (int32_t X = 0; X < MapWidth; ++X) Map.LowerLayer.SetTile(X, Y, GrassTile);
  // The upper layer is written too, so that the file holds the whole map as the editor's do.
  Map.UpperLayer.SetTile(0, 0, Map.UpperLayer.FillTile);
  return Map.SaveToBytes();
}

std::span<const uint8_t> AsBytes(const std::string& Text) { return {reinterpret_cast<const uint8_t*>(Text.data()), Text.size()}; }

}  // namespace

void WriteNewGame(const std::string& Folder, const TNewGameOptions& Options) {
  const std::filesystem::path Root(Folder), Data = Root / "data";
  std::error_code Error;
  std::filesystem::create_directories(Data, Error);
  if (Error) throw EFileError(Data.string());
  WriteWholeFile((Data / "$$$.B").string(), Saved(NewDataBase()));
  WriteWholeFile((Data / "$$$.F").string(), NewMapTree(Options));
  WriteWholeFile((Data / "0001.M").string(), NewMap());
  // Everything the game shows comes with it: no resource package is needed.
  WriteWholeFile((Data / "$$$.i").string(), AsBytes("[TOVRAX]\r\nFullPackageFlag=1\r\n"));
  WriteWholeFile((Root / "tessera.ini").string(), AsBytes("[TOVRAX]\r\nGameTitle=" + Options.Title + "\r\n"));
}
