#include "database/LD_Monster.h"

namespace {

using FA = TFieldMaker<TLcfMonsterActItem>;
using A = TLcfMonsterActItem;
constexpr TFieldDesc ActFields[] = {
    FA::Fixed<&A::Kind>(1, "Kind"),
    FA::Fixed<&A::Basic>(2, "Basic"),
    FA::Int<&A::SkillId>(3, "SkillId", 1),
    FA::Int<&A::TransformId>(4, "TransformId", 1),
    FA::Fixed<&A::Condition>(5, "Condition"),
    FA::Int<&A::ConditionA>(6, "ConditionA"),
    FA::Int<&A::ConditionB>(7, "ConditionB"),
    FA::Int<&A::ConditionSwitch>(8, "ConditionSwitch", 1),
    FA::Flag<&A::SwitchOn>(9, "SwitchOn"),
    FA::Int<&A::SwitchOnId>(10, "SwitchOnId", 1),
    FA::Flag<&A::SwitchOff>(11, "SwitchOff"),
    FA::Int<&A::SwitchOffId>(12, "SwitchOffId", 1),
    FA::Int<&A::Rating>(13, "Rating", 50),
};
static_assert(AscendingIds(ActFields));

using F = TFieldMaker<TLcfMonsterItem>;
using M = TLcfMonsterItem;
constexpr TFieldDesc MonsterFields[] = {
    F::Text<&M::Name>(1, "Name").OmitEmpty(),
    F::Text<&M::GraphicName>(2, "GraphicName").OmitEmpty(),
    F::Int<&M::Hue>(3, "Hue"),
    F::Int<&M::MaxHp>(4, "MaxHp", 10),
    F::Int<&M::MaxSp>(5, "MaxSp", 10),
    F::Int<&M::Attack>(6, "Attack", 10),
    F::Int<&M::Defense>(7, "Defense", 10),
    F::Int<&M::Spirit>(8, "Spirit", 10),
    F::Int<&M::Agility>(9, "Agility", 10),
    F::Flag<&M::Translucent>(10, "Translucent"),
    F::Int<&M::Exp>(11, "Exp"),
    F::Int<&M::Gold>(12, "Gold"),
    F::Int<&M::DropItem>(13, "DropItem"),
    F::Int<&M::DropChance>(14, "DropChance", 100),
    F::Flag<&M::CriticalEnabled>(21, "CriticalEnabled"),
    F::Int<&M::CriticalRate>(22, "CriticalRate", 30),
    F::Flag<&M::MissOften>(26, "MissOften"),
    F::Flag<&M::Setting28>(28, "Setting28"),
    F::TableCount<&M::StateRanks>(31, "StateRanksCount", M::StateRankBeyond),
    F::Table<&M::StateRanks>(32, "StateRanks", M::StateRankBeyond),
    F::TableCount<&M::AttributeRanks>(33, "AttributeRanksCount", M::AttributeRankBeyond),
    F::Table<&M::AttributeRanks>(34, "AttributeRanks", M::AttributeRankBeyond),
    F::List<&M::Actions>(42, "Actions").DefaultItems(1),
};
static_assert(AscendingIds(MonsterFields));

}  // namespace

const TRecordSchema TLcfMonsterActItem::Fields{"TLcfMonsterActItem", ActFields};
const TRecordSchema TLcfMonsterItem::Fields{"TLcfMonsterItem", MonsterFields};
