// The game database "data\$$$.B": the fifteen database objects, created once, reset to their
// empty state and loaded from the file's sections. A section the file lacks leaves its list
// with one cleared item, id 1, or its record cleared.
#pragma once

#include "data/Catalog.h"
#include "data/GameFolder.h"
#include "database/LD_Animation.h"
#include "database/LD_ChipSet.h"
#include "database/LD_Attrib.h"
#include "database/LD_Event.h"
#include "database/LD_Ground.h"
#include "database/LD_Item.h"
#include "database/LD_MonGroup.h"
#include "database/LD_Monster.h"
#include "database/LD_Player.h"
#include "database/LD_Skill.h"
#include "database/LD_Status.h"
#include "database/LD_Switch.h"
#include "database/LD_System.h"
#include "database/LD_Vocabulary.h"

#include <string>

class TLcfDataBase : public TCatalogBaseItem {
 public:
  TLcfPlayer Actors;
  TLcfSkill Skills;
  TLcfItem Items;
  TLcfMonster Enemies;
  TLcfMonGroup Troops;
  TLcfGround Terrains;
  TLcfAttrib Attributes;
  TLcfStatus States;
  TLcfAnimation Animations;
  TLcfChipSet ChipSets;
  TLcfVocabulary Vocabulary;
  TLcfSystem System;
  TLcfSwitch Switches;
  TLcfVariable Variables;
  TLcfCommonEvent CommonEvents;

  TLcfDataBase() { Reset(); }

  // Every list back to one cleared item with id 1, the records cleared.
  void Reset() { Clear(); }
  // "data\$$$.B" of the game folder; EFileError when the game has none.
  void Load(const TGameFolder& Game);
  // Reset, then the whole file is read into memory and parsed there.
  void LoadFromFile(const std::string& FileName);
  // The header "$$$B", then sections up to the end, in any order; unknown ids are skipped.
  void LoadFromStream(TByteReader& Stream) override;
  void SaveToStream(TByteWriter& Stream) const override;
  // Cuts every set and rank table that is indexed by state or attribute id to the number of
  // states or attributes: a database about to be written never stores entries for records it
  // does not have. A record cannot do it itself since it does not know its database.
  void CutTablesToLists();

  static constexpr std::string_view Header = "$$$B";
  static const TRecordSchema Fields;
  static const TFileSchema File;
  const TRecordSchema& Describe() const override { return Fields; }
};
