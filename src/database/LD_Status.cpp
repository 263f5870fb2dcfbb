#include "database/LD_Status.h"

namespace {

using F = TFieldMaker<TLcfStatusItem>;
using S = TLcfStatusItem;

// A field that the death state clears to DeathValue instead of the table's value. For an
// integer that value is also the one not written, so that state 1 reads back as written.
template <auto Member, int32_t DeathValue>
constexpr TFieldDesc WithDeathValue(TFieldDesc D) {
  D.Clear = [](TCatalogBaseItem& B, const TFieldDesc& D) {
    S& State = static_cast<S&>(B);
    State.*Member = static_cast<F::TypeAt<Member>>(State.IsDeath() ? DeathValue : D.IntCleared);
  };
  if (D.Kind == EFieldKind::Integer)
    D.Write = [](const TCatalogBaseItem& B, const TFieldDesc& D, TByteWriter& Out) {
      const S& State = static_cast<const S&>(B);
      const int32_t Value = int32_t(State.*Member);
      if (Value != (State.IsDeath() ? DeathValue : D.IntDefault)) CatalogDetail::WriteIntChunk(Out, D.Id, Value);
    };
  return D;
}

constexpr TFieldDesc StatusFields[] = {
    F::Text<&S::Name>(1, "Name").OmitEmpty(),
    WithDeathValue<&S::Persistent, 1>(F::Fixed<&S::Persistent>(2, "Persistent")),
    WithDeathValue<&S::Color, 5>(F::Int<&S::Color>(3, "Color", 6)),
    WithDeathValue<&S::Priority, 100>(F::Int<&S::Priority>(4, "Priority", 50)),
    WithDeathValue<&S::Restriction, RestrictNoAction>(F::Fixed<&S::Restriction>(5, "Restriction")),
    F::Int<&S::ChanceA>(11, "ChanceA", 100),
    F::Int<&S::ChanceB>(12, "ChanceB", 80),
    F::Int<&S::ChanceC>(13, "ChanceC", 60),
    F::Int<&S::ChanceD>(14, "ChanceD", 30),
    F::Int<&S::ChanceE>(15, "ChanceE", 0),
    F::Int<&S::HoldTurns>(21, "HoldTurns"),
    F::Int<&S::RecoveryChance>(22, "RecoveryChance"),
    F::Int<&S::DamageRecoveryChance>(23, "DamageRecoveryChance"),
    F::Flag<&S::HalveAttack>(31, "HalveAttack"),
    F::Flag<&S::HalveDefense>(32, "HalveDefense"),
    F::Flag<&S::HalveSpirit>(33, "HalveSpirit"),
    F::Flag<&S::HalveAgility>(34, "HalveAgility"),
    F::Int<&S::StateHitRate>(35, "StateHitRate", 100),
    F::Flag<&S::LimitByAttack>(41, "LimitByAttack"),
    F::Int<&S::AttackLimit>(42, "AttackLimit"),
    F::Flag<&S::LimitBySpirit>(43, "LimitBySpirit"),
    F::Int<&S::SpiritLimit>(44, "SpiritLimit"),
    F::Text<&S::ActorMessage>(51, "ActorMessage").OmitEmpty(),
    F::Text<&S::EnemyMessage>(52, "EnemyMessage").OmitEmpty(),
    F::Text<&S::AlreadyMessage>(53, "AlreadyMessage").OmitEmpty(),
    F::Text<&S::TurnMessage>(54, "TurnMessage").OmitEmpty(),
    F::Text<&S::RecoveryMessage>(55, "RecoveryMessage").OmitEmpty(),
    F::Int<&S::TurnHpRate>(61, "TurnHpRate"),
    F::Int<&S::TurnHpAmount>(62, "TurnHpAmount"),
    F::Int<&S::StepHpInterval>(63, "StepHpInterval"),
    F::Int<&S::StepHpAmount>(64, "StepHpAmount"),
    F::Int<&S::TurnSpRate>(65, "TurnSpRate"),
    F::Int<&S::TurnSpAmount>(66, "TurnSpAmount"),
    F::Int<&S::StepSpInterval>(67, "StepSpInterval"),
    F::Int<&S::StepSpAmount>(68, "StepSpAmount"),
};
static_assert(AscendingIds(StatusFields));

}  // namespace

const TRecordSchema TLcfStatusItem::Fields{"TLcfStatusItem", StatusFields};

int32_t TLcfStatusItem::Chance(int32_t Rank) const {
  static constexpr int32_t S::*ByRank[RankCount] = {&S::ChanceA, &S::ChanceB, &S::ChanceC, &S::ChanceD, &S::ChanceE};
  return Rank >= 0 && Rank < RankCount ? this->*ByRank[Rank] : 0;
}

void TLcfStatusItem::SetId(int32_t Value) {
  const bool Fresh = Id == 0;
  Id = Value;
  if (Fresh) Clear();
}

void TLcfStatusItem::LoadFromStream(TByteReader& Stream) {
  TCatalogItem::LoadFromStream(Stream);
  if (IsDeath()) {
    AlreadyMessage.clear();
    TurnMessage.clear();
  }
}
