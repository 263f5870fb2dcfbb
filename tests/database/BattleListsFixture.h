// Actors, skills, items, enemies, troops, terrain, attributes and states for the sample
// database, built with the project's own writer: every field kind of these lists (strings,
// integers, flags, fixed blocks, sets, rank tables, nested lists and records, scripts) appears
// with a value other than its default somewhere.
#pragma once

#include "database/LD_DataBase.h"

inline void AddSampleBattleLists(TLcfDataBase& DB) {
  TLcfPlayerItem& Hero = DB.Actors.GetOrCreate(1);
  Hero.Name = "Alex";
  Hero.Title = "Hero";
  Hero.CharSetName = "Actor1";
  Hero.CharSetIndex = 2;
  Hero.CharSetTransparent = true;
  Hero.InitialLevel = 3;
  Hero.MaxLevel = 99;
  Hero.CriticalEnabled = false;
  Hero.FaceName = "Face1";
  Hero.TwoWeapons = true;
  Hero.ParamCurves[ParamAttack * TLcfPlayerItem::CurveLevels + 9] = 777;  // attack at level 10
  Hero.ExpBase = 25;
  Hero.InitialEquipment = {1, 0, 2, 0, 300};
  Hero.Learning.Append().SkillId = 1;
  TLcfPlayerLearningItem& Later = Hero.Learning.Append();
  Later.Level = 7;
  Later.SkillId = 2;
  Hero.CustomSkillCommand = true;
  Hero.SkillCommandName = "Magic";
  Hero.StateRanks = {RankC, RankA, RankE};
  Hero.AttributeRanks = {RankB};

  TLcfSkillItem& Fire = DB.Skills.GetOrCreate(1);
  Fire.Name = "Fire";
  Fire.Description = "Burns one enemy";
  Fire.UsingMessage1 = " casts Fire!";
  Fire.SpCost = 5;
  Fire.Scope = ScopeAllEnemies;
  Fire.Sound.Name = "Flame";
  Fire.Sound.Volume = 80;
  Fire.BasePower = 40;
  Fire.AffectHp = true;
  Fire.StateSet = {0, 1};
  Fire.AttributeSet = {0, 0, 1};
  TLcfSkillItem& Gate = DB.Skills.GetOrCreate(2);
  Gate.Name = "Gate";
  Gate.SkillType = SkillSwitch;
  Gate.SwitchId = 9;
  Gate.UsableInBattle = true;

  TLcfItemItem& Sword = DB.Items.GetOrCreate(1);
  Sword.Name = "Sword";
  Sword.ItemType = ItemWeapon;
  Sword.Price = 120;
  Sword.AttackBonus = 12;
  Sword.TwoHanded = 1;
  Sword.HitRate = 95;
  Sword.AttackTwice = true;
  Sword.ActorSet = {1, 0};
  Sword.StateSet = {0, 0, 1};
  Sword.StateChance = 30;
  TLcfItemItem& Mail = DB.Items.GetOrCreate(2);
  Mail.Name = "Mail";
  Mail.ItemType = ItemArmor;
  Mail.DefenseBonus = 8;
  Mail.RaiseEvasion = true;
  Mail.AttributeSet = {1};
  TLcfItemItem& Potion = DB.Items.GetOrCreate(3);
  Potion.Name = "Potion";
  Potion.ItemType = ItemMedicine;
  Potion.Uses = 0;
  Potion.HpAmount = 50;
  Potion.DeadOnly = true;
  TLcfItemItem& Key = DB.Items.GetOrCreate(4);
  Key.Name = "Key";
  Key.ItemType = ItemSwitch;
  Key.SwitchId = 12;
  Key.UsableInMenu = false;

  TLcfMonsterItem& Slime = DB.Enemies.GetOrCreate(1);
  Slime.Name = "Slime";
  Slime.GraphicName = "Slime";
  Slime.Hue = 90;
  Slime.MaxHp = 40;
  Slime.Exp = 6;
  Slime.Gold = 11;
  Slime.DropItem = 3;
  Slime.CriticalEnabled = true;
  Slime.Setting28 = true;
  Slime.StateRanks = {RankB, RankD};
  Slime.AttributeRanks = {RankA};
  TLcfMonsterActItem& Split = Slime.Actions.Append();
  Split.Kind = ActTransform;
  Split.TransformId = 2;
  Split.Condition = ActIfOwnHp;
  Split.ConditionA = 0;
  Split.ConditionB = 30;
  Split.SwitchOn = true;
  Split.SwitchOnId = 4;
  Split.Rating = 8;

  TLcfMonGroupItem& Pair = DB.Troops.GetOrCreate(1);
  Pair.Name = "Slime x2";
  for (int32_t X : {100, 200}) {
    TLcfMonGroupMonsterItem& M = Pair.Members.Append();
    M.X = X;
    M.Y = 120;
  }
  Pair.Members.Items(1)->Hidden = true;
  Pair.TerrainSet = {1, 0};
  TLcfBattleEventPageItem& Page = Pair.Pages.Append();
  Page.Trigger.Flags = BattleTriggerTurn | BattleTriggerEnemyHp;
  Page.Trigger.TurnInterval = 2;
  Page.Trigger.EnemyIndex = 1;
  Page.Trigger.EnemyHpMax = 50;
  Page.Script.Items = {{10110, 0, "Split!", {}}, {0, 0, "", {}}};

  TLcfGroundItem& Grass = DB.Terrains.GetOrCreate(1);
  Grass.Name = "Grass";
  Grass.Backdrop = "Field";
  TLcfGroundItem& Swamp = DB.Terrains.GetOrCreate(2);
  Swamp.Name = "Swamp";
  Swamp.StepDamage = 2;
  Swamp.EncounterRate = 150;
  Swamp.AirshipLand = false;
  Swamp.BushDepth = BushHalfOpaque;

  DB.Attributes.GetOrCreate(1).Name = "Slash";
  TLcfAttribItem& Flame = DB.Attributes.GetOrCreate(2);
  Flame.Name = "Flame";
  Flame.AttributeKind = AttributeMagic;
  Flame.RateA = 250;
  Flame.RateE = -50;

  TLcfStatusItem& Death = DB.States.GetOrCreate(1);
  Death.Name = "Dead";
  Death.ActorMessage = " falls.";
  Death.EnemyMessage = " is defeated.";
  TLcfStatusItem& Poison = DB.States.GetOrCreate(2);
  Poison.Name = "Poison";
  Poison.Persistent = 1;
  Poison.ChanceC = 45;
  Poison.HalveAttack = true;
  Poison.LimitBySpirit = true;
  Poison.SpiritLimit = 4;
  Poison.TurnMessage = " suffers.";
  Poison.TurnHpRate = 5;
  Poison.StepHpInterval = 4;
  Poison.StepHpAmount = 1;
  DB.States.GetOrCreate(3).Name = "Sleep";
}
