// The terrain list of the database: step damage, encounter rate, battle backdrop, which
// vehicles may cross or land, and how deep a walker sinks in. Read-only at run time.
#pragma once

#include "data/Catalog.h"

#include <cstdint>
#include <string>

// How a walking character on the terrain is drawn.
enum EBushDepth : uint8_t { BushNone, BushLow, BushHigh, BushHalfOpaque };

class TLcfGroundItem : public TCatalogItem {
 public:
  int32_t StepDamage = 0;      // HP lost per step by each member; negative heals
  int32_t EncounterRate = 100;  // percent of the map's encounter chance
  std::string Backdrop;        // when neither the event nor the map names one
  bool BoatPass = false, ShipPass = false, AirshipPass = true, AirshipLand = true;
  uint8_t BushDepth = BushNone;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfGround : public TCatalogOf<TLcfGroundItem> {
 public:
  TLcfGround() : TCatalogOf("Invalid Terrain") {}
};
