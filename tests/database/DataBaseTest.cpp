// The database container and the system, vocabulary, switch, variable and event records.
#include "DataBaseFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TBytes Hex(std::initializer_list<int> Values) {
  TBytes B;
  for (int V : Values) B.push_back(uint8_t(V));
  return B;
}

TBytes HeaderOnly() { return Hex({0x04, '$', '$', '$', 'B'}); }

TEST(DataBase, SampleReadsBackFieldForField) {
  const TLcfDataBase Source = MakeSampleDataBase();
  TLcfDataBase DB;
  LoadBytes(DB, SavedBytes(Source));
  EXPECT_EQ(DB.System.TitlePicture, "Title");
  EXPECT_EQ(DB.System.SystemGraphic, Source.System.SystemGraphic);
  EXPECT_EQ(DB.System.PartyMember(0), 3);
  EXPECT_EQ(DB.System.PartyMember(1), 257);
  EXPECT_EQ(DB.System.PartyMember(2), 0);
  EXPECT_EQ(DB.System.Music(ESystemMusic::Battle).Name, "Battle1");
  EXPECT_EQ(DB.System.Music(ESystemMusic::Battle).Tempo, 120);
  EXPECT_EQ(DB.System.Music(ESystemMusic::Battle).Volume, 100);
  EXPECT_EQ(DB.System.Sound(ESystemSound::Buzzer).Name, "Buzz");
  EXPECT_EQ(DB.System.Transition(ESystemTransition::BattleStartErase), 7);
  ASSERT_EQ(DB.System.TestParty.Count(), 1u);
  EXPECT_EQ(DB.System.TestParty.Items(0)->Level, 12);
  EXPECT_EQ(DB.System.SaveCount, 300);
  EXPECT_EQ(DB.Vocabulary.EnemyAppears, " appears!");
  EXPECT_EQ(DB.Vocabulary.ShopTexts(2)->ShopSold, "Thanks");
  EXPECT_EQ(DB.Vocabulary.InnTexts(1)->InnCancel, "No");
  EXPECT_EQ(DB.Vocabulary.ShopTexts(3), nullptr);
  EXPECT_EQ(DB.Vocabulary.InnTexts(2), nullptr);
  EXPECT_EQ(DB.Switches.Get(1).Name, "Door open");
  EXPECT_EQ(DB.Switches.Count(), 2u);
  EXPECT_EQ(DB.Variables.Get(3).Name, "Counter");
  EXPECT_EQ(DB.Actors.ItemById(1).Name, "Alex");
  const TLcfCommonEventItem& E = DB.CommonEvents.ItemById(1);
  EXPECT_EQ(E.Name, "Heal");
  EXPECT_EQ(E.Trigger, CommonParallel);
  EXPECT_EQ(E.UseSwitch, 1);
  EXPECT_EQ(E.SwitchId, 4);
  EXPECT_EQ(E.Script, Source.CommonEvents.ItemById(1).Script);
  EXPECT_EQ(E.Script.Lines(1).Param(1), -1);
  EXPECT_EQ(E.Script.Lines(1).Param(5), 0);
  EXPECT_EQ(SavedBytes(DB), SavedBytes(Source));
}

TEST(DataBase, HeaderOnlyLoadsAsTheResetDatabase) {
  TLcfDataBase DB;
  LoadBytes(DB, SavedBytes(MakeSampleDataBase()));
  LoadBytes(DB, HeaderOnly());
  EXPECT_EQ(DB.Switches.Count(), 1u);
  EXPECT_EQ(DB.Switches.Items(0)->Id, 1);
  EXPECT_EQ(DB.Variables.Count(), 1u);
  ASSERT_EQ(DB.CommonEvents.Count(), 1u);
  EXPECT_EQ(DB.CommonEvents.Items(0)->Trigger, CommonCalled);
  EXPECT_EQ(DB.Actors.Count(), 1u);
  // Without section 22 the party is actor 1 alone and every system music and sound is off.
  EXPECT_EQ(DB.System.PartyMember(0), 1);
  EXPECT_EQ(DB.System.PartyMember(1), 0);
  for (const TLcfMusic& M : DB.System.Musics) EXPECT_EQ(M.Name, "(OFF)");
  for (const TLcfSound& S : DB.System.Sounds) EXPECT_EQ(S.Name, "(OFF)");
}

TEST(DataBase, SectionsInAnyOrderAndUnknownIdsSkipped) {
  // Section 22 (system with TitlePicture "T") before 23 (one switch "s"), with 26 and 10 between.
  TBytes B = HeaderOnly();
  const TBytes Tail = Hex({0x1A, 0x02, 0xAA, 0xBB,             // section 26
                           0x16, 0x04, 0x11, 0x01, 'T', 0x00,   // system
                           0x0A, 0x01, 0x00,                    // section 10
                           0x17, 0x05, 0x01, 0x01, 0x01, 0x01, 's'});
  B.insert(B.end(), Tail.begin(), Tail.end());
  // The switch record lacks its closing 0 inside its section: damage, not a read of the next.
  TLcfDataBase DB;
  EXPECT_THROW(LoadBytes(DB, B), EReadError);
  const TBytes Good = [] {
    TBytes G = HeaderOnly();
    const TBytes T = Hex({0x1A, 0x02, 0xAA, 0xBB, 0x16, 0x04, 0x11, 0x01, 'T', 0x00, 0x0A, 0x01, 0x00,
                          0x17, 0x06, 0x01, 0x01, 0x01, 0x01, 's', 0x00});
    G.insert(G.end(), T.begin(), T.end());
    return G;
  }();
  LoadBytes(DB, Good);
  EXPECT_EQ(DB.System.TitlePicture, "T");
  EXPECT_EQ(DB.Switches.Get(1).Name, "s");
}

TEST(DataBase, WrongHeadersAreStreamReadErrors) {
  const TBytes Cases[] = {Hex({0x04, '$', '$', '$', 'b'}), Hex({0x03, '$', '$', '$'}), Hex({}),
                          Hex({0x04, '$', '$', '$', 'B', 0x16, 0x09, 0x00})};
  for (const TBytes& B : Cases) {
    TLcfDataBase DB;
    DB.Switches.GetOrCreate(5);
    try {
      LoadBytes(DB, B);
      FAIL();
    } catch (const EReadError& E) {
      EXPECT_STREQ(E.what(), "Stream read error");
    }
    EXPECT_EQ(DB.Switches.Count(), 1u);  // a failed load leaves the reset database
  }
}

TEST(DataBase, MissingFileNamesIt) {
  TLcfDataBase DB;
  try {
    DB.LoadFromFile("/nonexistent/data/$$$.B");
    FAIL();
  } catch (const EFileError& E) {
    EXPECT_STREQ(E.what(), "Cannot open file /nonexistent/data/$$$.B");
  }
}

TEST(DataBase, LookupsRaiseTheirFixedMessages) {
  const TLcfDataBase DB;
  const struct {
    std::function<void()> Lookup;
    const char* Message;
  } Cases[] = {
      {[&] { DB.Switches.Get(2); }, "Invalid Switch"},
      {[&] { DB.Variables.Get(0); }, "Invalid Variable"},
      {[&] { DB.CommonEvents.ItemById(9); }, "Invalid Common Event"},
      {[&] { TLcfEventItem().Pages.ItemById(2); }, "Invalid Event Page"},
      {[&] { TLcfEvent().ItemAt(0); }, "Invalid Event Name"},
  };
  for (const auto& C : Cases) {
    try {
      C.Lookup();
      ADD_FAILURE() << C.Message;
    } catch (const ELcfError& E) {
      EXPECT_STREQ(E.what(), C.Message);
    }
  }
}

TEST(System, PartyIdsLongerThanPartySizeCountOnlyPartySize) {
  // PartySize 2 and six bytes of ids 5, 6, 7.
  const TBytes B = Hex({0x15, 0x01, 0x02, 0x16, 0x06, 5, 0, 6, 0, 7, 0, 0x00});
  TLcfSystem S;
  TByteReader In(B);
  S.LoadFromStream(In);
  EXPECT_EQ(S.PartyIds.size(), 6u);
  EXPECT_EQ(S.PartyMember(1), 6);
  EXPECT_EQ(S.PartyMember(2), 0);
  // PartySize 3 with only one stored id: the missing ones are 0, and writing never invents them.
  S.PartySize = 3;
  S.PartyIds = {9, 0};
  EXPECT_EQ(S.PartyMember(1), 0);
  TByteWriter W;
  S.SaveToStream(W);
  TLcfSystem R;
  TByteReader Back(W.Buffer());
  R.LoadFromStream(Back);
  EXPECT_EQ(R.PartyIds, (TBytes{9, 0}));
}

TEST(System, MusicChunkWithOnlyANameKeepsTheOtherDefaults) {
  // Chunk 31 holding a record with just the name "M".
  const TBytes B = Hex({0x1F, 0x04, 0x01, 0x01, 'M', 0x00, 0x00});
  TLcfSystem S;
  TByteReader In(B);
  S.LoadFromStream(In);
  const TLcfMusic& M = S.Music(ESystemMusic::Title);
  EXPECT_EQ(M.Name, "M");
  TLcfMusic Expected;
  Expected.Name = "M";
  EXPECT_EQ(M, Expected);
}

TEST(System, ClearedSystemWritesItsAlwaysWrittenChunks) {
  TLcfSystem S;
  S.Clear();
  TByteWriter W;
  S.SaveToStream(W);
  const TBytes& B = W.Buffer();
  // Starts with PartyIds (chunk 22, two bytes 01 00), then the title music: 1F 08 01 05 "(OFF)" 00.
  const TBytes Start = Hex({0x16, 0x02, 0x01, 0x00, 0x1F, 0x08, 0x01, 0x05, '(', 'O', 'F', 'F', ')', 0x00});
  ASSERT_GE(B.size(), Start.size());
  EXPECT_EQ(TBytes(B.begin(), B.begin() + long(Start.size())), Start);
}

TEST(Events, ConditionActorIdClearsToOneButWritesAgainstZero) {
  TLcfEventCondition C;
  C.Clear();
  EXPECT_EQ(C.ActorId, 1);
  TByteWriter W;
  C.SaveToStream(W);
  EXPECT_EQ(W.Buffer(), Hex({0x01, 0x01, 0x00, 0x07, 0x01, 0x01, 0x00}));
  const TBytes NoActor = Hex({0x00});
  TByteReader In(NoActor);
  C.LoadFromStream(In);
  EXPECT_EQ(C.ActorId, 1);
}

TEST(Events, PageWithoutScriptChunksHoldsTheEndLine) {
  TLcfEventPageItem P;
  const TBytes B = Hex({0x15, 0x01, 'c', 0x00});
  TByteReader In(B);
  P.LoadFromStream(In);
  ASSERT_EQ(P.Script.Count(), 1u);
  EXPECT_EQ(P.Script.Lines(0), TLcfEventScriptLine{});
  EXPECT_EQ(P.Direction, 2);
  EXPECT_EQ(P.MoveSpeed, 3);
  EXPECT_EQ(P.MoveRoute.Repeat, 1);
  // An empty script chunk decodes to no lines at all.
  const TBytes Empty = Hex({0x34, 0x00, 0x00});
  TByteReader E(Empty);
  P.LoadFromStream(E);
  EXPECT_EQ(P.Script.Count(), 0u);
}

TEST(Events, ScriptsCutShortAreStreamReadErrors) {
  // Chunk 52 holds code 10110, indent 0, a text claiming 5 bytes with 1 present.
  const TBytes B = Hex({0x34, 0x05, 0xCF, 0x0E, 0x00, 0x05, 'a', 0x00});
  TLcfEventPageItem P;
  TByteReader In(B);
  try {
    P.LoadFromStream(In);
    FAIL();
  } catch (const EReadError& E) {
    EXPECT_EQ(E.Path, "Script");
  }
  // A parameter count larger than the data.
  const TBytes C = Hex({0x34, 0x05, 0x01, 0x00, 0x00, 0x7F, 0x01, 0x00});
  TByteReader In2(C);
  EXPECT_THROW(P.LoadFromStream(In2), EReadError);
}

TEST(Events, EventWithoutPagesChunkHasOneDefaultPage) {
  TLcfEventItem E;
  const TBytes B = Hex({0x01, 0x01, 'e', 0x02, 0x01, 0x04, 0x00});
  TByteReader In(B);
  E.LoadFromStream(In);
  EXPECT_EQ(E.Name, "e");
  EXPECT_EQ(E.X, 4);
  ASSERT_EQ(E.Pages.Count(), 1u);
  EXPECT_EQ(E.Pages.Items(0)->Id, 1);
  EXPECT_EQ(E.Pages.Items(0)->Pattern, 1);
}

TEST(MoveRoute, DecodesCommandsWithTheirValues) {
  // Codes 0, 32 (switch 12), 3, 34 ("ab", 2), 35 ("c", 80, 100, 50).
  TLcfMoveRoute R;
  R.SetData(Hex({0x00, 0x20, 0x0C, 0x03, 0x22, 0x02, 'a', 'b', 0x02, 0x23, 0x01, 'c', 0x50, 0x64, 0x32}));
  ASSERT_EQ(R.CommandCount(), 5u);
  EXPECT_EQ(R.Command(1).IntParam, 12);
  EXPECT_EQ(R.Command(2).Code, 3);
  EXPECT_EQ(R.Command(3).SpriteName, "ab");
  EXPECT_EQ(R.Command(3).SpriteIndex, 2);
  EXPECT_EQ(R.Command(4).SoundName, "c");
  EXPECT_EQ(R.Command(4).Balance, 50);
  EXPECT_EQ(R.Data(), Hex({0x00, 0x20, 0x0C, 0x03, 0x22, 0x02, 'a', 'b', 0x02, 0x23, 0x01, 'c', 0x50, 0x64, 0x32}));
  EXPECT_THROW(R.SetData(Hex({0x20})), EReadError);
}

TEST(MoveRoute, SameCodesComparesCodesOnly) {
  TLcfMoveRoute A, B, C;
  A.SetData(Hex({0x00, 0x20, 0x01}));
  B.SetData(Hex({0x00, 0x20, 0x09}));
  C.SetData(Hex({0x00}));
  EXPECT_TRUE(A.SameCodes(B));
  EXPECT_FALSE(A.SameCodes(C));
  TLcfMoveRoute D;
  D.SetData(Hex({0x00, 0x00}));
  EXPECT_FALSE(C.SameCodes(D));
}

TEST(MoveRoute, PageRouteRoundTrip) {
  TLcfEventPageItem P;
  P.Clear();
  P.MoveRoute.SetData(Hex({0x01, 0x22, 0x01, 'x', 0x05}));
  P.MoveRoute.Repeat = 0;
  TLcfEventPageItem R;
  R.Assign(P);
  EXPECT_EQ(R.MoveRoute.Commands, P.MoveRoute.Commands);
  EXPECT_EQ(R.MoveRoute.Repeat, 0);
}

}  // namespace

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

TEST(DataBase, LoadFindsTheFileOfTheGameFolderInAnyCase) {
  namespace fs = std::filesystem;
  const fs::path Game = fs::temp_directory_path() / ("tessera-db-" + std::to_string(getpid()));
  fs::remove_all(Game);
  fs::create_directories(Game / "DATA");
  const TBytes File = SavedBytes(MakeSampleDataBase());
  std::ofstream(Game / "DATA" / "$$$.b", std::ios::binary).write(reinterpret_cast<const char*>(File.data()), long(File.size()));
  TLcfDataBase DB;
  DB.Load(TGameFolder(Game.string()));
  EXPECT_EQ(DB.System.TitlePicture, "Title");
  fs::remove_all(Game / "DATA");
  EXPECT_THROW(DB.Load(TGameFolder(Game.string())), EFileError);
  fs::remove_all(Game);
}

}  // namespace
