// The state list of the database (death, poison, sleep, ...): how a state is shown, how likely
// it sticks per rank, how it ends, what it restricts and what it costs per turn or step.
// State 1 is death and clears to its own values. Read-only at run time.
#pragma once

#include "data/Catalog.h"
#include "database/LD_Sets.h"

#include <cstdint>
#include <string>

enum EStatusRestriction : uint8_t { RestrictNone, RestrictNoAction, RestrictAttackEnemies, RestrictAttackAllies };

class TLcfStatusItem : public TCatalogItem {
 public:
  static constexpr int32_t DeathId = 1;

  uint8_t Persistent = 0;  // 1: lasts after the battle
  int32_t Color = 6;       // text colour of the name
  int32_t Priority = 50;
  uint8_t Restriction = RestrictNone;
  // Percent of an infliction chance that applies to a battler of each rank.
  int32_t ChanceA = 100, ChanceB = 80, ChanceC = 60, ChanceD = 30, ChanceE = 0;
  int32_t HoldTurns = 0, RecoveryChance = 0, DamageRecoveryChance = 0;
  bool HalveAttack = false, HalveDefense = false, HalveSpirit = false, HalveAgility = false;
  int32_t StateHitRate = 100;
  bool LimitByAttack = false;
  int32_t AttackLimit = 0;
  bool LimitBySpirit = false;
  int32_t SpiritLimit = 0;
  std::string ActorMessage, EnemyMessage, AlreadyMessage, TurnMessage, RecoveryMessage;
  int32_t TurnHpRate = 0, TurnHpAmount = 0, StepHpInterval = 0, StepHpAmount = 0;
  int32_t TurnSpRate = 0, TurnSpAmount = 0, StepSpInterval = 0, StepSpAmount = 0;

  // The chance percent of rank 0..4; 0 for any other rank.
  int32_t Chance(int32_t Rank) const;
  bool IsDeath() const { return Id == DeathId; }

  // A record the list makes is cleared before it has its id; the death state's values depend
  // on the id, so a fresh record is cleared once more when it gets one.
  void SetId(int32_t Value) override;
  // The death state never shows the already- and turn messages: they are dropped on load.
  void LoadFromStream(TByteReader& Stream) override;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfStatus : public TCatalogOf<TLcfStatusItem> {
 public:
  TLcfStatus() : TCatalogOf("Invalid Condition") {}
};
