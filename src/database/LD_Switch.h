// The names of the game's switches and variables (the debug scene shows them); their values
// are runtime state.
#pragma once

#include "data/Catalog.h"

class TLcfSwitchItem : public TCatalogItem {
 public:
  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfVariableItem : public TCatalogItem {
 public:
  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfSwitch : public TCatalogOf<TLcfSwitchItem> {
 public:
  TLcfSwitch() : TCatalogOf("Invalid Switch") {}
  TLcfSwitchItem& Get(int32_t Id) const { return ItemById(Id); }
};

class TLcfVariable : public TCatalogOf<TLcfVariableItem> {
 public:
  TLcfVariable() : TCatalogOf("Invalid Variable") {}
  TLcfVariableItem& Get(int32_t Id) const { return ItemById(Id); }
};
