// The enemy list of the database: each enemy's picture, parameters, rewards, state and
// attribute ranks and its action patterns. Read-only at run time; a battler in a fight is
// runtime state.
#pragma once

#include "data/Catalog.h"
#include "database/LD_Sets.h"

#include <cstdint>
#include <string>

enum EMonsterActKind : uint8_t { ActBasic, ActSkill, ActTransform };
enum EMonsterBasicAct : uint8_t {
  BasicAttack, BasicDoubleAttack, BasicDefend, BasicObserve, BasicCharge, BasicSelfDestruct, BasicEscape
};
enum EMonsterActCondition : uint8_t {
  ActIfAlways, ActIfSwitch, ActIfTurn, ActIfLivingEnemies, ActIfOwnHp, ActIfOwnSp, ActIfPartyLevel,
  ActIfPartyDamage
};

// One action pattern; a cleared pattern is a plain attack, always possible, rating 50.
class TLcfMonsterActItem : public TCatalogItem {
 public:
  uint8_t Kind = ActBasic;
  uint8_t Basic = BasicAttack;
  int32_t SkillId = 1;
  int32_t TransformId = 1;
  uint8_t Condition = ActIfAlways;
  int32_t ConditionA = 0;  // lower bound; the interval of a turn condition
  int32_t ConditionB = 0;  // upper bound; the first turn of a turn condition
  int32_t ConditionSwitch = 1;
  bool SwitchOn = false;
  int32_t SwitchOnId = 1;
  bool SwitchOff = false;
  int32_t SwitchOffId = 1;
  int32_t Rating = 50;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};
using TLcfMonsterAct = TCatalogOf<TLcfMonsterActItem>;

class TLcfMonsterItem : public TCatalogItem {
 public:
  std::string GraphicName;  // in the "Monster" folder
  int32_t Hue = 0;
  int32_t MaxHp = 10, MaxSp = 10, Attack = 10, Defense = 10, Spirit = 10, Agility = 10;
  bool Translucent = false;
  int32_t Exp = 0, Gold = 0;
  int32_t DropItem = 0;  // 0 none
  int32_t DropChance = 100;
  bool CriticalEnabled = false;
  int32_t CriticalRate = 30;
  bool MissOften = false;
  bool Setting28 = false;  // kept, not used by the runtime
  TBytes StateRanks;       // entries past the stored length: B
  TBytes AttributeRanks;   // entries past the stored length: C
  TLcfMonsterAct Actions;

  static constexpr uint8_t StateRankBeyond = RankB;
  static constexpr uint8_t AttributeRankBeyond = RankC;

  uint8_t StateRank(int32_t StateId) const { return TableEntry(StateRanks, StateId, StateRankBeyond); }
  uint8_t AttributeRank(int32_t AttributeId) const { return TableEntry(AttributeRanks, AttributeId, AttributeRankBeyond); }

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfMonster : public TCatalogOf<TLcfMonsterItem> {
 public:
  TLcfMonster() : TCatalogOf("Invalid Monster Chara") {}
};
