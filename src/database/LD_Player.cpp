#include "database/LD_Player.h"

namespace {

using Curve = std::array<uint16_t, TLcfPlayerItem::CurveLevels>;
constexpr Curve CurveA = {40,  43,  49,  55,  60,  66,  72,  79,  85,  92,  98,  105, 112, 120, 127, 135, 143,
                          151, 160, 168, 177, 186, 195, 205, 215, 225, 236, 247, 258, 269, 281, 293, 305, 318,
                          331, 345, 359, 373, 388, 404, 419, 436, 453, 471, 489, 508, 527, 547, 568, 600};
constexpr Curve CurveB = {15, 16, 18, 19, 20, 22, 23,  25,  26,  28,  30,  31,  33,  35,  37,  38,  40,
                          42, 44, 47, 49, 51, 53, 55,  58,  60,  63,  65,  68,  71,  74,  77,  80,  83,
                          86, 89, 93, 96, 100, 103, 107, 111, 115, 119, 124, 128, 133, 138, 143, 150};
constexpr Curve CurveC = {20,  22,  25,  28,  31,  34,  37,  40,  43,  46,  50,  53,  57,  61,  64,  68,  72,
                          76,  81,  85,  89,  94,  98,  103, 108, 113, 119, 124, 129, 135, 141, 147, 153, 160,
                          166, 173, 180, 187, 194, 202, 210, 218, 227, 236, 245, 254, 264, 274, 284, 300};

constexpr TLcfPlayerItem::TParamCurves MakeDefaultCurves() {
  const Curve* const ByParam[ParamCount] = {&CurveA, &CurveA, &CurveB, &CurveB, &CurveC, &CurveC};
  TLcfPlayerItem::TParamCurves Curves{};
  for (size_t P = 0; P < ParamCount; ++P)
    for (size_t L = 0; L < Curve().size(); ++L) Curves[P * TLcfPlayerItem::CurveLevels + L] = (*ByParam[P])[L];
  return Curves;
}
constexpr TLcfPlayerItem::TParamCurves DefaultCurves = MakeDefaultCurves();

void ClearParamCurves(TCatalogBaseItem& B, const TFieldDesc&) {
  static_cast<TLcfPlayerItem&>(B).ParamCurves = DefaultCurves;
}

using FL = TFieldMaker<TLcfPlayerLearningItem>;
using L = TLcfPlayerLearningItem;
constexpr TFieldDesc LearningFields[] = {
    FL::Int<&L::Level>(1, "Level", 1),
    FL::Int<&L::SkillId>(2, "SkillId", 1),
};
static_assert(AscendingIds(LearningFields));

using F = TFieldMaker<TLcfPlayerItem>;
using P = TLcfPlayerItem;
constexpr TFieldDesc PlayerFields[] = {
    F::Text<&P::Name>(1, "Name").OmitEmpty(),
    F::Text<&P::Title>(2, "Title").OmitEmpty(),
    F::Text<&P::CharSetName>(3, "CharSetName").OmitEmpty(),
    F::Int<&P::CharSetIndex>(4, "CharSetIndex"),
    F::Flag<&P::CharSetTransparent>(5, "CharSetTransparent"),
    F::Int<&P::InitialLevel>(7, "InitialLevel", 1),
    F::Int<&P::MaxLevel>(8, "MaxLevel", 50),
    F::Flag<&P::CriticalEnabled>(9, "CriticalEnabled", 1),
    F::Int<&P::CriticalRate>(10, "CriticalRate", 30),
    F::Text<&P::FaceName>(15, "FaceName").OmitEmpty(),
    F::Int<&P::FaceIndex>(16, "FaceIndex"),
    F::Flag<&P::TwoWeapons>(21, "TwoWeapons"),
    F::Flag<&P::EquipmentLocked>(22, "EquipmentLocked"),
    F::Flag<&P::AutoBattle>(23, "AutoBattle"),
    F::Flag<&P::StrongDefense>(24, "StrongDefense"),
    F::Fixed<&P::ParamCurves>(31, "ParamCurves").Shown(EDataFormat::UInt16).ClearedBy(&ClearParamCurves),
    F::Int<&P::ExpBase>(41, "ExpBase", 30),
    F::Int<&P::ExpInflation>(42, "ExpInflation", 30),
    F::Int<&P::ExpCorrection>(43, "ExpCorrection"),
    F::Fixed<&P::InitialEquipment>(51, "InitialEquipment").Shown(EDataFormat::UInt16),
    F::Int<&P::UnarmedAnimation>(56, "UnarmedAnimation", 1),
    F::List<&P::Learning>(63, "Learning"),
    F::Flag<&P::CustomSkillCommand>(66, "CustomSkillCommand"),
    F::Text<&P::SkillCommandName>(67, "SkillCommandName").OmitEmpty(),
    F::TableCount<&P::StateRanks>(71, "StateRanksCount", P::RankBeyond),
    F::Table<&P::StateRanks>(72, "StateRanks", P::RankBeyond),
    F::TableCount<&P::AttributeRanks>(73, "AttributeRanksCount", P::RankBeyond),
    F::Table<&P::AttributeRanks>(74, "AttributeRanks", P::RankBeyond),
};
static_assert(AscendingIds(PlayerFields));

}  // namespace

const TRecordSchema TLcfPlayerLearningItem::Fields{"TLcfPlayerLearningItem", LearningFields};
const TRecordSchema TLcfPlayerItem::Fields{"TLcfPlayerItem", PlayerFields};

const TLcfPlayerItem::TParamCurves& TLcfPlayerItem::DefaultParamCurves() { return DefaultCurves; }

int32_t TLcfPlayerItem::GetParam(int32_t Param, int32_t Level) const {
  if (Param < 0 || Param >= ParamCount || Level < 1 || Level > CurveLevels) return 0;
  return ParamCurves[size_t(Param * CurveLevels + Level - 1)];
}
