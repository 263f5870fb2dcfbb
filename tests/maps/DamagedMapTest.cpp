// Every truncation and every single-byte change of a valid map unit and map tree ends in a clear
// error or a valid file: never a crash, a read past the end or a runaway allocation.
#include "MapFixtures.h"

#include <gtest/gtest.h>

namespace {

// A smaller sample than the others: every byte of it is damaged three ways.
TBytes SmallMapFile() {
  TLcfMap Map = MakeSampleMap();
  Map.SetSize(6, 4);
  return Map.SaveToBytes();
}

template <class Load, class Save>
void ExpectErrorOrValid(const TBytes& Bytes, const std::string& What, Load&& LoadFn, Save&& SaveFn) {
  TBytes Saved;
  try {
    Saved = SaveFn(LoadFn(Bytes));
  } catch (const EReadError& E) {
    EXPECT_STREQ(E.what(), "Stream read error") << What;
    return;
  } catch (const ELcfError& E) {
    EXPECT_STREQ(E.what(), "Invalid Map") << What;  // a tree order naming a missing map
    return;
  }
  // A few fields clear to another value than the one left unwritten (a page condition's actor,
  // an encounter's troop): a 0 there is written as nothing and reads back as 1, so the written
  // form settles after one reload.
  const TBytes Settled = SaveFn(LoadFn(Saved));
  EXPECT_EQ(SaveFn(LoadFn(Settled)), Settled) << What;
}

const auto LoadMap = [](const TBytes& B) {
  auto Map = std::make_unique<TLcfMap>();
  Map->LoadFromBytes(B);
  return Map;
};
const auto SaveMap = [](const std::unique_ptr<TLcfMap>& Map) { return Map->SaveToBytes(); };
const auto LoadTreeFile = [](const TBytes& B) {
  auto Tree = std::make_unique<TLcfMapTree>();
  LoadBytes(*Tree, B);
  return Tree;
};
const auto SaveTreeFile = [](const std::unique_ptr<TLcfMapTree>& Tree) { return SavedBytes(*Tree); };

template <class Load, class Save>
void DamageEveryWay(const TBytes& File, Load&& LoadFn, Save&& SaveFn) {
  for (size_t N = 0; N < File.size(); ++N)
    ExpectErrorOrValid(TBytes(File.begin(), File.begin() + long(N)), "cut at " + std::to_string(N), LoadFn, SaveFn);
  for (size_t I = 0; I < File.size(); ++I)
    for (uint8_t Mask : {0xFF, 0x80, 0x01}) {
      TBytes Damaged = File;
      Damaged[I] ^= Mask;
      ExpectErrorOrValid(Damaged, "byte " + std::to_string(I) + " ^ " + std::to_string(Mask), LoadFn, SaveFn);
    }
}

TEST(DamagedMap, EveryTruncationAndEveryByteChanged) { DamageEveryWay(SmallMapFile(), LoadMap, SaveMap); }

TEST(DamagedMapTree, EveryTruncationAndEveryByteChanged) {
  DamageEveryWay(SavedBytes(MakeSampleTree()), LoadTreeFile, SaveTreeFile);
}

}  // namespace
