// gamekit's dump and build: readable JSON, and a byte-identical round trip even for what the
// player ignores.
#include "DataBaseFixture.h"
#include "GameJson.h"

#include <gtest/gtest.h>

namespace {

TBytes Hex(std::initializer_list<int> Values) {
  TBytes B;
  for (int V : Values) B.push_back(uint8_t(V));
  return B;
}

TBytes Append(TBytes A, const TBytes& B) {
  A.insert(A.end(), B.begin(), B.end());
  return A;
}

TEST(Gamekit, SampleDumpIsReadable) {
  const TJson Doc = DumpFile(SavedBytes(MakeSampleDataBase()));
  EXPECT_EQ(Doc["header"], "$$$B");
  const TJson& System = Doc["body"]["System"];
  EXPECT_EQ(System["TitlePicture"], "Title");
  EXPECT_EQ(System["SystemGraphic"], "\xE3\x82\xB7\xE3\x82\xB9\xE3\x83\x86\xE3\x83\xA0");  // "システム"
  EXPECT_EQ(System["PartyIds"], TJson::parse("[3, 257]"));
  EXPECT_EQ(System["BattleMusic"]["Tempo"], 120);
  EXPECT_EQ(System["SaveCount"], 300);
  EXPECT_EQ(Doc["body"]["Switches"][0]["Name"], "Door open");
  const TJson& Script = Doc["body"]["CommonEvents"][0]["Script"];
  ASSERT_EQ(Script.size(), 3u);
  EXPECT_EQ(Script[0]["code"], 10110);
  EXPECT_EQ(Script[0]["text"], "Hello");
  EXPECT_EQ(Script[1]["params"], TJson::parse("[1, -1, 300]"));
  EXPECT_EQ(Doc["body"]["Actors"][0]["Name"], "Alex");
}

TEST(Gamekit, RoundTripIsByteIdentical) {
  const TBytes Sample = SavedBytes(MakeSampleDataBase());
  const TBytes Odd = Append(Sample, Hex({
      0x1A, 0x02, 0xAA, 0xBB,                    // unknown section 26
      0x16, 0x1B,                                // a second system section, odd inside:
      0x13, 0x02, 0x82, 0x60,                    //   "Ａ" in CP932
      0x11, 0x01, 0x82,                          //   a lone lead byte: undecodable
      0x0E, 0x02, 0x80, 0x05,                    //   BoatIndex 5 in two bytes
      0x0E, 0x01, 0x06,                          //   BoatIndex again
      0x80, 0x15, 0x01, 0x02,                    //   PartySize with a long id
      0x3D, 0x02, 0x01, 0x02,                    //   a one-byte transition in two bytes
      0x63, 0x00,                                //   unknown chunk 99
      0x0B, 0x00,                                //   empty BoatSprite, written anyway
      0x00,                                      //   closing 0
      0x15, 0x80, 0x02, 0x00, 0x00,              // vocabulary: stray bytes after 0, long size
  }));
  for (const TBytes& File : {Sample, Odd}) {
    TLcfDataBase Check;
    LoadBytes(Check, File);  // the player reads it
    const TJson Doc = DumpFile(File);
    const TJson Reparsed = TJson::parse(Doc.dump());
    EXPECT_EQ(BuildFile(Reparsed), File);
  }
  const TJson Doc = DumpFile(Odd);
  const TJson& System = Doc["body"]["System~2"];
  EXPECT_EQ(System["SystemGraphic"], "\xEF\xBC\xA1");
  EXPECT_EQ(System["TitlePicture"]["bytes"], "82");
  EXPECT_EQ(System["BoatIndex"]["$raw"], "8005");
  EXPECT_EQ(System["BoatIndex~2"], 6);
  EXPECT_EQ(System["PartySize"]["$head"], "801501");
  EXPECT_EQ(Doc["body"]["#26"], "aabb");
}

TEST(Gamekit, EditedJsonBuildsTheEditedFile) {
  TJson Doc = DumpFile(SavedBytes(MakeSampleDataBase()));
  Doc["body"]["System"]["TitlePicture"] = "\xE3\x82\xBF\xE3\x82\xA4\xE3\x83\x88\xE3\x83\xAB";  // "タイトル"
  TLcfDataBase DB;
  LoadBytes(DB, BuildFile(Doc));
  EXPECT_EQ(DB.System.TitlePicture, "\x83\x5E\x83\x43\x83\x67\x83\x8B");
}

TEST(Gamekit, BuildErrorsNameThePlace) {
  TJson Doc = DumpFile(SavedBytes(MakeSampleDataBase()));
  Doc["body"]["System"]["BattleMusic"]["Volume"] = "loud";
  try {
    BuildFile(Doc);
    FAIL();
  } catch (const EGamekitError& E) {
    EXPECT_STREQ(E.what(), "body.System.BattleMusic.Volume: expected an integer");
  }
  Doc = DumpFile(SavedBytes(MakeSampleDataBase()));
  Doc["body"]["System"]["Nonsense"] = 1;
  EXPECT_THROW(BuildFile(Doc), EGamekitError);
  Doc = DumpFile(SavedBytes(MakeSampleDataBase()));
  Doc["header"] = "$$$X";
  EXPECT_THROW(BuildFile(Doc), EGamekitError);
}

}  // namespace

namespace {

TEST(Gamekit, EditedScriptGetsItsSizeFromAuto) {
  TJson Doc = DumpFile(SavedBytes(MakeSampleDataBase()));
  TJson& Event = Doc["body"]["CommonEvents"][0];
  EXPECT_EQ(Event["ScriptSize"], "auto");
  Event["Script"].insert(Event["Script"].begin(), TJson::parse(R"({"code": 10110, "text": "Longer text first"})"));
  TLcfDataBase DB;
  LoadBytes(DB, BuildFile(Doc));
  const TLcfEventScriptList& Script = DB.CommonEvents.ItemById(1).Script;
  ASSERT_EQ(Script.Count(), 4u);
  EXPECT_EQ(Script.Lines(0).Text, "Longer text first");
  // The written size is the data's own: a writer-made file has the same bytes again.
  EXPECT_EQ(BuildFile(DumpFile(SavedBytes(DB))), SavedBytes(DB));
}

}  // namespace
