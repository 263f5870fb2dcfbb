// Every truncation and every single-byte change of a valid database ends in a clear error or a
// valid database: never a crash, a read past the end or a runaway allocation.
#include "DataBaseFixture.h"

#include <gtest/gtest.h>

namespace {

// Loads Bytes; a load that succeeds must give a database that saves and reloads to itself.
void ExpectErrorOrValid(const TBytes& Bytes, const std::string& What) {
  TLcfDataBase DB;
  try {
    LoadBytes(DB, Bytes);
  } catch (const EReadError& E) {
    EXPECT_STREQ(E.what(), "Stream read error") << What;
    return;
  }
  const TBytes Saved = SavedBytes(DB);
  TLcfDataBase Again;
  LoadBytes(Again, Saved);
  EXPECT_EQ(SavedBytes(Again), Saved) << What;
}

// The damage tests are only as good as their file: it must hold real records in every list
// with nested lists, sets, rank tables and scripts, not the reset database's single defaults.
TEST(DamagedDataBase, SampleHoldsEveryBattleList) {
  const TLcfDataBase DB = MakeSampleDataBase();
  EXPECT_FALSE(DB.Actors.ItemById(1).Learning.Empty());
  EXPECT_FALSE(DB.Actors.ItemById(1).StateRanks.empty());
  EXPECT_GT(DB.Skills.Count(), 1u);
  EXPECT_FALSE(DB.Items.ItemById(1).ActorSet.empty());
  EXPECT_GT(DB.Enemies.ItemById(1).Actions.Count(), 1u);
  EXPECT_GT(DB.Troops.ItemById(1).Pages.Count(), 1u);
  EXPECT_GT(DB.Troops.ItemById(1).Members.Count(), 1u);
  EXPECT_GT(DB.Terrains.Count(), 1u);
  EXPECT_GT(DB.Attributes.Count(), 1u);
  EXPECT_GT(DB.States.Count(), 1u);
}

TEST(DamagedDataBase, EveryTruncation) {
  const TBytes File = SavedBytes(MakeSampleDataBase());
  for (size_t N = 0; N < File.size(); ++N)
    ExpectErrorOrValid(TBytes(File.begin(), File.begin() + long(N)), "cut at " + std::to_string(N));
}

TEST(DamagedDataBase, EveryByteChanged) {
  const TBytes File = SavedBytes(MakeSampleDataBase());
  for (size_t I = 0; I < File.size(); ++I)
    for (uint8_t Mask : {0xFF, 0x80, 0x01}) {
      TBytes Damaged = File;
      Damaged[I] ^= Mask;
      ExpectErrorOrValid(Damaged, "byte " + std::to_string(I) + " ^ " + std::to_string(Mask));
    }
}

}  // namespace
