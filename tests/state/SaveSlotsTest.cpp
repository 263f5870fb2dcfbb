#include "state/SaveData.h"

#include <gtest/gtest.h>

#include <cstring>

#include "CodecBytes.h"
#include "SaveFiles.h"
#include "TestFolder.h"

namespace {

TLcfgSaveHeader HeaderOfTwo() {
  TLcfgSaveHeader Header;
  Header.Clear();
  Header.SaveTime = 46000.5;
  Header.LeaderName = "Ayla";
  Header.LeaderLevel = 7;
  Header.LeaderHp = 88;
  Header.FaceNames[0] = "Faces", Header.FaceIndexes[0] = 2;
  Header.FaceNames[1] = "Faces", Header.FaceIndexes[1] = 5;
  return Header;
}

struct SaveSlotsFixture : ::testing::Test {
  TTestFolder Game;
  TSaveSlots Slots{{Game.Path().string() + "/", "MyGame", false}};
};

}  // namespace

TEST(SaveHeaderTest, APartyOfTwoWritesNoFacesForMembersThreeAndFour) {
  const TBytes Bytes = SavedBytes(HeaderOfTwo());
  TByteReader In(Bytes);
  std::vector<uint32_t> Chunks;
  for (uint32_t Id = In.Ber(); Id != 0; Id = In.Ber()) {
    Chunks.push_back(Id);
    In.Sub(In.Ber());
  }
  EXPECT_EQ(Chunks, (std::vector<uint32_t>{1, 11, 12, 13, 21, 22, 23, 24}));

  TLcfgSaveHeader Read;
  Read.Clear();
  LoadBytes(Read, Bytes);
  EXPECT_DOUBLE_EQ(Read.SaveTime, 46000.5);
  EXPECT_EQ(Read.LeaderName, "Ayla");
  EXPECT_EQ(Read.FaceOf(1), "Faces");
  EXPECT_EQ(Read.FaceIndexOf(1), 5);
  for (int32_t Member : {2, 3, -1, 4}) {
    EXPECT_EQ(Read.FaceOf(Member), "") << Member;
    EXPECT_EQ(Read.FaceIndexOf(Member), 0) << Member;
  }
}

TEST(SaveSlotsTest, SlotFilesAreNamedWithTwoDigits) {
  EXPECT_EQ(TSaveSlots::SlotFileName(3), "Save03.lsd");
  EXPECT_EQ(TSaveSlots::SlotFileName(15), "Save15.lsd");
  TSaveSlots InGame({"/games/quest/", "quest", false});
  EXPECT_EQ(InGame.SlotPath(1), "/games/quest/Save01.lsd");
}

TEST(SaveSlotsTest, AGameInstalledReadOnlySavesInTheUsersFolderWithoutCreatingIt) {
  TTestFolder Home;
  TScopedEnv Data("XDG_DATA_HOME", Home.Path().c_str());
  TSaveSlots ReadOnly({"/usr/share/games/quest/", "quest", true});
  EXPECT_EQ(ReadOnly.SlotPath(2), Home / "tessera/quest/Save02.lsd");
  EXPECT_FALSE(ReadOnly.FindSlotFile(2));
  EXPECT_FALSE(std::filesystem::exists(Home / "tessera"));
}

TEST_F(SaveSlotsFixture, ReadsTheHeaderOfAGoodSaveAndPassesOverOtherSections) {
  Game.Write("Save01.lsd", SaveFileBytes(HeaderOfTwo()));
  // Sections before the header are not the program's own layout, but must not stop the read.
  Game.Write("Save02.lsd", SaveFileBytes(HeaderOfTwo(), {101, 99}));
  // Games copied from Windows may carry upper-case names.
  Game.Write("SAVE03.LSD", SaveFileBytes(HeaderOfTwo()));
  for (int32_t Slot : {1, 2, 3}) {
    TLcfgSaveHeader Header;
    ASSERT_TRUE(Slots.ReadHeader(Slot, Header)) << Slot;
    EXPECT_TRUE(Header.Used());
    EXPECT_EQ(Header.LeaderName, "Ayla");
    EXPECT_EQ(Header.LeaderHp, 88);
  }
}

TEST_F(SaveSlotsFixture, ADamagedOrMissingSlotReadsAsEmptyWithoutRaising) {
  const std::string Good = SaveFileBytes(HeaderOfTwo());
  struct Case {
    const char* Name;
    std::string Bytes;
  } Cases[] = {
      {"empty file", ""},
      {"wrong header", "\x0bLcfSaveDatb" + Good.substr(12)},
      {"cut inside the header section", Good.substr(0, 20)},
      {"section longer than the file", std::string("\x0bLcfSaveData\x64\x7f", 14)},
  };
  for (const Case& C : Cases) {
    Game.Write("Save05.lsd", C.Bytes);
    TLcfgSaveHeader Header;
    Header.LeaderName = "stale";
    EXPECT_FALSE(Slots.ReadHeader(5, Header)) << C.Name;
    EXPECT_FALSE(Header.Used()) << C.Name;
  }
  TLcfgSaveHeader Header;
  EXPECT_FALSE(Slots.ReadHeader(6, Header));
  EXPECT_EQ(Header.LeaderName, "");
}

TEST_F(SaveSlotsFixture, TheFirstUsedSlotSkipsEmptyAndDamagedOnes) {
  EXPECT_EQ(Slots.FirstUsedSlot(), 0);
  TLcfgSaveHeader Unsaved;
  Unsaved.Clear();
  Game.Write("Save01.lsd", SaveFileBytes(Unsaved));
  Game.Write("Save02.lsd", "garbage");
  Game.Write("Save09.lsd", SaveFileBytes(HeaderOfTwo()));
  Game.Write("Save16.lsd", SaveFileBytes(HeaderOfTwo()));
  EXPECT_EQ(Slots.FirstUsedSlot(), 9);
}
