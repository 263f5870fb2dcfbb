#include "database/LD_Event.h"

// ---- Scripts --------------------------------------------------------------------------------

void TLcfEventScriptList::Decode(TByteReader& In) {
  Items.clear();
  while (!In.AtEnd()) {
    TLcfEventScriptLine& Line = Items.emplace_back();
    Line.Code = In.BerInt();
    Line.Indent = In.BerInt();
    Line.Text = In.BerString();
    const uint32_t N = In.Ber();
    // Each parameter takes at least one byte: a count the data cannot hold is damage.
    if (N > In.Remaining()) In.Fail();
    Line.Params.resize(N);
    for (int32_t& P : Line.Params) P = In.BerInt();
  }
}

void TLcfEventScriptList::Encode(TByteWriter& Out) const {
  for (const TLcfEventScriptLine& Line : Items) {
    Out.BerInt(Line.Code);
    Out.BerInt(Line.Indent);
    Out.BerString(Line.Text);
    Out.Ber(uint32_t(Line.Params.size()));
    for (int32_t P : Line.Params) Out.BerInt(P);
  }
}

// ---- Move routes ----------------------------------------------------------------------------

void TLcfMoveCommandList::Decode(TByteReader& In) {
  Items.clear();
  while (!In.AtEnd()) {
    TLcfMoveRouteItem& C = Items.emplace_back();
    C.Code = In.BerInt();
    switch (C.Code) {
      case MoveSwitchOn:
      case MoveSwitchOff:
        C.IntParam = In.BerInt();
        break;
      case MoveChangeSprite:
        C.SpriteName = In.BerString();
        C.SpriteIndex = In.BerInt();
        break;
      case MovePlaySound:
        C.SoundName = In.BerString();
        C.Volume = In.BerInt();
        C.Tempo = In.BerInt();
        C.Balance = In.BerInt();
        break;
      default:
        break;
    }
  }
}

void TLcfMoveCommandList::Encode(TByteWriter& Out) const {
  for (const TLcfMoveRouteItem& C : Items) {
    Out.BerInt(C.Code);
    switch (C.Code) {
      case MoveSwitchOn:
      case MoveSwitchOff:
        Out.BerInt(C.IntParam);
        break;
      case MoveChangeSprite:
        Out.BerString(C.SpriteName);
        Out.BerInt(C.SpriteIndex);
        break;
      case MovePlaySound:
        Out.BerString(C.SoundName);
        Out.BerInt(C.Volume);
        Out.BerInt(C.Tempo);
        Out.BerInt(C.Balance);
        break;
      default:
        break;
    }
  }
}

void TLcfMoveRoute::SetData(std::span<const uint8_t> Data) {
  TByteReader In(Data);
  Commands.Decode(In);
}

TBytes TLcfMoveRoute::Data() const {
  TByteWriter Out;
  Commands.Encode(Out);
  return Out.Take();
}

bool TLcfMoveRoute::SameCodes(const TLcfMoveRoute& Other) const {
  return std::equal(Commands.Items.begin(), Commands.Items.end(), Other.Commands.Items.begin(), Other.Commands.Items.end(),
                    [](const TLcfMoveRouteItem& A, const TLcfMoveRouteItem& B) { return A.Code == B.Code; });
}

// ---- Tables ---------------------------------------------------------------------------------

namespace {

using FR = TFieldMaker<TLcfMoveRoute>;
using MR = TLcfMoveRoute;
constexpr TFieldDesc MoveRouteFields[] = {
    FR::EncodedSize<&MR::Commands>(11, "DataSize"),
    FR::Encoded<&MR::Commands>(12, "Data", EDataFormat::MoveRoute),
    FR::Flag<&MR::Repeat>(21, "Repeat", 1),
    FR::Flag<&MR::Skippable>(22, "Skippable"),
};
static_assert(AscendingIds(MoveRouteFields));

using FC = TFieldMaker<TLcfEventCondition>;
using EC = TLcfEventCondition;
constexpr TFieldDesc ConditionFields[] = {
    FC::Fixed<&EC::Flags>(1, "Flags"),
    FC::Int<&EC::SwitchA>(2, "SwitchA", 1),
    FC::Int<&EC::SwitchB>(3, "SwitchB", 1),
    FC::Int<&EC::VariableId>(4, "VariableId", 1),
    FC::Int<&EC::VariableValue>(5, "VariableValue"),
    FC::Int<&EC::ItemId>(6, "ItemId", 1),
    FC::Int<&EC::ActorId>(7, "ActorId", 0).ClearedTo(1),
    FC::Int<&EC::TimerSeconds>(8, "TimerSeconds"),
};
static_assert(AscendingIds(ConditionFields));

using FP = TFieldMaker<TLcfEventPageItem>;
using EP = TLcfEventPageItem;
constexpr TFieldDesc PageFields[] = {
    FP::Record<&EP::Condition>(2, "Condition"),
    FP::Text<&EP::CharSetName>(21, "CharSetName").OmitEmpty(),
    FP::Int<&EP::CharSetIndex>(22, "CharSetIndex"),
    FP::Fixed<&EP::Direction>(23, "Direction", 2),
    FP::Int<&EP::Pattern>(24, "Pattern", 1),
    FP::Fixed<&EP::Transparent>(25, "Transparent"),
    FP::Fixed<&EP::MoveType>(31, "MoveType"),
    FP::Int<&EP::MoveFrequency>(32, "MoveFrequency", 3),
    FP::Fixed<&EP::Trigger>(33, "Trigger"),
    FP::Fixed<&EP::Layer>(34, "Layer"),
    FP::Fixed<&EP::OverlapForbidden>(35, "OverlapForbidden"),
    FP::Fixed<&EP::AnimationType>(36, "AnimationType"),
    FP::Int<&EP::MoveSpeed>(37, "MoveSpeed", 3),
    FP::Record<&EP::MoveRoute>(41, "MoveRoute"),
    FP::EncodedSize<&EP::Script>(51, "ScriptSize"),
    FP::Encoded<&EP::Script>(52, "Script", EDataFormat::Script).DefaultBytes(EmptyScriptBytes),
};
static_assert(AscendingIds(PageFields));

using FE = TFieldMaker<TLcfEventItem>;
using EV = TLcfEventItem;
constexpr TFieldDesc EventFields[] = {
    FE::Text<&EV::Name>(1, "Name").OmitEmpty(),
    FE::Int<&EV::X>(2, "X"),
    FE::Int<&EV::Y>(3, "Y"),
    FE::List<&EV::Pages>(5, "Pages").DefaultItems(1),
};
static_assert(AscendingIds(EventFields));

using FCE = TFieldMaker<TLcfCommonEventItem>;
using CE = TLcfCommonEventItem;
constexpr TFieldDesc CommonEventFields[] = {
    FCE::Text<&CE::Name>(1, "Name").OmitEmpty(),
    FCE::Fixed<&CE::Trigger>(11, "Trigger", CommonCalled),
    FCE::Flag<&CE::UseSwitch>(12, "UseSwitch"),
    FCE::Int<&CE::SwitchId>(13, "SwitchId", 1),
    FCE::EncodedSize<&CE::Script>(21, "ScriptSize"),
    FCE::Encoded<&CE::Script>(22, "Script", EDataFormat::Script).DefaultBytes(EmptyScriptBytes),
};
static_assert(AscendingIds(CommonEventFields));

}  // namespace

const TRecordSchema TLcfMoveRoute::Fields{"TLcfMoveRoute", MoveRouteFields};
const TRecordSchema TLcfEventCondition::Fields{"TLcfEventCondition", ConditionFields};
const TRecordSchema TLcfEventPageItem::Fields{"TLcfEventPageItem", PageFields};
const TRecordSchema TLcfEventItem::Fields{"TLcfEventItem", EventFields};
const TRecordSchema TLcfCommonEventItem::Fields{"TLcfCommonEventItem", CommonEventFields};
