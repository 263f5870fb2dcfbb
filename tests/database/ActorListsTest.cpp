// Actors, skills and items: read back from the writer's output, their defaults when chunks are
// absent, the parameter curves, sets and rank tables, and the lists' fixed messages.
#include "DataBaseFixture.h"
#include "RecordBytes.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(ActorLists, SampleReadsBackFieldForField) {
  const TLcfDataBase Source = MakeSampleDataBase();
  TLcfDataBase DB;
  LoadBytes(DB, SavedBytes(Source));

  ASSERT_EQ(DB.Actors.Count(), 1u);
  const TLcfPlayerItem& Hero = DB.Actors.ItemById(1);
  EXPECT_EQ(Hero.Name, "Alex");
  EXPECT_EQ(Hero.Title, "Hero");
  EXPECT_EQ(Hero.CharSetIndex, 2);
  EXPECT_TRUE(Hero.CharSetTransparent);
  EXPECT_EQ(Hero.InitialLevel, 3);
  EXPECT_EQ(Hero.MaxLevel, 99);
  EXPECT_FALSE(Hero.CriticalEnabled);
  EXPECT_TRUE(Hero.TwoWeapons);
  EXPECT_EQ(Hero.GetParam(ParamAttack, 10), 777);
  EXPECT_EQ(Hero.GetParam(ParamAttack, 11), 30);  // table B
  EXPECT_EQ(Hero.ExpBase, 25);
  EXPECT_EQ(Hero.InitialEquipmentAt(SlotArmor), 2);
  EXPECT_EQ(Hero.InitialEquipmentAt(SlotAccessory), 300);
  ASSERT_EQ(Hero.Learning.Count(), 2u);
  EXPECT_EQ(Hero.Learning.Items(1)->Level, 7);
  EXPECT_EQ(Hero.Learning.Items(1)->SkillId, 2);
  EXPECT_EQ(Hero.SkillCommandName, "Magic");
  EXPECT_EQ(Hero.StateRank(2), RankA);
  EXPECT_EQ(Hero.StateRank(3), RankE);
  EXPECT_EQ(Hero.AttributeRank(1), RankB);

  const TLcfSkillItem& Fire = DB.Skills.ItemById(1);
  EXPECT_EQ(Fire.UsingMessage1, " casts Fire!");
  EXPECT_EQ(Fire.Scope, ScopeAllEnemies);
  EXPECT_EQ(Fire.Sound.Name, "Flame");
  EXPECT_EQ(Fire.Sound.Volume, 80);
  EXPECT_EQ(Fire.BasePower, 40);
  EXPECT_TRUE(Fire.AffectHp);
  EXPECT_TRUE(Fire.InStateSet(2));
  EXPECT_FALSE(Fire.InStateSet(1));
  EXPECT_TRUE(Fire.InAttributeSet(3));
  EXPECT_EQ(DB.Skills.ItemById(2).SkillType, SkillSwitch);
  EXPECT_EQ(DB.Skills.ItemById(2).SwitchId, 9);

  ASSERT_EQ(DB.Items.Count(), 4u);
  const TLcfItemItem& Sword = DB.Items.ItemById(1);
  EXPECT_TRUE(Sword.IsTwoHandedWeapon());
  EXPECT_EQ(Sword.Price, 120);
  EXPECT_EQ(Sword.HitRate, 95);
  EXPECT_TRUE(Sword.AttackTwice);
  EXPECT_FALSE(Sword.InActorSet(2));
  EXPECT_TRUE(Sword.InActorSet(3));
  EXPECT_TRUE(Sword.InStateSet(3));
  EXPECT_EQ(Sword.StateChance, 30);
  EXPECT_TRUE(DB.Items.ItemById(2).RaiseEvasion);
  EXPECT_EQ(DB.Items.ItemById(3).Uses, 0);
  EXPECT_TRUE(DB.Items.ItemById(3).DeadOnly);
  EXPECT_FALSE(DB.Items.ItemById(4).UsableInMenu);

  EXPECT_EQ(SavedBytes(DB), SavedBytes(Source));
}

TEST(ActorLists, EmptyRecordsTakeTheirDefaults) {
  const TBytes Empty = RecordBytes({});
  const auto Item = LoadRecord<TLcfItemItem>(Empty);
  EXPECT_EQ(Item.ItemType, ItemOrdinary);
  EXPECT_EQ(Item.Uses, 1);
  EXPECT_EQ(Item.HitRate, 90);
  EXPECT_EQ(Item.Animation, 1);
  EXPECT_EQ(Item.SkillId, 1);
  EXPECT_EQ(Item.SwitchId, 1);
  EXPECT_TRUE(Item.UsableInMenu);
  EXPECT_FALSE(Item.UsableInBattle);
  // Without chunk 62 every actor may use it; without 64 and 66 no state or attribute is set.
  for (int32_t Id : {1, 2, 500}) {
    EXPECT_TRUE(Item.InActorSet(Id));
    EXPECT_FALSE(Item.InStateSet(Id));
    EXPECT_FALSE(Item.InAttributeSet(Id));
  }

  const auto Skill = LoadRecord<TLcfSkillItem>(Empty);
  EXPECT_EQ(Skill.SwitchId, 1);
  EXPECT_EQ(Skill.Animation, 1);
  EXPECT_EQ(Skill.Sound.Name, "(OFF)");
  EXPECT_TRUE(Skill.UsableInField);
  EXPECT_EQ(Skill.AttackInfluence, 0);
  EXPECT_EQ(Skill.SpiritInfluence, 3);
  EXPECT_EQ(Skill.Variance, 4);
  EXPECT_EQ(Skill.HitRate, 100);
  EXPECT_FALSE(Skill.InStateSet(1));

  const auto Actor = LoadRecord<TLcfPlayerItem>(Empty);
  EXPECT_EQ(Actor.InitialLevel, 1);
  EXPECT_EQ(Actor.MaxLevel, 50);
  EXPECT_TRUE(Actor.CriticalEnabled);
  EXPECT_EQ(Actor.CriticalRate, 30);
  EXPECT_EQ(Actor.ExpBase, 30);
  EXPECT_EQ(Actor.ExpInflation, 30);
  EXPECT_EQ(Actor.ExpCorrection, 0);
  EXPECT_EQ(Actor.UnarmedAnimation, 1);
  EXPECT_TRUE(Actor.Learning.Empty());
  for (int32_t Slot = 0; Slot < SlotCount; ++Slot) EXPECT_EQ(Actor.InitialEquipmentAt(Slot), 0);
  // Without chunk 72 or 74 every rank is C.
  for (int32_t Id : {1, 7, 1000}) {
    EXPECT_EQ(Actor.StateRank(Id), RankC);
    EXPECT_EQ(Actor.AttributeRank(Id), RankC);
  }
}

// Values read off the default tables A (max HP, SP), B (attack, defense) and C (spirit, agility).
TEST(ActorLists, DefaultCurvesAndTheirBounds) {
  const auto Actor = LoadRecord<TLcfPlayerItem>(RecordBytes({}));
  struct TCase {
    int32_t Param, Level, Expected;
  };
  const TCase Cases[] = {
      {ParamMaxHp, 1, 40},     {ParamMaxHp, 13, 112},   {ParamMaxHp, 50, 600},   {ParamMaxSp, 49, 568},
      {ParamAttack, 1, 15},    {ParamAttack, 20, 47},   {ParamDefense, 50, 150}, {ParamSpirit, 10, 46},
      {ParamAgility, 34, 160}, {ParamAgility, 50, 300},
      // Outside parameters 0..5 and levels 1..50: 0.
      {ParamMaxHp, 51, 0},     {ParamMaxHp, 0, 0},      {6, 1, 0},               {-1, 1, 0},
      {ParamAgility, 99, 0},
  };
  for (const TCase& C : Cases) EXPECT_EQ(Actor.GetParam(C.Param, C.Level), C.Expected) << C.Param << " at " << C.Level;
}

TEST(ActorLists, StoredCurvesAreLittleEndianByParameterThenLevel) {
  TBytes Curves(600, 0);
  // Attack (2) at level 10 is entry 2 * 50 + 9 = 109, bytes 218 and 219.
  Curves[218] = 0x02;
  Curves[219] = 0x03;
  // Agility (5) at level 50 is the last entry.
  Curves[598] = 0xE7;
  Curves[599] = 0x03;
  const auto Actor = LoadRecord<TLcfPlayerItem>(RecordBytes({{31, Curves}, {51, {7, 0, 0, 0, 0x2C, 0x01, 0, 0, 9, 0}}}));
  EXPECT_EQ(Actor.GetParam(ParamAttack, 10), 0x0302);
  EXPECT_EQ(Actor.GetParam(ParamAgility, 50), 999);
  EXPECT_EQ(Actor.GetParam(ParamMaxHp, 1), 0);
  EXPECT_EQ(Actor.InitialEquipmentAt(SlotWeapon), 7);
  EXPECT_EQ(Actor.InitialEquipmentAt(SlotArmor), 300);
  EXPECT_EQ(Actor.InitialEquipmentAt(SlotAccessory), 9);
  EXPECT_EQ(Actor.InitialEquipmentAt(5), 0);
  EXPECT_EQ(Actor.InitialEquipmentAt(-1), 0);

  // A curve block of any other size is ignored: the default curves stay.
  const auto Short = LoadRecord<TLcfPlayerItem>(RecordBytes({{31, TBytes(599, 0)}, {51, {1, 0}}}));
  EXPECT_EQ(Short.GetParam(ParamMaxHp, 1), 40);
  EXPECT_EQ(Short.InitialEquipmentAt(SlotWeapon), 0);
}

TEST(ActorLists, OneByteFieldsIgnoreChunksOfOtherLengths) {
  EXPECT_EQ(LoadRecord<TLcfItemItem>(RecordBytes({{3, {2, 0}}})).ItemType, ItemOrdinary);
  EXPECT_EQ(LoadRecord<TLcfItemItem>(RecordBytes({{3, {2}}})).ItemType, ItemShield);
  EXPECT_TRUE(LoadRecord<TLcfItemItem>(RecordBytes({{57, {}}})).UsableInMenu);
  EXPECT_FALSE(LoadRecord<TLcfItemItem>(RecordBytes({{57, {0}}})).UsableInMenu);
  EXPECT_EQ(LoadRecord<TLcfSkillItem>(RecordBytes({{12, {3, 3}}})).Scope, ScopeOneEnemy);
}

TEST(ActorLists, SetsReadOnlyTheirStoredLength) {
  // ActorSet stored for three actors: actor 4 and later take the default 1.
  const auto Item = LoadRecord<TLcfItemItem>(RecordBytes({{61, IntPayload(3)}, {62, {0, 1, 0}}, {64, {0, 1}}}));
  EXPECT_FALSE(Item.InActorSet(1));
  EXPECT_TRUE(Item.InActorSet(2));
  EXPECT_FALSE(Item.InActorSet(3));
  EXPECT_TRUE(Item.InActorSet(4));
  EXPECT_TRUE(Item.InActorSet(0));
  EXPECT_TRUE(Item.InStateSet(2));
  EXPECT_FALSE(Item.InStateSet(3));
  // The rank table of an actor: stored entries, then C.
  const auto Actor = LoadRecord<TLcfPlayerItem>(RecordBytes({{72, {RankA, RankE}}, {74, {RankD}}}));
  EXPECT_EQ(Actor.StateRank(1), RankA);
  EXPECT_EQ(Actor.StateRank(2), RankE);
  EXPECT_EQ(Actor.StateRank(3), RankC);
  EXPECT_EQ(Actor.AttributeRank(1), RankD);
  EXPECT_EQ(Actor.AttributeRank(2), RankC);
}

TEST(ActorLists, TablesAreWrittenUpToTheirLastEntryThatDiffersFromTheDefault) {
  TLcfSkillItem Skill;
  Skill.StateSet = {0, 1, 0, 0};
  auto Chunks = WrittenChunks(Skill);
  EXPECT_EQ(Chunks[41], IntPayload(2));
  EXPECT_EQ(Chunks[42], (TBytes{0, 1}));
  // An all-default set: no count chunk, an empty data chunk.
  Skill.StateSet = {0, 0};
  Chunks = WrittenChunks(Skill);
  EXPECT_FALSE(Chunks.contains(41));
  EXPECT_EQ(Chunks[42], TBytes{});

  TLcfItemItem Item;
  Item.ActorSet = {1, 0, 1, 1};  // trailing 1s are what actors past the stored length get
  Chunks = WrittenChunks(Item);
  EXPECT_EQ(Chunks[61], IntPayload(2));
  EXPECT_EQ(Chunks[62], (TBytes{1, 0}));

  TLcfPlayerItem Actor;
  Actor.StateRanks = {RankC, RankA, RankC, RankC};
  Chunks = WrittenChunks(Actor);
  EXPECT_EQ(Chunks[71], IntPayload(2));
  EXPECT_EQ(Chunks[72], (TBytes{RankC, RankA}));
  EXPECT_EQ(ReadBack(Actor).StateRank(2), RankA);
}

TEST(ActorLists, DatabaseWriterCutsTablesToTheStateAndAttributeCounts) {
  TLcfDataBase DB = MakeSampleDataBase();  // 3 states, 2 attributes
  TLcfItemItem& Sword = DB.Items.ItemById(1);
  SetTableEntry(Sword.StateSet, 5, 1, 0);
  SetTableEntry(Sword.AttributeSet, 2, 1, 0);
  SetTableEntry(Sword.AttributeSet, 3, 1, 0);
  SetTableEntry(DB.Enemies.ItemById(1).AttributeRanks, 4, RankE, RankC);
  DB.CutTablesToLists();
  EXPECT_EQ(Sword.StateSet, (TBytes{0, 0, 1}));
  EXPECT_EQ(Sword.AttributeSet, (TBytes{0, 1}));
  EXPECT_EQ(DB.Enemies.ItemById(1).AttributeRanks, (TBytes{RankA, RankC}));
  // Tables within the counts are left alone.
  EXPECT_EQ(DB.Actors.ItemById(1).StateRanks, (TBytes{RankC, RankA, RankE}));
}

TEST(ActorLists, ItemTypesGiveTheirSlots) {
  struct TCase {
    uint8_t Type;
    int32_t Slot;
    bool Weapon, Armor;
  };
  const TCase Cases[] = {
      {ItemOrdinary, -1, false, false}, {ItemWeapon, SlotWeapon, true, false},
      {ItemShield, SlotShield, false, true}, {ItemArmor, SlotArmor, false, true},
      {ItemHelmet, SlotHelmet, false, true}, {ItemAccessory, SlotAccessory, false, true},
      {ItemMedicine, -1, false, false}, {ItemSkillBook, -1, false, false}, {ItemSeed, -1, false, false},
      {ItemSkill, -1, false, false}, {ItemSwitch, -1, false, false}, {200, -1, false, false},
  };
  for (const TCase& C : Cases) {
    TLcfItemItem Item;
    Item.ItemType = C.Type;
    Item.TwoHanded = 1;
    EXPECT_EQ(Item.SlotOfItem(), C.Slot) << int(C.Type);
    EXPECT_EQ(Item.IsWeapon(), C.Weapon) << int(C.Type);
    EXPECT_EQ(Item.IsArmor(), C.Armor) << int(C.Type);
    EXPECT_EQ(Item.IsTwoHandedWeapon(), C.Weapon) << int(C.Type);
  }
  TLcfItemItem OneHanded;
  OneHanded.ItemType = ItemWeapon;
  EXPECT_FALSE(OneHanded.IsTwoHandedWeapon());
}

TEST(DataBaseLists, MissingIdsRaiseTheListMessage) {
  const TLcfDataBase DB = MakeSampleDataBase();
  struct TCase {
    const char* Message;
    std::function<void(int32_t)> Lookup;
    int32_t Missing;
  };
  const TCase Cases[] = {
      {"Invalid Hero", [&](int32_t Id) { DB.Actors.ItemById(Id); }, 2},
      {"Invalid Skill", [&](int32_t Id) { DB.Skills.ItemById(Id); }, 3},
      {"Invalid Item", [&](int32_t Id) { DB.Items.ItemById(Id); }, 5},
      {"Invalid Monster Chara", [&](int32_t Id) { DB.Enemies.ItemById(Id); }, 2},
      {"Invalid Monsters Group", [&](int32_t Id) { DB.Troops.ItemById(Id); }, 2},
      {"Invalid Terrain", [&](int32_t Id) { DB.Terrains.ItemById(Id); }, 3},
      {"Invalid Attribute Name", [&](int32_t Id) { DB.Attributes.ItemById(Id); }, 3},
      {"Invalid Condition", [&](int32_t Id) { DB.States.ItemById(Id); }, 4},
  };
  for (const TCase& C : Cases) {
    for (int32_t Id : {C.Missing, 0, -1, INT32_MAX}) {
      try {
        C.Lookup(Id);
        ADD_FAILURE() << C.Message << " not raised for " << Id;
      } catch (const ELcfError& E) {
        EXPECT_STREQ(E.what(), C.Message);
      }
    }
    EXPECT_NO_THROW(C.Lookup(1)) << C.Message;
  }
}

TEST(DataBaseLists, LookupFindsIdsThatAreNotAtTheirPosition) {
  TLcfItem Items;
  Items.GetOrCreate(2).Name = "Two";
  Items.GetOrCreate(5).Name = "Five";
  EXPECT_EQ(Items.ItemById(5).Name, "Five");
  EXPECT_EQ(Items.ItemById(2).Name, "Two");
  EXPECT_THROW(Items.ItemById(1), ELcfError);
}

}  // namespace
