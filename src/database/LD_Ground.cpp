#include "database/LD_Ground.h"

namespace {

using F = TFieldMaker<TLcfGroundItem>;
using G = TLcfGroundItem;
constexpr TFieldDesc GroundFields[] = {
    F::Text<&G::Name>(1, "Name").OmitEmpty(),
    F::Int<&G::StepDamage>(2, "StepDamage"),
    F::Int<&G::EncounterRate>(3, "EncounterRate", 100),
    F::Text<&G::Backdrop>(4, "Backdrop").OmitEmpty(),
    F::Flag<&G::BoatPass>(5, "BoatPass"),
    F::Flag<&G::ShipPass>(6, "ShipPass"),
    F::Flag<&G::AirshipPass>(7, "AirshipPass", 1),
    F::Flag<&G::AirshipLand>(9, "AirshipLand", 1),
    F::Fixed<&G::BushDepth>(11, "BushDepth"),
};
static_assert(AscendingIds(GroundFields));

}  // namespace

const TRecordSchema TLcfGroundItem::Fields{"TLcfGroundItem", GroundFields};
