#include "database/LD_Item.h"

namespace {

using F = TFieldMaker<TLcfItemItem>;
using I = TLcfItemItem;
constexpr TFieldDesc ItemFields[] = {
    F::Text<&I::Name>(1, "Name").OmitEmpty(),
    F::Text<&I::Description>(2, "Description").OmitEmpty(),
    F::Fixed<&I::ItemType>(3, "ItemType"),
    F::Int<&I::Price>(5, "Price"),
    F::Int<&I::Uses>(6, "Uses", 1),
    F::Int<&I::AttackBonus>(11, "AttackBonus"),
    F::Int<&I::DefenseBonus>(12, "DefenseBonus"),
    F::Int<&I::SpiritBonus>(13, "SpiritBonus"),
    F::Int<&I::AgilityBonus>(14, "AgilityBonus"),
    F::Fixed<&I::TwoHanded>(15, "TwoHanded"),
    F::Int<&I::SpCost>(16, "SpCost"),
    F::Int<&I::HitRate>(17, "HitRate", 90),
    F::Int<&I::CriticalBonus>(18, "CriticalBonus"),
    F::Int<&I::Animation>(20, "Animation", 1),
    F::Flag<&I::FirstStrike>(21, "FirstStrike"),
    F::Flag<&I::AttackTwice>(22, "AttackTwice"),
    F::Flag<&I::AttackAll>(23, "AttackAll"),
    F::Flag<&I::IgnoreEvasion>(24, "IgnoreEvasion"),
    F::Flag<&I::PreventCritical>(25, "PreventCritical"),
    F::Flag<&I::RaiseEvasion>(26, "RaiseEvasion"),
    F::Flag<&I::HalfSpCost>(27, "HalfSpCost"),
    F::Flag<&I::NoTerrainDamage>(28, "NoTerrainDamage"),
    F::Fixed<&I::EntireParty>(31, "EntireParty"),
    F::Int<&I::HpRate>(32, "HpRate"),
    F::Int<&I::HpAmount>(33, "HpAmount"),
    F::Int<&I::SpRate>(34, "SpRate"),
    F::Int<&I::SpAmount>(35, "SpAmount"),
    F::Flag<&I::NotInBattle>(37, "NotInBattle"),
    F::Flag<&I::DeadOnly>(38, "DeadOnly"),
    F::Int<&I::MaxHpGain>(41, "MaxHpGain"),
    F::Int<&I::MaxSpGain>(42, "MaxSpGain"),
    F::Int<&I::AttackGain>(43, "AttackGain"),
    F::Int<&I::DefenseGain>(44, "DefenseGain"),
    F::Int<&I::SpiritGain>(45, "SpiritGain"),
    F::Int<&I::AgilityGain>(46, "AgilityGain"),
    F::Fixed<&I::UseSkillMessage>(51, "UseSkillMessage"),
    F::Int<&I::SkillId>(53, "SkillId", 1),
    F::Int<&I::SwitchId>(55, "SwitchId", 1),
    F::Flag<&I::UsableInMenu>(57, "UsableInMenu", 1),
    F::Flag<&I::UsableInBattle>(58, "UsableInBattle"),
    F::TableCount<&I::ActorSet>(61, "ActorSetCount", I::ActorSetBeyond),
    F::Table<&I::ActorSet>(62, "ActorSet", I::ActorSetBeyond),
    F::TableCount<&I::StateSet>(63, "StateSetCount", 0),
    F::Table<&I::StateSet>(64, "StateSet", 0),
    F::TableCount<&I::AttributeSet>(65, "AttributeSetCount", 0),
    F::Table<&I::AttributeSet>(66, "AttributeSet", 0),
    F::Int<&I::StateChance>(67, "StateChance"),
};
static_assert(AscendingIds(ItemFields));

}  // namespace

const TRecordSchema TLcfItemItem::Fields{"TLcfItemItem", ItemFields};
