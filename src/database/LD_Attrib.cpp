#include "database/LD_Attrib.h"

namespace {

using F = TFieldMaker<TLcfAttribItem>;
using A = TLcfAttribItem;
constexpr TFieldDesc AttribFields[] = {
    F::Text<&A::Name>(1, "Name").OmitEmpty(),
    F::Fixed<&A::AttributeKind>(2, "AttributeKind"),
    F::Int<&A::RateA>(11, "RateA", 300),
    F::Int<&A::RateB>(12, "RateB", 200),
    F::Int<&A::RateC>(13, "RateC", 100),
    F::Int<&A::RateD>(14, "RateD", 50),
    F::Int<&A::RateE>(15, "RateE", 0),
};
static_assert(AscendingIds(AttribFields));

}  // namespace

const TRecordSchema TLcfAttribItem::Fields{"TLcfAttribItem", AttribFields};

int32_t TLcfAttribItem::Rate(int32_t Rank) const {
  static constexpr int32_t TLcfAttribItem::*ByRank[RankCount] = {&A::RateA, &A::RateB, &A::RateC, &A::RateD, &A::RateE};
  return Rank >= 0 && Rank < RankCount ? this->*ByRank[Rank] : 0;
}
