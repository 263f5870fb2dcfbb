// The item list of the database: what the party can carry, equip and use. Read-only at run
// time; the inventory is runtime state.
#pragma once

#include "data/Catalog.h"
#include "database/LD_Sets.h"

#include <cstdint>
#include <string>

enum EItemType : uint8_t {
  ItemOrdinary, ItemWeapon, ItemShield, ItemArmor, ItemHelmet, ItemAccessory,
  ItemMedicine, ItemSkillBook, ItemSeed, ItemSkill, ItemSwitch
};

// Equipment slots; slot 1 takes a second weapon for an actor with two weapons.
enum EEquipSlot : int32_t { SlotWeapon, SlotShield, SlotArmor, SlotHelmet, SlotAccessory, SlotCount };

class TLcfItemItem : public TCatalogItem {
 public:
  std::string Description;
  uint8_t ItemType = ItemOrdinary;
  int32_t Price = 0;  // buying price; an item sells for half
  int32_t Uses = 1;   // uses per copy before one is consumed; 0 never consumed
  int32_t AttackBonus = 0, DefenseBonus = 0, SpiritBonus = 0, AgilityBonus = 0;
  // Weapons.
  uint8_t TwoHanded = 0;
  int32_t SpCost = 0, HitRate = 90, CriticalBonus = 0, Animation = 1;
  bool FirstStrike = false, AttackTwice = false, AttackAll = false, IgnoreEvasion = false;
  // Shields, armor, helmets and accessories.
  bool PreventCritical = false, RaiseEvasion = false, HalfSpCost = false, NoTerrainDamage = false;
  // Medicine.
  uint8_t EntireParty = 0;
  int32_t HpRate = 0, HpAmount = 0, SpRate = 0, SpAmount = 0;
  bool NotInBattle = false, DeadOnly = false;
  // Seeds: permanent bonuses.
  int32_t MaxHpGain = 0, MaxSpGain = 0, AttackGain = 0, DefenseGain = 0, SpiritGain = 0, AgilityGain = 0;
  // Skill books and skill items; switch items.
  uint8_t UseSkillMessage = 0;
  int32_t SkillId = 1, SwitchId = 1;
  bool UsableInMenu = true, UsableInBattle = false;
  // Sets by actor, state and attribute id. Entries past the stored length: actors 1, others 0.
  TBytes ActorSet, StateSet, AttributeSet;
  int32_t StateChance = 0;

  static constexpr uint8_t ActorSetBeyond = 1;

  bool InActorSet(int32_t ActorId) const { return TableEntry(ActorSet, ActorId, ActorSetBeyond) != 0; }
  bool InStateSet(int32_t StateId) const { return TableEntry(StateSet, StateId, 0) != 0; }
  bool InAttributeSet(int32_t AttributeId) const { return TableEntry(AttributeSet, AttributeId, 0) != 0; }

  bool IsWeapon() const { return ItemType == ItemWeapon; }
  bool IsArmor() const { return ItemType >= ItemShield && ItemType <= ItemAccessory; }
  bool IsTwoHandedWeapon() const { return IsWeapon() && TwoHanded == 1; }
  // The equipment slot of the item's type, -1 for what cannot be equipped.
  int32_t SlotOfItem() const { return IsWeapon() || IsArmor() ? int32_t(ItemType) - ItemWeapon : -1; }

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfItem : public TCatalogOf<TLcfItemItem> {
 public:
  TLcfItem() : TCatalogOf("Invalid Item") {}
};
