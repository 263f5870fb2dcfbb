#include "database/LD_Skill.h"

namespace {

using F = TFieldMaker<TLcfSkillItem>;
using S = TLcfSkillItem;
constexpr TFieldDesc SkillFields[] = {
    F::Text<&S::Name>(1, "Name").OmitEmpty(),
    F::Text<&S::Description>(2, "Description").OmitEmpty(),
    F::Text<&S::UsingMessage1>(3, "UsingMessage1").OmitEmpty(),
    F::Text<&S::UsingMessage2>(4, "UsingMessage2").OmitEmpty(),
    F::Int<&S::FailureMessage>(7, "FailureMessage"),
    F::Fixed<&S::SkillType>(8, "SkillType"),
    F::Int<&S::SpCost>(11, "SpCost"),
    F::Fixed<&S::Scope>(12, "Scope"),
    F::Int<&S::SwitchId>(13, "SwitchId", 1),
    F::Int<&S::Animation>(14, "Animation", 1),
    F::Record<&S::Sound>(16, "Sound"),
    F::Flag<&S::UsableInField>(18, "UsableInField", 1),
    F::Flag<&S::UsableInBattle>(19, "UsableInBattle"),
    F::Int<&S::AttackInfluence>(21, "AttackInfluence"),
    F::Int<&S::SpiritInfluence>(22, "SpiritInfluence", 3),
    F::Int<&S::Variance>(23, "Variance", 4),
    F::Int<&S::BasePower>(24, "BasePower"),
    F::Int<&S::HitRate>(25, "HitRate", 100),
    F::Flag<&S::AffectHp>(31, "AffectHp"),
    F::Flag<&S::AffectSp>(32, "AffectSp"),
    F::Flag<&S::AffectAttack>(33, "AffectAttack"),
    F::Flag<&S::AffectDefense>(34, "AffectDefense"),
    F::Flag<&S::AffectSpirit>(35, "AffectSpirit"),
    F::Flag<&S::AffectAgility>(36, "AffectAgility"),
    F::Flag<&S::Absorb>(37, "Absorb"),
    F::Flag<&S::IgnoreDefense>(38, "IgnoreDefense"),
    F::TableCount<&S::StateSet>(41, "StateSetCount", 0),
    F::Table<&S::StateSet>(42, "StateSet", 0),
    F::TableCount<&S::AttributeSet>(43, "AttributeSetCount", 0),
    F::Table<&S::AttributeSet>(44, "AttributeSet", 0),
    F::Flag<&S::ShiftAttributes>(45, "ShiftAttributes"),
};
static_assert(AscendingIds(SkillFields));

}  // namespace

const TRecordSchema TLcfSkillItem::Fields{"TLcfSkillItem", SkillFields};
