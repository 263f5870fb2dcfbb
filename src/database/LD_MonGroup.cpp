#include "database/LD_MonGroup.h"

namespace {

using FM = TFieldMaker<TLcfMonGroupMonsterItem>;
using M = TLcfMonGroupMonsterItem;
constexpr TFieldDesc MemberFields[] = {
    FM::Int<&M::MonsterId>(1, "MonsterId", 1),
    FM::Int<&M::X>(2, "X"),
    FM::Int<&M::Y>(3, "Y"),
    FM::Flag<&M::Hidden>(4, "Hidden"),
};
static_assert(AscendingIds(MemberFields));

using FT = TFieldMaker<TLcfBattleEventTrigger>;
using T = TLcfBattleEventTrigger;
constexpr TFieldDesc TriggerFields[] = {
    FT::Fixed<&T::Flags>(1, "Flags"),
    FT::Int<&T::SwitchAId>(2, "SwitchAId", 1),
    FT::Int<&T::SwitchBId>(3, "SwitchBId", 1),
    FT::Int<&T::VariableId>(4, "VariableId", 1),
    FT::Int<&T::VariableValue>(5, "VariableValue"),
    FT::Int<&T::TurnInterval>(6, "TurnInterval"),
    FT::Int<&T::TurnFirst>(7, "TurnFirst"),
    FT::Int<&T::DamageMin>(8, "DamageMin"),
    FT::Int<&T::DamageMax>(9, "DamageMax", 100),
    FT::Int<&T::EnemyIndex>(10, "EnemyIndex"),
    FT::Int<&T::EnemyHpMin>(11, "EnemyHpMin"),
    FT::Int<&T::EnemyHpMax>(12, "EnemyHpMax", 100),
    FT::Int<&T::ActorId>(13, "ActorId", 1),
    FT::Int<&T::ActorHpMin>(14, "ActorHpMin"),
    FT::Int<&T::ActorHpMax>(15, "ActorHpMax", 100),
};
static_assert(AscendingIds(TriggerFields));

using FP = TFieldMaker<TLcfBattleEventPageItem>;
using P = TLcfBattleEventPageItem;
constexpr TFieldDesc PageFields[] = {
    FP::Record<&P::Trigger>(2, "Trigger"),
    FP::EncodedSize<&P::Script>(11, "ScriptSize"),
    FP::Encoded<&P::Script>(12, "Script", EDataFormat::Script).DefaultBytes(EmptyScriptBytes),
};
static_assert(AscendingIds(PageFields));

using F = TFieldMaker<TLcfMonGroupItem>;
using G = TLcfMonGroupItem;
constexpr TFieldDesc MonGroupFields[] = {
    F::Text<&G::Name>(1, "Name").OmitEmpty(),
    F::List<&G::Members>(2, "Members"),
    F::TableCount<&G::TerrainSet>(4, "TerrainSetCount", G::TerrainSetBeyond),
    F::Table<&G::TerrainSet>(5, "TerrainSet", G::TerrainSetBeyond),
    F::List<&G::Pages>(11, "Pages").DefaultItems(1),
};
static_assert(AscendingIds(MonGroupFields));

}  // namespace

const TRecordSchema TLcfMonGroupMonsterItem::Fields{"TLcfMonGroupMonsterItem", MemberFields};
const TRecordSchema TLcfBattleEventTrigger::Fields{"TLcfBattleEventTrigger", TriggerFields};
const TRecordSchema TLcfBattleEventPageItem::Fields{"TLcfBattleEventPageItem", PageFields};
const TRecordSchema TLcfMonGroupItem::Fields{"TLcfMonGroupItem", MonGroupFields};
