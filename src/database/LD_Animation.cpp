#include "database/LD_Animation.h"

namespace {

using FT = TFieldMaker<TLcfAnimationTimingItem>;
using AT = TLcfAnimationTimingItem;
constexpr TFieldDesc TimingFields[] = {
    FT::Int<&AT::Frame>(1, "Frame"),
    FT::Record<&AT::Sound>(2, "Sound"),
    FT::Fixed<&AT::FlashScope>(3, "FlashScope"),
    FT::Int<&AT::FlashRed>(4, "FlashRed", 31),
    FT::Int<&AT::FlashGreen>(5, "FlashGreen", 31),
    FT::Int<&AT::FlashBlue>(6, "FlashBlue", 31),
    FT::Int<&AT::FlashLevel>(7, "FlashLevel", 31),
    FT::Int<&AT::Reserved8>(8, "Reserved8"),
};
static_assert(AscendingIds(TimingFields));

using FC = TFieldMaker<TLcfAnimationCellItem>;
using AC = TLcfAnimationCellItem;
constexpr TFieldDesc CellFields[] = {
    FC::Flag<&AC::Visible>(1, "Visible", 1),
    FC::Int<&AC::Pattern>(2, "Pattern"),
    FC::Int<&AC::X>(3, "X"),
    FC::Int<&AC::Y>(4, "Y"),
    FC::Int<&AC::Zoom>(5, "Zoom", 100),
    FC::Int<&AC::Red>(6, "Red", 100),
    FC::Int<&AC::Green>(7, "Green", 100),
    FC::Int<&AC::Blue>(8, "Blue", 100),
    FC::Int<&AC::Saturation>(9, "Saturation", 100),
    FC::Int<&AC::Transparency>(10, "Transparency"),
};
static_assert(AscendingIds(CellFields));

using FP = TFieldMaker<TLcfAnimationPatternItem>;
constexpr TFieldDesc PatternFields[] = {
    FP::List<&TLcfAnimationPatternItem::Cells>(1, "Cells"),
};

using FA = TFieldMaker<TLcfAnimationItem>;
using AN = TLcfAnimationItem;
// Twenty empty frames is what the editor gives a new animation; a file's own frame list
// replaces them entirely, because a list load starts empty.
constexpr uint32_t NewAnimationFrames = 20;
constexpr TFieldDesc AnimationFields[] = {
    FA::Text<&AN::Name>(1, "Name").OmitEmpty(),
    FA::Text<&AN::GraphicName>(2, "GraphicName").OmitEmpty(),
    FA::List<&AN::Timings>(6, "Timings"),
    FA::Fixed<&AN::Scope>(9, "Scope", AnimationOnEachTarget),
    FA::Fixed<&AN::Position>(10, "Position", AnimationBottom),
    FA::List<&AN::Frames>(12, "Frames").DefaultItems(NewAnimationFrames),
};
static_assert(AscendingIds(AnimationFields));

}  // namespace

const TRecordSchema TLcfAnimationTimingItem::Fields{"TLcfAnimationTimingItem", TimingFields};
const TRecordSchema TLcfAnimationCellItem::Fields{"TLcfAnimationCellItem", CellFields};
const TRecordSchema TLcfAnimationPatternItem::Fields{"TLcfAnimationPatternItem", PatternFields};
const TRecordSchema TLcfAnimationItem::Fields{"TLcfAnimationItem", AnimationFields};
