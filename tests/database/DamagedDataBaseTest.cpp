// Every truncation and every single-byte change of a valid database ends in a clear error or a
// valid database: never a crash, a read past the end or a runaway allocation.
#include "DataBaseFixture.h"

#include <gtest/gtest.h>

namespace {

// Loads Bytes; a load that succeeds must give a database that saves and reloads to itself.
void ExpectErrorOrValid(const TBytes& Bytes, const std::string& What) {
  TLcfDataBase DB;
  try {
    LoadDataBase(DB, Bytes);
  } catch (const EReadError& E) {
    EXPECT_STREQ(E.what(), "Stream read error") << What;
    return;
  }
  const TBytes Saved = SaveDataBase(DB);
  TLcfDataBase Again;
  LoadDataBase(Again, Saved);
  EXPECT_EQ(SaveDataBase(Again), Saved) << What;
}

TEST(DamagedDataBase, EveryTruncation) {
  const TBytes File = SaveDataBase(MakeSampleDataBase());
  for (size_t N = 0; N < File.size(); ++N)
    ExpectErrorOrValid(TBytes(File.begin(), File.begin() + long(N)), "cut at " + std::to_string(N));
}

TEST(DamagedDataBase, EveryByteChanged) {
  const TBytes File = SaveDataBase(MakeSampleDataBase());
  for (size_t I = 0; I < File.size(); ++I)
    for (uint8_t Mask : {0xFF, 0x80, 0x01}) {
      TBytes Damaged = File;
      Damaged[I] ^= Mask;
      ExpectErrorOrValid(Damaged, "byte " + std::to_string(I) + " ^ " + std::to_string(Mask));
    }
}

}  // namespace
