// The skill list of the database: what actors and enemies can cast, and the power formula's
// weights. Read-only at run time.
#pragma once

#include "data/Catalog.h"
#include "database/LD_Sets.h"
#include "database/LD_System.h"

#include <cstdint>
#include <string>

enum ESkillType : uint8_t { SkillNormal, SkillTeleport, SkillEscape, SkillSwitch };
enum ESkillScope : uint8_t { ScopeOneEnemy, ScopeAllEnemies, ScopeSelf, ScopeOneAlly, ScopeAllAllies };

class TLcfSkillItem : public TCatalogItem {
 public:
  std::string Description;
  std::string UsingMessage1, UsingMessage2;  // battle: after the user's name; the second when not empty
  int32_t FailureMessage = 0;  // 0..3: which of the vocabulary's failure messages
  uint8_t SkillType = SkillNormal;
  int32_t SpCost = 0;
  uint8_t Scope = ScopeOneEnemy;
  int32_t SwitchId = 1;
  int32_t Animation = 1;
  TLcfSound Sound;  // teleport, escape and switch skills
  bool UsableInField = true, UsableInBattle = false;
  int32_t AttackInfluence = 0, SpiritInfluence = 3, Variance = 4, BasePower = 0, HitRate = 100;
  bool AffectHp = false, AffectSp = false, AffectAttack = false, AffectDefense = false;
  bool AffectSpirit = false, AffectAgility = false, Absorb = false, IgnoreDefense = false;
  TBytes StateSet, AttributeSet;  // entries past the stored length: 0
  bool ShiftAttributes = false;

  bool InStateSet(int32_t StateId) const { return TableEntry(StateSet, StateId, 0) != 0; }
  bool InAttributeSet(int32_t AttributeId) const { return TableEntry(AttributeSet, AttributeId, 0) != 0; }

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfSkill : public TCatalogOf<TLcfSkillItem> {
 public:
  TLcfSkill() : TCatalogOf("Invalid Skill") {}
};
