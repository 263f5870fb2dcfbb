// The attribute list of the database (weapon and magic attributes) with the damage percent of
// each rank A..E. Read-only at run time.
#pragma once

#include "data/Catalog.h"
#include "database/LD_Sets.h"

#include <cstdint>

enum EAttributeKind : uint8_t { AttributeWeapon, AttributeMagic };

class TLcfAttribItem : public TCatalogItem {
 public:
  uint8_t AttributeKind = AttributeWeapon;
  // Damage percent against a battler of each rank.
  int32_t RateA = 300, RateB = 200, RateC = 100, RateD = 50, RateE = 0;

  // The damage percent of rank 0..4; 0 for any other rank.
  int32_t Rate(int32_t Rank) const;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfAttrib : public TCatalogOf<TLcfAttribItem> {
 public:
  TLcfAttrib() : TCatalogOf("Invalid Attribute Name") {}
};
