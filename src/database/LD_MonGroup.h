// The troop list of the database: the enemies placed in each troop, the terrain it can be met
// on, and its battle event pages with their trigger conditions and scripts. Read-only at run
// time.
#pragma once

#include "data/Catalog.h"
#include "database/LD_Event.h"
#include "database/LD_Sets.h"

#include <cstdint>
#include <string>

// An enemy placed in a troop, in battle order; X, Y is the centre of its picture on screen.
class TLcfMonGroupMonsterItem : public TCatalogItem {
 public:
  int32_t MonsterId = 1;
  int32_t X = 0, Y = 0;
  bool Hidden = false;  // absent until an event command shows it

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};
using TLcfMonGroupMonster = TCatalogOf<TLcfMonGroupMonsterItem>;

enum EBattleTriggerFlag : uint8_t {
  BattleTriggerSwitchA = 0x01, BattleTriggerSwitchB = 0x02, BattleTriggerVariable = 0x04,
  BattleTriggerTurn = 0x08, BattleTriggerPartyDamage = 0x10, BattleTriggerEnemyHp = 0x20,
  BattleTriggerActorHp = 0x40
};

// When a battle event page runs; a page with no flag set never runs. HP bounds are percent of
// max HP (Hp * 100 div MaxHp).
class TLcfBattleEventTrigger : public TCatalogBaseItem {
 public:
  uint8_t Flags = 0;
  int32_t SwitchAId = 1, SwitchBId = 1;
  int32_t VariableId = 1, VariableValue = 0;  // the variable at least this
  int32_t TurnInterval = 0, TurnFirst = 0;
  int32_t DamageMin = 0, DamageMax = 100;
  int32_t EnemyIndex = 0;  // 0-based position in the battle
  int32_t EnemyHpMin = 0, EnemyHpMax = 100;
  int32_t ActorId = 1;
  int32_t ActorHpMin = 0, ActorHpMax = 100;

  bool Has(EBattleTriggerFlag Flag) const { return (Flags & Flag) != 0; }

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfBattleEventPageItem : public TLcfBaseEventPageItem {
 public:
  TLcfBattleEventTrigger Trigger;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};
using TLcfBattleEventPage = TCatalogOf<TLcfBattleEventPageItem>;

class TLcfMonGroupItem : public TCatalogItem {
 public:
  TLcfMonGroupMonster Members;
  TBytes TerrainSet;  // by terrain id: 1 = met there in random encounters; past the stored length 1
  TLcfBattleEventPage Pages;

  static constexpr uint8_t TerrainSetBeyond = 1;

  bool InTerrainSet(int32_t TerrainId) const { return TableEntry(TerrainSet, TerrainId, TerrainSetBeyond) != 0; }

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfMonGroup : public TCatalogOf<TLcfMonGroupItem> {
 public:
  TLcfMonGroup() : TCatalogOf("Invalid Monsters Group") {}
};
