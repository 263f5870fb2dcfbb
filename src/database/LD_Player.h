// The actor list of the database: each actor's looks, level range, parameter curves,
// experience curve settings, initial equipment and the skills it learns by level. Read-only at
// run time; an actor's current level, HP and equipment are runtime state.
#pragma once

#include "data/Catalog.h"
#include "database/LD_Sets.h"

#include <array>
#include <cstdint>
#include <string>

// A skill learned on reaching a level; the list is used in id order.
class TLcfPlayerLearningItem : public TCatalogItem {
 public:
  int32_t Level = 1;
  int32_t SkillId = 1;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};
using TLcfPlayerLearning = TCatalogOf<TLcfPlayerLearningItem>;

enum EActorParam : int32_t { ParamMaxHp, ParamMaxSp, ParamAttack, ParamDefense, ParamSpirit, ParamAgility, ParamCount };

class TLcfPlayerItem : public TCatalogItem {
 public:
  static constexpr int32_t CurveLevels = 50;
  // Parameter p at level L is entry p * 50 + L - 1; stored as 16-bit little-endian values.
  using TParamCurves = std::array<uint16_t, size_t(ParamCount * CurveLevels)>;

  std::string Title;
  std::string CharSetName;
  int32_t CharSetIndex = 0;
  bool CharSetTransparent = false;
  int32_t InitialLevel = 1, MaxLevel = 50;
  bool CriticalEnabled = true;
  int32_t CriticalRate = 30;  // one plain attack in this many is critical
  std::string FaceName;
  int32_t FaceIndex = 0;
  bool TwoWeapons = false, EquipmentLocked = false, AutoBattle = false, StrongDefense = false;
  TParamCurves ParamCurves = DefaultParamCurves();
  int32_t ExpBase = 30, ExpInflation = 30, ExpCorrection = 0;
  std::array<uint16_t, 5> InitialEquipment{};  // item ids of the slots weapon..accessory; 0 empty
  int32_t UnarmedAnimation = 1;
  TLcfPlayerLearning Learning;
  bool CustomSkillCommand = false;
  std::string SkillCommandName;
  TBytes StateRanks, AttributeRanks;  // ranks 0..4; entries past the stored length: C

  static constexpr uint8_t RankBeyond = RankC;

  // The curve value; 0 for a parameter outside 0..5 or a level outside 1..50.
  int32_t GetParam(int32_t Param, int32_t Level) const;
  // The item id of slot 0..4 at a new game; 0 outside.
  int32_t InitialEquipmentAt(int32_t Slot) const {
    return Slot >= 0 && size_t(Slot) < InitialEquipment.size() ? InitialEquipment[size_t(Slot)] : 0;
  }
  uint8_t StateRank(int32_t StateId) const { return TableEntry(StateRanks, StateId, RankBeyond); }
  uint8_t AttributeRank(int32_t AttributeId) const { return TableEntry(AttributeRanks, AttributeId, RankBeyond); }

  // The curves of an actor made without chunk 31: max HP and SP on table A, attack and
  // defense on B, spirit and agility on C.
  static const TParamCurves& DefaultParamCurves();

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfPlayer : public TCatalogOf<TLcfPlayerItem> {
 public:
  TLcfPlayer() : TCatalogOf("Invalid Hero") {}
};
