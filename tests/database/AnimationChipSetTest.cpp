// Battle animations and chipsets: lists read back from writer-made records, the defaults of
// absent chunks, the table sizes that are read, tile indices and the fixed messages.
#include "CodecBytes.h"
#include "database/LD_Animation.h"
#include "database/LD_ChipSet.h"
#include "database/LD_DataBase.h"

#include <gtest/gtest.h>

namespace {

// Chunks given as (id, payload) pairs, then the closing 0.
TBytes Record(std::initializer_list<std::pair<uint32_t, TBytes>> Chunks) {
  TByteWriter W;
  for (const auto& [Id, Payload] : Chunks) W.Ber(Id), W.Ber(uint32_t(Payload.size())), W.Bytes(Payload);
  W.Ber(0);
  return W.Take();
}

template <class List>
std::string MissingMessage(const List& L, int32_t Id) {
  try {
    L.ItemById(Id);
  } catch (const ELcfError& E) {
    return E.what();
  }
  return "";
}

TLcfAnimation MakeAnimations() {
  TLcfAnimation List;
  TLcfAnimationItem& Slash = List.GetOrCreate(1);
  Slash.Name = "Slash";
  Slash.GraphicName = "Swords";
  Slash.Scope = AnimationOnScreen;
  Slash.Position = AnimationMiddle;
  Slash.Frames.Clear();
  for (int F = 0; F < 8; ++F) Slash.Frames.Append();
  TLcfAnimationCellItem& Cell = Slash.Frames.ItemById(2).Cells.Append();
  Cell.Pattern = 4;
  Cell.X = -48;
  Cell.Y = 12;
  Cell.Zoom = 150;
  Cell.Saturation = 0;
  Cell.Transparency = 30;
  Slash.Frames.ItemById(2).Cells.Append().Visible = 0;
  TLcfAnimationTimingItem& Hit = Slash.Timings.Append();
  Hit.Frame = 3;
  Hit.Sound.Name = "Hit";
  Hit.Sound.Volume = 80;
  Hit.FlashScope = FlashScreen;
  Hit.FlashRed = 0;
  Hit.FlashLevel = 20;
  Hit.Reserved8 = 6;
  List.GetOrCreate(2).Name = "Fire";
  return List;
}

TEST(Animation, ListsReadBackFromTheWriter) {
  TLcfAnimation List;
  LoadBytes(List, SavedBytes(MakeAnimations()));
  ASSERT_EQ(List.Count(), 2u);
  const TLcfAnimationItem& Slash = List.ItemById(1);
  EXPECT_EQ(Slash.GraphicName, "Swords");
  EXPECT_EQ(Slash.Scope, AnimationOnScreen);
  EXPECT_EQ(Slash.Position, AnimationMiddle);
  EXPECT_EQ(Slash.FrameCount(), 8u);
  const TLcfAnimationCell& Cells = Slash.Frames.ItemById(2).Cells;
  ASSERT_EQ(Cells.Count(), 2u);
  EXPECT_EQ(Cells.ItemAt(0)->X, -48);
  EXPECT_EQ(Cells.ItemAt(0)->Zoom, 150);
  EXPECT_EQ(Cells.ItemAt(0)->Saturation, 0);
  EXPECT_EQ(Cells.ItemAt(0)->Transparency, 30);
  EXPECT_EQ(Cells.ItemAt(1)->Visible, 0);
  EXPECT_EQ(Cells.ItemAt(2), nullptr);  // the players' lists answer nothing past the end
  const TLcfAnimationTimingItem& Hit = *Slash.Timings.ItemAt(0);
  EXPECT_EQ(Hit.Frame, 3);
  EXPECT_EQ(Hit.Sound.Name, "Hit");
  EXPECT_EQ(Hit.Sound.Volume, 80);
  EXPECT_EQ(Hit.FlashScope, FlashScreen);
  EXPECT_EQ(Hit.FlashRed, 0);
  EXPECT_EQ(Hit.FlashGreen, 31);
  EXPECT_EQ(Hit.FlashLevel, 20);
  EXPECT_EQ(Hit.Reserved8, 6);
  EXPECT_EQ(List.ItemById(2).FrameCount(), 20u);
  EXPECT_EQ(SavedBytes(List), SavedBytes(MakeAnimations()));
}

TEST(Animation, AbsentChunksGiveTheDefaults) {
  TLcfAnimationItem Animation;
  LoadBytes(Animation, Record({}));
  EXPECT_EQ(Animation.FrameCount(), 20u);
  EXPECT_EQ(Animation.Frames.ItemAt(19)->Cells.Count(), 0u);
  EXPECT_EQ(Animation.Frames.ItemAt(19)->Id, 20);
  EXPECT_EQ(Animation.Timings.Count(), 0u);
  EXPECT_EQ(Animation.Scope, 0);
  EXPECT_EQ(Animation.Position, 2);
  TLcfAnimationTimingItem Timing;
  LoadBytes(Timing, Record({}));
  EXPECT_EQ(Timing.Sound, TLcfSound{});
  EXPECT_EQ(Timing.FlashBlue, 31);
  EXPECT_EQ(Timing.FlashLevel, 31);
  TLcfAnimationCellItem Cell;
  LoadBytes(Cell, Record({{1, {0, 0}}}));  // a two-byte "visible" chunk is ignored
  EXPECT_EQ(Cell.Visible, 1);
  EXPECT_EQ(Cell.Red, 100);
  EXPECT_EQ(Cell.Transparency, 0);
  // A file's frame list replaces the twenty new frames entirely, even when it is empty.
  LoadBytes(Animation, Record({{12, {0}}}));
  EXPECT_EQ(Animation.FrameCount(), 0u);
}

TEST(Animation, MissingAnimationsHaveTheirMessage) {
  const TLcfAnimation List = MakeAnimations();
  EXPECT_EQ(MissingMessage(List, 3), "Invalid Name Of Battle Animations");
  EXPECT_THROW(List.ItemAt(2), ELcfError);
  EXPECT_EQ(List.ItemAt(1).Name, "Fire");
}

TEST(ChipSet, TileIndexFollowsTheTileRanges) {
  const std::pair<int32_t, int32_t> Cases[] = {
      {0, 0},      {2999, 2},   {3000, 3},   {3049, 3},  {3100, 5},   {4000, 6},    {4599, 17},
      {5000, 18},  {5143, 161}, {5144, 162}, {9999, 5017}, {10000, 0}, {10143, 143}, {10500, 143},
  };
  for (const auto& [Tile, Index] : Cases) EXPECT_EQ(TLcfChipSetItem::TileIndex(Tile), Index) << Tile;
}

TEST(ChipSet, LookupsOutsideTheTablesAnswerZero) {
  TLcfChipSetItem Chips;
  EXPECT_EQ(Chips.TerrainOf(5144), 0);
  EXPECT_EQ(Chips.LowerFlagsOf(5144), 0);
  EXPECT_EQ(Chips.TerrainOf(-5000), 0);
  EXPECT_EQ(Chips.UpperFlagsAt(144), 0);
  EXPECT_EQ(Chips.TerrainOf(5143), 1);
  EXPECT_EQ(Chips.LowerFlagsOf(0), 0x0F);
  EXPECT_EQ(Chips.UpperFlagsOf(10000), 0x1F);
  EXPECT_EQ(Chips.UpperFlagsOf(10001), 0x0F);
}

TEST(ChipSet, TablesReadBackAndOnlyFromChunksOfTheirSize) {
  TLcfChipSet List;
  TLcfChipSetItem& Town = List.GetOrCreate(1);
  Town.Name = "Town";
  Town.GraphicName = "TownTiles";
  Town.Terrain[18] = 513;  // both bytes matter
  Town.LowerFlags[161] = ChipEdge | ChipPassUp;
  Town.UpperFlags[143] = ChipCounter;
  Town.AnimationType = 1;
  Town.AnimationSpeed = 1;
  TLcfChipSet Back;
  LoadBytes(Back, SavedBytes(List));
  const TLcfChipSetItem& T = Back.ItemById(1);
  EXPECT_EQ(T.GraphicName, "TownTiles");
  EXPECT_EQ(T.TerrainOf(5000), 513);
  EXPECT_EQ(T.LowerFlagsOf(5143), 0x28);
  EXPECT_EQ(T.UpperFlagsOf(10143), ChipCounter);
  EXPECT_EQ(T.AnimationType, 1);
  EXPECT_EQ(T.AnimationSpeed, 1);
  EXPECT_EQ(SavedBytes(Back), SavedBytes(List));

  TLcfChipSetItem Short;
  LoadBytes(Short, Record({{3, TBytes(323, 0)}, {4, TBytes(161, 0)}, {5, TBytes(145, 0)}}));
  EXPECT_EQ(Short.TerrainAt(0), 1);
  EXPECT_EQ(Short.LowerFlagsAt(160), 0x0F);
  EXPECT_EQ(Short.UpperFlagsAt(0), 0x1F);
  TBytes Terrain(324, 0);
  Terrain[2] = 7;
  TLcfChipSetItem Exact;
  LoadBytes(Exact, Record({{3, Terrain}, {4, TBytes(162, 0x44)}}));
  EXPECT_EQ(Exact.TerrainAt(1), 7);
  EXPECT_EQ(Exact.LowerFlagsAt(0), 0x44);
  EXPECT_EQ(Exact.UpperFlagsOf(10000), 0x1F);  // no chunk 5: the defaults
  EXPECT_EQ(Exact.UpperFlagsOf(10001), 0x0F);
}

TEST(ChipSet, MissingChipSetsHaveTheirMessage) {
  TLcfChipSet List;
  List.GetOrCreate(1);
  EXPECT_EQ(MissingMessage(List, 2), "Invalid ChipSet Name");
  EXPECT_EQ(MissingMessage(List, 0), "Invalid ChipSet Name");
}

TEST(AnimationChipSetSections, TheDataBaseReadsAndResetsThem) {
  TLcfDataBase DB;
  EXPECT_EQ(DB.Animations.Count(), 1u);
  EXPECT_EQ(DB.Animations.ItemById(1).FrameCount(), 20u);
  EXPECT_EQ(DB.ChipSets.Count(), 1u);
  EXPECT_EQ(DB.ChipSets.ItemById(1).UpperFlagsOf(10000), 0x1F);
  DB.Animations = MakeAnimations();
  DB.ChipSets.GetOrCreate(3).Name = "Cave";
  TLcfDataBase Back;
  LoadBytes(Back, SavedBytes(DB));
  EXPECT_EQ(Back.Animations.ItemById(1).FrameCount(), 8u);
  EXPECT_EQ(Back.ChipSets.ItemById(3).Name, "Cave");
  // A file without the sections keeps one cleared item in each.
  TByteWriter HeaderOnly;
  HeaderOnly.BerString("$$$B");
  LoadBytes(Back, HeaderOnly.Take());
  EXPECT_EQ(Back.Animations.Count(), 1u);
  EXPECT_EQ(Back.ChipSets.ItemById(1).Name, "");
}

}  // namespace
