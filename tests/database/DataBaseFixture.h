// A small database built with the project's own writer, shared by the database tests.
#pragma once

#include "BattleListsFixture.h"
#include "CodecBytes.h"
#include "database/LD_DataBase.h"

inline TLcfDataBase MakeSampleDataBase() {
  TLcfDataBase DB;
  DB.System.TitlePicture = "Title";
  DB.System.SystemGraphic = "\x83\x56\x83\x58\x83\x65\x83\x80";  // a CP932 name
  DB.System.PartySize = 2;
  DB.System.PartyIds = {3, 0, 1, 1};  // actors 3 and 257
  DB.System.Musics[size_t(ESystemMusic::Battle)].Name = "Battle1";
  DB.System.Musics[size_t(ESystemMusic::Battle)].Tempo = 120;
  DB.System.Sounds[size_t(ESystemSound::Buzzer)].Name = "Buzz";
  DB.System.Transitions[2] = 7;
  DB.System.TestParty.Append().Level = 12;
  DB.System.SaveCount = 300;
  DB.Vocabulary.EnemyAppears = " appears!";
  DB.Vocabulary.Shops[2].ShopSold = "Thanks";
  DB.Vocabulary.Inns[1].InnCancel = "No";
  DB.Vocabulary.Currency = "G";
  DB.Switches.GetOrCreate(1).Name = "Door open";
  DB.Switches.GetOrCreate(2).Name = "";
  DB.Variables.GetOrCreate(3).Name = "Counter";
  AddSampleBattleLists(DB);
  TLcfCommonEventItem& E = DB.CommonEvents.GetOrCreate(1);
  E.Name = "Heal";
  E.Trigger = CommonParallel;
  E.UseSwitch = 1;
  E.SwitchId = 4;
  E.Script.Items = {{10110, 0, "Hello", {}}, {11510, 1, "", {1, -1, 300}}, {0, 0, "", {}}};
  return DB;
}

