// Enemies, troops, terrain, attributes and states: read back from the writer's output, their
// defaults when chunks are absent, the death state's own values, rank tables, and damaged or
// hostile list data.
#include "DataBaseFixture.h"
#include "GameJson.h"
#include "RecordBytes.h"

#include <gtest/gtest.h>

namespace {

TEST(MonsterLists, SampleReadsBackFieldForField) {
  const TLcfDataBase Source = MakeSampleDataBase();
  TLcfDataBase DB;
  LoadBytes(DB, SavedBytes(Source));

  const TLcfMonsterItem& Slime = DB.Enemies.ItemById(1);
  EXPECT_EQ(Slime.GraphicName, "Slime");
  EXPECT_EQ(Slime.Hue, 90);
  EXPECT_EQ(Slime.MaxHp, 40);
  EXPECT_EQ(Slime.MaxSp, 10);
  EXPECT_EQ(Slime.Gold, 11);
  EXPECT_EQ(Slime.DropItem, 3);
  EXPECT_TRUE(Slime.CriticalEnabled);
  EXPECT_TRUE(Slime.Setting28);
  EXPECT_EQ(Slime.StateRank(2), RankD);
  EXPECT_EQ(Slime.AttributeRank(1), RankA);
  ASSERT_EQ(Slime.Actions.Count(), 2u);
  EXPECT_EQ(Slime.Actions.Items(0)->Kind, ActBasic);
  const TLcfMonsterActItem& Split = *Slime.Actions.Items(1);
  EXPECT_EQ(Split.Kind, ActTransform);
  EXPECT_EQ(Split.TransformId, 2);
  EXPECT_EQ(Split.Condition, ActIfOwnHp);
  EXPECT_EQ(Split.ConditionB, 30);
  EXPECT_TRUE(Split.SwitchOn);
  EXPECT_EQ(Split.SwitchOnId, 4);
  EXPECT_EQ(Split.Rating, 8);

  const TLcfMonGroupItem& Pair = DB.Troops.ItemById(1);
  ASSERT_EQ(Pair.Members.Count(), 2u);
  EXPECT_EQ(Pair.Members.Items(1)->X, 200);
  EXPECT_EQ(Pair.Members.Items(1)->Y, 120);
  EXPECT_TRUE(Pair.Members.Items(1)->Hidden);
  EXPECT_FALSE(Pair.Members.Items(0)->Hidden);
  EXPECT_TRUE(Pair.InTerrainSet(1));
  EXPECT_FALSE(Pair.InTerrainSet(2));
  EXPECT_TRUE(Pair.InTerrainSet(3));
  ASSERT_EQ(Pair.Pages.Count(), 2u);
  const TLcfBattleEventPageItem& Page = *Pair.Pages.Items(1);
  EXPECT_TRUE(Page.Trigger.Has(BattleTriggerTurn));
  EXPECT_TRUE(Page.Trigger.Has(BattleTriggerEnemyHp));
  EXPECT_FALSE(Page.Trigger.Has(BattleTriggerSwitchA));
  EXPECT_EQ(Page.Trigger.TurnInterval, 2);
  EXPECT_EQ(Page.Trigger.EnemyIndex, 1);
  EXPECT_EQ(Page.Trigger.EnemyHpMax, 50);
  EXPECT_EQ(Page.Script, Source.Troops.ItemById(1).Pages.Items(1)->Script);
  EXPECT_EQ(Page.Script.Lines(0).Text, "Split!");

  const TLcfGroundItem& Swamp = DB.Terrains.ItemById(2);
  EXPECT_EQ(Swamp.StepDamage, 2);
  EXPECT_EQ(Swamp.EncounterRate, 150);
  EXPECT_TRUE(Swamp.AirshipPass);
  EXPECT_FALSE(Swamp.AirshipLand);
  EXPECT_EQ(Swamp.BushDepth, BushHalfOpaque);
  EXPECT_EQ(DB.Terrains.ItemById(1).Backdrop, "Field");

  const TLcfAttribItem& Flame = DB.Attributes.ItemById(2);
  EXPECT_EQ(Flame.AttributeKind, AttributeMagic);
  EXPECT_EQ(Flame.Rate(RankA), 250);
  EXPECT_EQ(Flame.Rate(RankB), 200);
  EXPECT_EQ(Flame.Rate(RankE), -50);

  const TLcfStatusItem& Death = DB.States.ItemById(1);
  EXPECT_EQ(Death.ActorMessage, " falls.");
  EXPECT_EQ(Death.Priority, 100);
  const TLcfStatusItem& Poison = DB.States.ItemById(2);
  EXPECT_EQ(Poison.Persistent, 1);
  EXPECT_EQ(Poison.Chance(RankC), 45);
  EXPECT_TRUE(Poison.HalveAttack);
  EXPECT_TRUE(Poison.LimitBySpirit);
  EXPECT_EQ(Poison.SpiritLimit, 4);
  EXPECT_EQ(Poison.TurnMessage, " suffers.");
  EXPECT_EQ(Poison.TurnHpRate, 5);
  EXPECT_EQ(Poison.StepHpInterval, 4);
  EXPECT_EQ(DB.States.ItemById(3).Name, "Sleep");

  EXPECT_EQ(SavedBytes(DB), SavedBytes(Source));
}

TEST(MonsterLists, EmptyRecordsTakeTheirDefaults) {
  const TBytes Empty = RecordBytes({});
  const auto Enemy = LoadRecord<TLcfMonsterItem>(Empty);
  for (int32_t V : {Enemy.MaxHp, Enemy.MaxSp, Enemy.Attack, Enemy.Defense, Enemy.Spirit, Enemy.Agility}) EXPECT_EQ(V, 10);
  EXPECT_EQ(Enemy.DropChance, 100);
  EXPECT_EQ(Enemy.CriticalRate, 30);
  EXPECT_FALSE(Enemy.CriticalEnabled);
  // One pattern: an attack, always possible, rating 50.
  ASSERT_EQ(Enemy.Actions.Count(), 1u);
  const TLcfMonsterActItem& Act = *Enemy.Actions.Items(0);
  EXPECT_EQ(Act.Id, 1);
  EXPECT_EQ(Act.Kind, ActBasic);
  EXPECT_EQ(Act.Basic, BasicAttack);
  EXPECT_EQ(Act.Condition, ActIfAlways);
  EXPECT_EQ(Act.Rating, 50);
  EXPECT_EQ(Act.SkillId, 1);
  EXPECT_EQ(Act.ConditionSwitch, 1);
  // Unlike actors, enemies default to rank B for states: 80 percent of a default state's chance.
  const auto State = LoadRecord<TLcfStatusItem>(Empty);
  for (int32_t Id : {1, 2, 40}) {
    EXPECT_EQ(Enemy.StateRank(Id), RankB);
    EXPECT_EQ(Enemy.AttributeRank(Id), RankC);
  }
  EXPECT_EQ(State.Chance(Enemy.StateRank(5)), 80);

  // A troop meets on every terrain and has one page that never runs.
  const auto Troop = LoadRecord<TLcfMonGroupItem>(Empty);
  EXPECT_TRUE(Troop.Members.Empty());
  for (int32_t Id : {1, 2, 99}) EXPECT_TRUE(Troop.InTerrainSet(Id));
  ASSERT_EQ(Troop.Pages.Count(), 1u);
  const TLcfBattleEventPageItem& Page = *Troop.Pages.Items(0);
  EXPECT_EQ(Page.Trigger.Flags, 0);
  EXPECT_EQ(Page.Trigger.DamageMax, 100);
  EXPECT_EQ(Page.Trigger.EnemyHpMax, 100);
  EXPECT_EQ(Page.Trigger.ActorHpMax, 100);
  EXPECT_EQ(Page.Trigger.ActorId, 1);
  ASSERT_EQ(Page.Script.Count(), 1u);
  EXPECT_EQ(Page.Script.Lines(0).Code, 0);

  const auto Ground = LoadRecord<TLcfGroundItem>(Empty);
  EXPECT_EQ(Ground.EncounterRate, 100);
  EXPECT_FALSE(Ground.BoatPass);
  EXPECT_FALSE(Ground.ShipPass);
  EXPECT_TRUE(Ground.AirshipPass);
  EXPECT_TRUE(Ground.AirshipLand);
  EXPECT_EQ(Ground.BushDepth, BushNone);

  const auto Attribute = LoadRecord<TLcfAttribItem>(Empty);
  const int32_t Rates[][2] = {{RankA, 300}, {RankB, 200}, {RankC, 100}, {RankD, 50}, {RankE, 0}, {5, 0}, {-1, 0}};
  for (const auto& R : Rates) EXPECT_EQ(Attribute.Rate(R[0]), R[1]) << R[0];

  EXPECT_EQ(State.Persistent, 0);
  EXPECT_EQ(State.Color, 6);
  EXPECT_EQ(State.Priority, 50);
  EXPECT_EQ(State.Restriction, RestrictNone);
  const int32_t Chances[][2] = {{RankA, 100}, {RankB, 80}, {RankC, 60}, {RankD, 30}, {RankE, 0}, {5, 0}, {-1, 0}};
  for (const auto& C : Chances) EXPECT_EQ(State.Chance(C[0]), C[1]) << C[0];
  EXPECT_EQ(State.StateHitRate, 100);
}

TEST(MonsterLists, PresentButEmptyNestedListsStayEmpty) {
  const TBytes NoItems = {0x00};  // a list of count 0
  EXPECT_TRUE(LoadRecord<TLcfMonsterItem>(RecordBytes({{42, NoItems}})).Actions.Empty());
  EXPECT_TRUE(LoadRecord<TLcfMonGroupItem>(RecordBytes({{11, NoItems}})).Pages.Empty());
}

TEST(MonsterLists, DeathStateHasItsOwnDefaults) {
  TLcfDataBase DB;  // reset: one state, id 1
  ASSERT_EQ(DB.States.Count(), 1u);
  const TLcfStatusItem& Reset = *DB.States.Items(0);
  EXPECT_EQ(Reset.Persistent, 1);
  EXPECT_EQ(Reset.Color, 5);
  EXPECT_EQ(Reset.Priority, 100);
  EXPECT_EQ(Reset.Restriction, RestrictNoAction);

  const auto Loaded = LoadRecord<TLcfStatusItem>(RecordBytes({}), 1);
  EXPECT_EQ(Loaded.Color, 5);
  EXPECT_EQ(Loaded.Priority, 100);
  EXPECT_EQ(LoadRecord<TLcfStatusItem>(RecordBytes({}), 2).Color, 6);

  // The death state's own value is the one not written; the common default is written for it.
  TLcfStatus States;
  TLcfStatusItem& Death = States.GetOrCreate(1);
  TLcfStatusItem& Other = States.GetOrCreate(2);
  EXPECT_FALSE(WrittenChunks(Death).contains(3));
  EXPECT_FALSE(WrittenChunks(Other).contains(3));
  Death.Color = 6;
  Death.Priority = 50;
  Other.Color = 5;
  EXPECT_EQ(WrittenChunks(Death)[3], IntPayload(6));
  EXPECT_EQ(ReadBack(Death).Color, 6);
  EXPECT_EQ(ReadBack(Death).Priority, 50);
  EXPECT_EQ(ReadBack(Other).Color, 5);
}

TEST(MonsterLists, DeathStateDropsItsAlreadyAndTurnMessages) {
  const TBytes Stored = RecordBytes({{51, {'a'}}, {52, {'e'}}, {53, {'x'}}, {54, {'t'}}, {55, {'r'}}});
  const auto Death = LoadRecord<TLcfStatusItem>(Stored, 1);
  EXPECT_EQ(Death.ActorMessage, "a");
  EXPECT_EQ(Death.EnemyMessage, "e");
  EXPECT_EQ(Death.AlreadyMessage, "");
  EXPECT_EQ(Death.TurnMessage, "");
  EXPECT_EQ(Death.RecoveryMessage, "r");
  const auto Other = LoadRecord<TLcfStatusItem>(Stored, 2);
  EXPECT_EQ(Other.AlreadyMessage, "x");
  EXPECT_EQ(Other.TurnMessage, "t");
}

TEST(MonsterLists, EnemyRankTablesAreCutAtTheirOwnDefaults) {
  TLcfMonsterItem Enemy;
  Enemy.StateRanks = {RankB, RankB, RankD, RankB, RankB};
  Enemy.AttributeRanks = {RankC, RankC};
  auto Chunks = WrittenChunks(Enemy);
  EXPECT_EQ(Chunks[31], IntPayload(3));
  EXPECT_EQ(Chunks[32], (TBytes{RankB, RankB, RankD}));
  EXPECT_FALSE(Chunks.contains(33));
  EXPECT_EQ(Chunks[34], TBytes{});
  const auto Back = ReadBack(Enemy);
  EXPECT_EQ(Back.StateRank(3), RankD);
  EXPECT_EQ(Back.StateRank(5), RankB);

  TLcfMonGroupItem Troop;
  Troop.TerrainSet = {0, 1, 1};
  Chunks = WrittenChunks(Troop);
  EXPECT_EQ(Chunks[4], IntPayload(1));
  EXPECT_EQ(Chunks[5], TBytes{0});
}

// Hostile counts, sizes and ids: a clear error or one small item, never a huge allocation.
TEST(MonsterLists, HostileListDataIsRefusedOrBounded) {
  auto LoadTroop = [](const TBytes& Bytes) { return LoadRecord<TLcfMonGroupItem>(Bytes); };
  // A member list claiming 2^31 - 1 members.
  const TBytes HugeCount = {0x87, 0xFF, 0xFF, 0xFF, 0x7F, 0x01, 0x00};
  EXPECT_THROW(LoadTroop(RecordBytes({{2, HugeCount}})), EReadError);
  // A set whose chunk claims more bytes than the record holds.
  EXPECT_THROW(LoadTroop({0x05, 0x8F, 0xFF, 0xFF, 0x7F, 0x01, 0x00}), EReadError);
  // A count chunk that claims far more entries than stored changes nothing: the stored bytes count.
  const auto Troop = LoadTroop(RecordBytes({{4, IntPayload(INT32_MAX)}, {5, {0}}}));
  EXPECT_EQ(Troop.TerrainSet.size(), 1u);

  // An enemy id near 2^31 makes one item, found by its id.
  TByteWriter W;
  W.Ber(1);
  W.BerInt(INT32_MAX - 1);
  W.Bytes(RecordBytes({{1, {'Z'}}}));
  TLcfMonster Enemies;
  TByteReader In(W.Buffer());
  Enemies.LoadFromStream(In);
  ASSERT_EQ(Enemies.Count(), 1u);
  EXPECT_EQ(Enemies.ItemById(INT32_MAX - 1).Name, "Z");
  EXPECT_THROW(Enemies.ItemById(1), ELcfError);
}

TEST(MonsterLists, GamekitShowsTheListsReadablyAndBuildsThemBack) {
  const TBytes File = SavedBytes(MakeSampleDataBase());
  TJson Doc = DumpFile(File);
  EXPECT_EQ(BuildFile(TJson::parse(Doc.dump())), File);
  const TJson& Body = Doc["body"];
  EXPECT_EQ(Body["Actors"][0]["ParamCurves"].size(), 300u);
  EXPECT_EQ(Body["Actors"][0]["ParamCurves"][109], 777);
  EXPECT_EQ(Body["Actors"][0]["InitialEquipment"], TJson::parse("[1, 0, 2, 0, 300]"));
  EXPECT_EQ(Body["Actors"][0]["Learning"][1]["Level"], 7);
  EXPECT_EQ(Body["Items"][0]["ActorSet"], TJson::parse("[1, 0]"));
  EXPECT_EQ(Body["Items"][0]["ActorSetCount"], "auto");
  EXPECT_EQ(Body["Skills"][0]["Sound"]["Name"], "Flame");
  EXPECT_EQ(Body["Enemies"][0]["Actions"][1]["TransformId"], 2);
  EXPECT_EQ(Body["Troops"][0]["Pages"][1]["Script"][0]["text"], "Split!");
  EXPECT_EQ(Body["Troops"][0]["Pages"][1]["ScriptSize"], "auto");
  EXPECT_EQ(Body["States"][1]["TurnMessage"], " suffers.");

  // An edited set with its count left to "auto" builds the edited database.
  Doc["body"]["Items"][0]["StateSet"] = TJson::parse("[0, 0, 0, 1]");
  Doc["body"]["Items"][0]["StateSetCount"] = "auto";
  TLcfDataBase DB;
  LoadBytes(DB, BuildFile(Doc));
  EXPECT_TRUE(DB.Items.ItemById(1).InStateSet(4));
  EXPECT_FALSE(DB.Items.ItemById(1).InStateSet(3));
}

}  // namespace
