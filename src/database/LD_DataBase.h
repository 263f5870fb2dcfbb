// The game database "data\$$$.B": the fifteen database objects, created once, reset to their
// empty state and loaded from the file's sections. The sections of the record lists that have
// no classes yet (actors through chipsets) are kept as their raw bytes, so nothing is lost.
#pragma once

#include "data/Catalog.h"
#include "data/GameFolder.h"
#include "database/LD_Event.h"
#include "database/LD_Switch.h"
#include "database/LD_System.h"
#include "database/LD_Vocabulary.h"

#include <string>

class TLcfDataBase : public TCatalogBaseItem {
 public:
  // Section payloads of the lists 11..20, as read; empty when the file has none.
  TBytes RawActors, RawSkills, RawItems, RawMonsters, RawMonGroups, RawGrounds, RawAttribs,
      RawStatus, RawAnimations, RawChipSets;
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

  static constexpr std::string_view Header = "$$$B";
  static const TRecordSchema Fields;
  static const TFileSchema File;
  const TRecordSchema& Describe() const override { return Fields; }
};
