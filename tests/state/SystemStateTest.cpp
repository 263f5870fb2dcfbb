#include "state/LGD_System.h"

#include <gtest/gtest.h>

#include "CodecBytes.h"
#include "RecordingAudio.h"
#include "TestFolder.h"

namespace {

struct SystemStateFixture : ::testing::Test {
  SystemStateFixture() : Folder(Root.Path().string() + "/"), System(Database, Audio, Folder) {
    Root.Write("data/town.mid", "MThd");
    Root.Write("data/Cursor.wav", "RIFF");
    Root.Write("data/Bell.wav", "RIFF");
    Audio.Take();
  }
  std::string File(const std::string& name) { return Root / ("data/" + name); }
  static TLcfMusic Music(const std::string& name, int32_t fadeIn, int32_t volume) {
    TLcfMusic music;
    music.Name = name;
    music.FadeIn = fadeIn;
    music.Volume = volume;
    return music;
  }

  TTestFolder Root;
  TLcfDataBase Database;
  TRecordingAudio Audio;
  TGameFolder Folder;
  TLcfgSystem System;
};

using Calls = std::vector<std::string>;

}  // namespace

TEST_F(SystemStateFixture, SwitchesGrowToTheHighestIdSetAndReadZeroOutside) {
  System.SetSwitch(500, 1);
  EXPECT_EQ(System.SwitchCount, 500);
  EXPECT_EQ(System.GetSwitch(499), 0);
  EXPECT_EQ(System.GetSwitch(500), 1);
  EXPECT_EQ(System.GetSwitch(501), 0);
  EXPECT_EQ(System.GetSwitch(0), 0);
  System.SetSwitch(0, 1);
  System.SetSwitch(-3, 1);
  EXPECT_EQ(System.SwitchCount, 500);

  TLcfgSystem loaded(Database, Audio, Folder);
  LoadBytes(loaded, SavedBytes(System));
  EXPECT_EQ(loaded.Switches.size(), 500u);
  EXPECT_EQ(loaded.GetSwitch(500), 1);
}

TEST_F(SystemStateFixture, VariablesHoldSigned32BitValues) {
  EXPECT_EQ(System.GetVariable(0), 0);
  EXPECT_EQ(System.GetVariable(1), 0);
  System.SetVariable(0, 5);
  EXPECT_EQ(System.VariableCount, 0);
  System.SetVariable(3, -123456789);
  EXPECT_EQ(System.VariableCount, 3);
  EXPECT_EQ(System.GetVariable(3), -123456789);
  EXPECT_EQ(System.GetVariable(4), 0);
  EXPECT_EQ(System.Variables.size(), 12u);
}

TEST_F(SystemStateFixture, TheSameMusicAgainOnlyChangesVolumeTempoAndBalance) {
  System.PlayMusic(Music("town", 1500, 80));
  EXPECT_EQ(Audio.Take(), (Calls{"PlayMusic " + File("town.mid"), "FadeInMusic 1500", "Volume 80",
                                 "Speed 100", "Panpot 50"}));
  System.PlayMusic(Music("town", 1500, 60));
  EXPECT_EQ(Audio.Take(), (Calls{"Volume 60", "Speed 100", "Panpot 50"}));
  System.PlayMusic(Music("town", 1500, 60), true);
  EXPECT_EQ(Audio.Take().front(), "PlayMusic " + File("town.mid"));

  System.FadeOutMusic(1000);
  System.FadeOutMusic(1000);  // already fading: nothing
  EXPECT_EQ(Audio.Take(), (Calls{"FadeOutMusic 1000"}));
  System.PlayMusic(Music("town", 0, 60));
  EXPECT_EQ(Audio.Take().front(), "PlayMusic " + File("town.mid"));

  System.PlayMusic(Music("(OFF)", 0, 100));
  EXPECT_EQ(Audio.Take(), (Calls{"StopMusic", "Volume 100", "Speed 100", "Panpot 50"}));
  EXPECT_EQ(System.CurrentMusic.Name, "(OFF)");
}

TEST_F(SystemStateFixture, AMissingMusicFileReachesTheLibraryAsAnEmptyPath) {
  System.PlayMusic(Music("../outside", 0, 100));
  EXPECT_EQ(Audio.Take().front(), "PlayMusic ");
}

TEST_F(SystemStateFixture, SoundsPlayUnlessOff) {
  TLcfSound bell;
  bell.Name = "bell";
  bell.Volume = 70;
  bell.Tempo = 120;
  bell.Balance = 30;
  System.PlaySound(bell);
  EXPECT_EQ(Audio.Take(), (Calls{"PlaySound " + File("Bell.wav") + " 70 120 30"}));
  System.PlaySound(TLcfSound());
  EXPECT_TRUE(Audio.Take().empty());
}

TEST_F(SystemStateFixture, OverridesEqualToTheDatabaseAreEmptied) {
  TLcfMusic battle = Database.System.Music(ESystemMusic::Battle);
  System.SetSystemMusic(TLcfgSystem::EMusicSlot::Battle, Music("town", 0, 100));
  EXPECT_EQ(System.GetSystemMusic(TLcfgSystem::EMusicSlot::Battle).Name, "town");
  System.SetSystemMusic(TLcfgSystem::EMusicSlot::Battle, battle);
  EXPECT_EQ(System.MusicOverrides[1].Name, "");
  // With no override the database's music stays in force, even when it changes later.
  Database.System.Musics[1].Name = "newbattle";
  EXPECT_EQ(System.GetSystemMusic(TLcfgSystem::EMusicSlot::Battle).Name, "newbattle");

  System.SetTransition(ESystemTransition::TeleportErase, 7);
  EXPECT_EQ(System.GetTransition(ESystemTransition::TeleportErase), 7);
  System.SetTransition(ESystemTransition::TeleportErase, Database.System.Transition(ESystemTransition::TeleportErase));
  EXPECT_EQ(System.TransitionOverrides[0], TLcfgSystem::NoTransitionOverride);

  System.SetSkin("Blue", 1, 1);
  EXPECT_EQ(System.SkinFile(), "Blue");
  EXPECT_EQ(System.SkinTilingInForce(), 1);
  System.SetSkin(Database.System.SystemGraphic, Database.System.WindowTiling, Database.System.FontStyle);
  EXPECT_EQ(System.SkinName, "");
  EXPECT_EQ(System.SkinTiling, 0);
}

TEST_F(SystemStateFixture, ChangingAReservedSystemSoundCancelsTheOldFile) {
  TLcfSound cursor;
  cursor.Name = "cursor";
  System.SetSystemSound(ESystemSound::Cursor, cursor);
  EXPECT_EQ(Audio.Take(), (Calls{"Cancel ", "Reserve " + File("Cursor.wav")}));
  TLcfSound bell;
  bell.Name = "Bell";
  System.SetSystemSound(ESystemSound::ItemUse, bell);
  EXPECT_TRUE(Audio.Take().empty());
  EXPECT_EQ(System.GetSystemSound(ESystemSound::ItemUse).Name, "Bell");
}

TEST_F(SystemStateFixture, ClearRestoresTheStartValuesAndReservesTheSystemSounds) {
  System.SceneId = 3;
  System.SetSwitch(4, 1);
  System.MessagePosition = 0;
  System.TeleportAllowed = 0;
  System.SoundOverrides[2].Name = "x";
  System.Clear();
  EXPECT_EQ(System.SceneId, 0);
  EXPECT_EQ(System.SwitchCount, 0);
  EXPECT_EQ(System.MessagePosition, 2);
  EXPECT_EQ(System.MessageAvoidPlayer, 1);
  EXPECT_EQ(System.TeleportAllowed, 1);
  EXPECT_EQ(System.LastSaveSlot, 1);
  EXPECT_EQ(System.SoundOverrides[2].Name, "");
  EXPECT_EQ(System.CurrentMusic.Name, "(OFF)");
  EXPECT_EQ(System.TransitionOverrides[5], TLcfgSystem::NoTransitionOverride);
  EXPECT_EQ(Audio.Take().size(), 4u);  // cursor, decision, cancel, buzzer
}

TEST_F(SystemStateFixture, SaveRoundTripKeepsEmptyOverridesAndSettlesDamagedCounts) {
  System.SetVariable(2, 77);
  System.SetSystemMusic(TLcfgSystem::EMusicSlot::Inn, Music("(OFF)", 0, 90));
  System.FaceName = "missing-face";  // a face that is not there shows none
  System.ScriptMessage = 1;

  TLcfgSystem loaded(Database, Audio, Folder);
  LoadBytes(loaded, SavedBytes(System));
  EXPECT_EQ(loaded.GetVariable(2), 77);
  EXPECT_EQ(loaded.MusicOverrides[3].Name, "(OFF)");  // an override with silence
  EXPECT_EQ(loaded.MusicOverrides[0].Name, "");       // no override
  EXPECT_EQ(loaded.FaceName, "missing-face");
  EXPECT_TRUE(loaded.FaceShown());

  // A count that claims more than its bytes hold keeps only what is there.
  TByteWriter damaged;
  damaged.Ber(31);
  WriteBerInt(damaged, 1000000, true);
  damaged.Ber(32);
  damaged.Ber(2);
  damaged.Byte(1);
  damaged.Byte(0);
  damaged.Ber(0);
  TByteReader damagedIn(damaged.Buffer());
  loaded.LoadFromStream(damagedIn);
  EXPECT_EQ(loaded.SwitchCount, 2);
  EXPECT_EQ(loaded.GetSwitch(1), 1);
  EXPECT_EQ(loaded.GetSwitch(3), 0);
}
