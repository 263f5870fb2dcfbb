#include "database/LD_Switch.h"

namespace {

constexpr TFieldDesc SwitchFields[] = {
    TFieldMaker<TLcfSwitchItem>::Text<&TLcfSwitchItem::Name>(1, "Name").OmitEmpty(),
};
constexpr TFieldDesc VariableFields[] = {
    TFieldMaker<TLcfVariableItem>::Text<&TLcfVariableItem::Name>(1, "Name").OmitEmpty(),
};

}  // namespace

const TRecordSchema TLcfSwitchItem::Fields{"TLcfSwitchItem", SwitchFields};
const TRecordSchema TLcfVariableItem::Fields{"TLcfVariableItem", VariableFields};
