// Load times of a large synthetic game from its files: 500 maps of 100 x 100 tiles with 50
// events each, the map tree, and a database with every list filled. The player loads the tree
// and the database once at start-up and one map unit at every map change.
#include "database/LD_DataBase.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

constexpr int MapCount = 500, MapSide = 100, EventsPerMap = 50;
constexpr int RecordsPerList = 500, Animations = 200, ChipSets = 20, CommonEvents = 200;

template <class List>
void Fill(List& L, int N, const char* Prefix) {
  L.Clear();
  for (int I = 1; I <= N; ++I) L.GetOrCreate(I).Name = Prefix + std::to_string(I);
}

TLcfEventScriptList Script(int Lines) {
  TLcfEventScriptList S;
  for (int C = 0; C < Lines - 1; ++C) S.Add({10110 + C % 50, C % 3, C % 4 ? "" : "Some words to show", {C, -C, 300}});
  S.Add({});
  return S;
}

TLcfDataBase FullDataBase() {
  TLcfDataBase DB;
  Fill(DB.Actors, RecordsPerList, "Actor ");
  Fill(DB.Skills, RecordsPerList, "Skill ");
  Fill(DB.Items, RecordsPerList, "Item ");
  Fill(DB.Enemies, RecordsPerList, "Enemy ");
  Fill(DB.Troops, RecordsPerList, "Troop ");
  Fill(DB.Terrains, RecordsPerList, "Terrain ");
  Fill(DB.Attributes, RecordsPerList, "Attribute ");
  Fill(DB.States, RecordsPerList, "State ");
  Fill(DB.Switches, 5000, "Switch ");
  Fill(DB.Variables, 5000, "Variable ");
  Fill(DB.ChipSets, ChipSets, "Chips ");
  Fill(DB.Animations, Animations, "Animation ");
  for (size_t I = 0; I < DB.Animations.Count(); ++I) {
    TLcfAnimationItem& A = *DB.Animations.Items(I);
    A.Frames.Clear();
    for (int F = 0; F < 12; ++F)
      for (int C = 0; C < 4; ++C) A.Frames.GetOrCreate(F + 1).Cells.Append().X = C * 10;
    for (int T = 0; T < 3; ++T) A.Timings.Append().Sound.Name = "Hit";
  }
  Fill(DB.CommonEvents, CommonEvents, "Common ");
  for (size_t I = 0; I < DB.CommonEvents.Count(); ++I) DB.CommonEvents.Items(I)->Script = Script(50);
  return DB;
}

TLcfMap SyntheticMap(int Id) {
  TLcfMap Map(Id);
  Map.SetSize(MapSide, MapSide);
  for (int Y = 0; Y < MapSide; ++Y)
    for (int X = 0; X < MapSide; ++X) {
      Map.LowerLayer.SetTile(X, Y, uint16_t(5000 + (X * 7 + Y) % 144));
      Map.UpperLayer.SetTile(X, Y, uint16_t(10000 + (X + Y) % 144));
    }
  for (int E = 1; E <= EventsPerMap; ++E) {
    TLcfEventItem& Event = Map.Events.GetOrCreate(E);
    Event.Name = "EV" + std::to_string(E);
    Event.X = E % MapSide;
    Event.Y = E / 2;
    Event.Pages.ItemById(1).CharSetName = "People" + std::to_string(E % 8);
    Event.Pages.ItemById(1).Script = Script(20);
    Event.Pages.Append().Script = Script(10);
  }
  return Map;
}

TLcfMapTree SyntheticTree() {
  TLcfMapTree Tree;
  Tree.GetOrCreate(0).Name = "Game";
  Tree.TreeOrder.push_back(0);
  for (int Id = 1; Id <= MapCount; ++Id) {
    TLcfMapTreeItem& Item = Tree.GetOrCreate(Id);
    Item.Name = "MAP" + std::to_string(Id);
    Item.ParentId = Id > 10 ? Id % 10 + 1 : 0;
    Item.ItemType = 1;
    Item.MusicMode = Id % 3;
    Item.Music.Name = "Theme";
    for (int E = 0; E < 4; ++E) Item.Encounters.Append().TroopId = E + 1;
    Tree.TreeOrder.push_back(Id);
  }
  Tree.StartingPoint.Party = {1, 5, 5};
  return Tree;
}

// The game folder, written once for the whole run.
const TGameFolder& Game() {
  static const std::string Folder = [] {
    const auto Root = std::filesystem::temp_directory_path() / "tessera-bench-maps";
    std::filesystem::create_directories(Root / "data");
    TByteWriter DataBase;
    FullDataBase().SaveToStream(DataBase);
    WriteWholeFile((Root / "data" / "$$$.B").string(), DataBase.Buffer());
    TByteWriter Tree;
    SyntheticTree().SaveToStream(Tree);
    WriteWholeFile((Root / "data" / "$$$.F").string(), Tree.Buffer());
    for (int Id = 1; Id <= MapCount; ++Id) {
      const std::string Name = MapFileName(Id).substr(5);
      WriteWholeFile((Root / "data" / Name).string(), SyntheticMap(Id).SaveToBytes());
    }
    return Root.string();
  }();
  static const TGameFolder Folder_(Folder);
  return Folder_;
}

void BM_LoadTreeAndDatabase(benchmark::State& State) {
  const TGameFolder& G = Game();
  TLcfDataBase DB;
  TLcfMapTree Tree;
  for (auto _ : State) {
    DB.Load(G);
    Tree.Load(G);
    benchmark::DoNotOptimize(Tree.Count() + DB.Animations.Count());
  }
}
BENCHMARK(BM_LoadTreeAndDatabase)->Unit(benchmark::kMillisecond);

void BM_LoadMapUnit(benchmark::State& State) {
  const TGameFolder& G = Game();
  TLcfDataBase DB;
  DB.Load(G);
  TLcfMap Map;
  Map.ChipSets = &DB.ChipSets;
  int Id = 0;
  for (auto _ : State) {
    Map.Load(G, Id % MapCount + 1);
    ++Id;
    benchmark::DoNotOptimize(Map.LowerLayer.TileAt(50, 50));
  }
}
BENCHMARK(BM_LoadMapUnit)->Unit(benchmark::kMicrosecond);

}  // namespace
