// The map tree: every field read back from a file made by the writer, the defaults of absent
// chunks, the inheritance walks, encounters and the "Invalid Map" failures.
#include "MapFixtures.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(MapTree, ReadsBackWhatTheWriterWrote) {
  TLcfMapTree Tree;
  LoadBytes(Tree, SavedBytes(MakeSampleTree()));
  ASSERT_EQ(Tree.Count(), 5u);
  EXPECT_EQ(Tree.TreeOrder, (std::vector<int32_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(Tree.Reserved, 2);
  const TLcfMapTreeItem& World = Tree.ItemById(1);
  EXPECT_EQ(World.Name, "World");
  EXPECT_EQ(World.EncounterSteps, 40);
  ASSERT_EQ(World.Encounters.Count(), 2u);
  EXPECT_EQ(World.Encounters.Items(1)->TroopId, 3);
  const TLcfMapTreeItem& Town = Tree.ItemById(2);
  EXPECT_EQ(Town.ParentId, 1);
  EXPECT_EQ(Town.MusicMode, MusicPlayOwn);
  EXPECT_EQ(Town.Music.Name, "Town");
  EXPECT_EQ(Town.Music.Tempo, 90);
  EXPECT_EQ(Town.Backdrop, "Street");
  const TLcfMapTreeItem& Forest = Tree.ItemById(4);
  EXPECT_TRUE(Forest.IsArea());
  EXPECT_EQ(Forest.AreaRect.Right, 10);
  EXPECT_EQ(Tree.StartingPoint.Party.MapId, 2);
  EXPECT_EQ(Tree.StartingPoint.Party.Y, 9);
  EXPECT_EQ(Tree.StartingPoint.Ship.X, 30);
  EXPECT_EQ(Tree.StartingPoint.Airship.Y, 65535);
  EXPECT_EQ(Tree.StartingPoint.Boat.MapId, 0);
  EXPECT_EQ(SavedBytes(Tree), SavedBytes(MakeSampleTree()));
}

TEST(MapTree, AbsentChunksGiveTheDefaults) {
  const TBytes NoChunks{0};
  TLcfMapTreeItem Item;
  TByteReader Empty(NoChunks);
  Item.LoadFromStream(Empty);
  EXPECT_EQ(Item.EncounterSteps, 25);
  EXPECT_EQ(Item.Music, TLcfMusic{});
  EXPECT_EQ(Item.Music.Name, "(OFF)");
  EXPECT_EQ(Item.MusicMode, 0);
  EXPECT_EQ(Item.AreaRect.Bottom, 0);
  // An encounter record without chunks names troop 1, though 0 is the value left unwritten.
  TLcfEncountItem Encounter;
  TByteReader Zero(NoChunks);
  Encounter.LoadFromStream(Zero);
  EXPECT_EQ(Encounter.TroopId, 1);
  TLcfMapStartPosition Start;
  TByteReader None(NoChunks);
  Start.LoadFromStream(None);
  EXPECT_EQ(Start.Party.MapId, 0);
}

TEST(MapTree, ClearKeepsNameAndParentButALoadReplacesThem) {
  TLcfMapTreeItem Item;
  Item.Name = "Cave";
  Item.ParentId = 3;
  Item.EncounterSteps = 9;
  Item.Clear();
  EXPECT_EQ(Item.Name, "Cave");
  EXPECT_EQ(Item.ParentId, 3);
  EXPECT_EQ(Item.EncounterSteps, 25);
  // A file naming map 1 twice: the second record is the item, whole.
  TByteWriter W;
  W.BerString("$$$F");
  W.Ber(2);
  W.Ber(1), W.Bytes(TChunkBytes().Chunk(1, {'A'}).Int(2, 5).End());
  W.Ber(1), W.Bytes(TChunkBytes().Int(44, 7).End());
  W.Ber(0), W.Ber(0), W.Ber(0);
  TLcfMapTree Tree;
  LoadBytes(Tree, W.Take());
  ASSERT_EQ(Tree.Count(), 1u);
  EXPECT_EQ(Tree.ItemById(1).Name, "");
  EXPECT_EQ(Tree.ItemById(1).ParentId, 0);
  EXPECT_EQ(Tree.ItemById(1).EncounterSteps, 7);
}

TEST(MapTree, MusicComesFromTheNearestAncestorThatFixesIt) {
  const TLcfMapTree Tree = MakeSampleTree();
  EXPECT_EQ(Tree.ResolveMusic(3)->Id, 2);  // the inn inherits the town's music
  EXPECT_EQ(Tree.ResolveMusic(2)->Music.Name, "Town");
  EXPECT_EQ(Tree.ResolveMusic(1), nullptr);  // all inherit up to the root: music unchanged
  EXPECT_EQ(Tree.ResolveBackdrop(3)->Backdrop, "Street");
  EXPECT_EQ(Tree.ResolveBackdrop(4)->BackdropMode, BackdropByTerrain);
}

TEST(MapTree, PermissionsWalkTowardsTheRoot) {
  const TLcfMapTree Tree = MakeSampleTree();
  struct TCase {
    int32_t MapId;
    EMapFlagKind Kind;
    std::optional<bool> Expected;
  } Cases[] = {
      {3, EMapFlagKind::Teleport, true},    // from the town
      {4, EMapFlagKind::Teleport, false},   // from the world
      {3, EMapFlagKind::Save, false},       // its own
      {2, EMapFlagKind::Save, std::nullopt},  // nobody decides: the flag stays
      {1, EMapFlagKind::Escape, std::nullopt},
  };
  for (const TCase& C : Cases) EXPECT_EQ(Tree.ResolveFlag(C.MapId, C.Kind), C.Expected) << C.MapId;
}

TEST(MapTree, ALoopOfParentsEndsTheWalk) {
  TLcfMapTree Tree;
  AddTreeItem(Tree, 1, 2, "A");
  AddTreeItem(Tree, 2, 1, "B");
  EXPECT_EQ(Tree.ResolveMusic(1), nullptr);
  EXPECT_EQ(Tree.ResolveFlag(2, EMapFlagKind::Save), std::nullopt);
}

TEST(MapTree, EncountersOfTheMapAndOfTheAreasAroundTheTile) {
  const TLcfMapTree Tree = MakeSampleTree();
  EXPECT_EQ(Tree.CandidateTroops(1, 9, 9, 1, nullptr), (std::vector<int32_t>{3, 3, 7}));  // inside the area
  EXPECT_EQ(Tree.CandidateTroops(1, 10, 5, 1, nullptr), (std::vector<int32_t>{3, 3}));   // right edge is out
  EXPECT_EQ(Tree.CandidateTroops(1, 5, 4, 1, nullptr), (std::vector<int32_t>{3, 3}));    // above the top
  const auto NotThreeOnSnow = [](int32_t Troop, int32_t Terrain) { return !(Troop == 3 && Terrain == 4); };
  EXPECT_EQ(Tree.CandidateTroops(1, 5, 5, 4, NotThreeOnSnow), (std::vector<int32_t>{7}));
  EXPECT_TRUE(Tree.CandidateTroops(2, 5, 5, 1, nullptr).empty());
}

TEST(MapTree, MissingMapsAreInvalidMap) {
  const TLcfMapTree Tree = MakeSampleTree();
  EXPECT_THROW(
      try { Tree.ItemById(9); } catch (const ELcfError& E) {
        EXPECT_STREQ(E.what(), "Invalid Map");
        throw;
      },
      ELcfError);
  EXPECT_THROW(Tree.ItemAt(5), ELcfError);
  EXPECT_THROW(Tree.ResolveMusic(9), ELcfError);
  // A tree order that names a map without an item fails the load and leaves an empty tree.
  TLcfMapTree Bad = MakeSampleTree();
  Bad.TreeOrder.push_back(12);
  TLcfMapTree Loaded;
  try {
    LoadBytes(Loaded, SavedBytes(Bad));
    FAIL();
  } catch (const ELcfError& E) {
    EXPECT_STREQ(E.what(), "Invalid Map");
  }
  EXPECT_EQ(Loaded.Count(), 0u);
  EXPECT_TRUE(Loaded.TreeOrder.empty());
}

TEST(MapTree, DamagedFilesAreStreamReadErrors) {
  const TBytes Good = SavedBytes(MakeSampleTree());
  TBytes WrongHeader = Good;
  WrongHeader[1] = 'f';
  TBytes HugeOrder;
  {
    TByteWriter W;
    W.BerString("$$$F");
    W.Ber(0);
    W.Ber(0x7FFFFFFF);  // a tree order longer than the file
    HugeOrder = W.Take();
  }
  for (const TBytes& File : {WrongHeader, TBytes(Good.begin(), Good.end() - 1), HugeOrder}) {
    TLcfMapTree Tree;
    EXPECT_THROW(LoadBytes(Tree, File), EReadError);
    EXPECT_EQ(Tree.Count(), 0u);
  }
}

TEST(MapTree, LoadsFromTheGameFolder) {
  TTestFolder Game;
  const TBytes File = SavedBytes(MakeSampleTree());
  Game.Write("Data/$$$.f", std::string(File.begin(), File.end()));
  TLcfMapTree Tree;
  Tree.Load(TGameFolder(Game.Path().string()));
  EXPECT_EQ(Tree.Count(), 5u);
  TTestFolder Empty;
  try {
    Tree.Load(TGameFolder(Empty.Path().string()));
    FAIL();
  } catch (const EFileError& E) {
    EXPECT_EQ(std::string(E.what()), "Cannot open file " + Empty.Path().string() + "/data/$$$.F");
  }
}

}  // namespace
