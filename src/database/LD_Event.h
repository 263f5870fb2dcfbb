// Event scripts, move routes, map event pages and common events as the game files store them.
// Scripts and routes are held decoded (the lines and commands the interpreter runs); their
// encoded bytes are produced again whenever a record is written.
#pragma once

#include "data/Catalog.h"

#include <cstdint>
#include <string>
#include <vector>

class TLcfEventScriptLine {
 public:
  int32_t Code = 0;    // 0 ends a script or a block
  int32_t Indent = 0;  // nesting depth, 0 at top level
  std::string Text;
  std::vector<int32_t> Params;

  int32_t ParamCount() const { return int32_t(Params.size()); }
  int32_t Param(int32_t Index) const { return Index >= 0 && size_t(Index) < Params.size() ? Params[size_t(Index)] : 0; }
  void SetParam(int32_t Index, int32_t Value) {
    if (Index >= 0 && size_t(Index) < Params.size()) Params[size_t(Index)] = Value;
  }
  void SetParamCount(int32_t N) { Params.resize(size_t(std::max(N, 0))); }
  bool operator==(const TLcfEventScriptLine&) const = default;
};

class TLcfEventScriptList {
 public:
  std::vector<TLcfEventScriptLine> Items;

  size_t Count() const { return Items.size(); }
  const TLcfEventScriptLine& Lines(size_t Index) const { return Items[Index]; }
  void Add(TLcfEventScriptLine Line) { Items.push_back(std::move(Line)); }
  void Clear() { Items.clear(); }
  // Lines up to the end of the data; a line cut short is "Stream read error".
  void Decode(TByteReader& In);
  void Encode(TByteWriter& Out) const;
  void Assign(const TLcfEventScriptList& Other) { Items = Other.Items; }
  bool operator==(const TLcfEventScriptList&) const = default;
};

// One move-route command; the fields a code does not use stay 0 or empty.
struct TLcfMoveRouteItem {
  int32_t Code = 0;
  int32_t IntParam = 0;  // codes 32, 33: a switch id
  std::string SpriteName;  // code 34
  int32_t SpriteIndex = 0;
  std::string SoundName;  // code 35
  int32_t Volume = 0, Tempo = 0, Balance = 0;
  bool operator==(const TLcfMoveRouteItem&) const = default;
};

// Move-route command codes that carry values.
enum EMoveRouteCode : int32_t { MoveSwitchOn = 32, MoveSwitchOff = 33, MoveChangeSprite = 34, MovePlaySound = 35 };

class TLcfMoveCommandList {
 public:
  std::vector<TLcfMoveRouteItem> Items;
  void Decode(TByteReader& In);
  void Encode(TByteWriter& Out) const;
  bool operator==(const TLcfMoveCommandList&) const = default;
};

class TLcfMoveRoute : public TCatalogBaseItem {
 public:
  TLcfMoveCommandList Commands;
  uint8_t Repeat = 1;     // restart at the end
  uint8_t Skippable = 0;  // a step that cannot be made is skipped instead of retried

  size_t CommandCount() const { return Commands.Items.size(); }
  const TLcfMoveRouteItem& Command(size_t Index) const { return Commands.Items[Index]; }
  // Replaces the commands with the decoding of Data ("Stream read error" when cut short).
  void SetData(std::span<const uint8_t> Data);
  TBytes Data() const;
  // The same number of commands with the same code at every position; values are not compared.
  bool SameCodes(const TLcfMoveRoute& Other) const;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

// Base of every record that owns a script: map event pages, common events, battle event pages.
// A cleared script holds its end marker: one line of code 0.
class TLcfBaseEventPageItem : public TCatalogItem {
 public:
  TLcfEventScriptList Script;
};

// The four zero bytes of an empty script: a single end line.
inline constexpr std::string_view EmptyScriptBytes{"\0\0\0\0", 4};

enum EEventConditionFlag : uint8_t {
  ConditionSwitchA = 0x01, ConditionSwitchB = 0x02, ConditionVariable = 0x04,
  ConditionItem = 0x08, ConditionActor = 0x10, ConditionTimer = 0x20
};

class TLcfEventCondition : public TCatalogBaseItem {
 public:
  uint8_t Flags = 0;
  int32_t SwitchA = 1, SwitchB = 1, VariableId = 1, VariableValue = 0, ItemId = 1;
  int32_t ActorId = 1;  // cleared to 1, while the value not written is 0
  int32_t TimerSeconds = 0;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfEventPageItem : public TLcfBaseEventPageItem {
 public:
  TLcfEventCondition Condition;
  std::string CharSetName;
  int32_t CharSetIndex = 0;
  uint8_t Direction = 2;
  int32_t Pattern = 1;
  uint8_t Transparent = 0, MoveType = 0;
  int32_t MoveFrequency = 3;
  uint8_t Trigger = 0, Layer = 0, OverlapForbidden = 0, AnimationType = 0;
  int32_t MoveSpeed = 3;
  TLcfMoveRoute MoveRoute;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfEventPage : public TCatalogOf<TLcfEventPageItem> {
 public:
  TLcfEventPage() : TCatalogOf("Invalid Event Page") {}
};

class TLcfEventItem : public TCatalogItem {
 public:
  int32_t X = 0, Y = 0;
  TLcfEventPage Pages;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfEvent : public TCatalogOf<TLcfEventItem> {
 public:
  TLcfEvent() : TCatalogOf("Invalid Event Name") {}
};

enum ECommonEventTrigger : uint8_t { CommonAutoStart = 3, CommonParallel = 4, CommonCalled = 5 };

class TLcfCommonEventItem : public TLcfBaseEventPageItem {
 public:
  uint8_t Trigger = CommonCalled;
  uint8_t UseSwitch = 0;
  int32_t SwitchId = 1;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfCommonEvent : public TCatalogOf<TLcfCommonEventItem> {
 public:
  TLcfCommonEvent() : TCatalogOf("Invalid Common Event") {}
};
