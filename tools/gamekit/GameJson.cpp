#include "GameJson.h"

#include "data/CodePage.h"
#include "database/LD_DataBase.h"
#include "database/LD_Event.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

#include <map>
#include <optional>

namespace {

// The file types gamekit reads; saves join as they are written.
const TFileSchema* const KnownFiles[] = {&TLcfDataBase::File, &TLcfMapTree::File, &TLcfMap::File};

// The map tree's body is no record: its item list, the tree order (a count and map ids), one
// more integer and the start-position record, one after the other.
bool IsMapTree(const TFileSchema* Schema) { return Schema == &TLcfMapTree::File; }
constexpr std::string_view TreeMapsKey = "Maps", TreeOrderKey = "TreeOrder", TreeReservedKey = "Reserved",
                           TreeStartKey = "StartingPoint";

constexpr std::string_view RawKey = "$raw";
constexpr std::string_view HeadKey = "$head";
constexpr std::string_view IdKey = "@id";

std::span<const uint8_t> AsSpan(const std::string& S) { return {reinterpret_cast<const uint8_t*>(S.data()), S.size()}; }

TBytes Canonical(uint32_t Value) {
  TByteWriter W;
  W.Ber(Value);
  return W.Take();
}

bool SameBytes(std::span<const uint8_t> A, std::span<const uint8_t> B) { return std::equal(A.begin(), A.end(), B.begin(), B.end()); }

// Several chunks of one id in a record get keys Name, Name~2, Name~3...
std::string UniqueKey(const TJson& Object, const std::string& Key) {
  if (!Object.contains(Key)) return Key;
  for (int N = 2;; ++N) {
    std::string Candidate = Key + "~" + std::to_string(N);
    if (!Object.contains(Candidate)) return Candidate;
  }
}

std::string_view BaseKey(std::string_view Key) { return Key.substr(0, Key.find('~')); }

TJson RawValue(std::span<const uint8_t> Bytes) {
  TJson J = TJson::object();
  J[std::string(RawKey)] = ToHex(Bytes);
  return J;
}

bool IsRaw(const TJson& V) { return V.is_object() && V.size() == 1 && V.contains(std::string(RawKey)); }

// ---- Building ---------------------------------------------------------------------------------

class TBuilder {
 public:
  explicit TBuilder(std::string CodePage) : CodePage(std::move(CodePage)) {}

  void Record(const TJson& Object, const TRecordSchema& Schema, TByteWriter& Out, bool Terminated) {
    if (IsRaw(Object)) {
      Out.Bytes(FromHex(Object[std::string(RawKey)].get<std::string>()));
      return;
    }
    Expect(Object.is_object(), "an object of fields");
    for (const auto& [Key, Value] : Object.items()) {
      if (Key == IdKey) continue;
      Scope S(Path, Key);
      const std::string_view Name = BaseKey(Key);
      if (Value.is_object() && Value.contains(std::string(HeadKey))) {
        Out.Bytes(FromHex(Str(Value[std::string(HeadKey)])));
        Out.Bytes(Payload(Value.at("value"), Schema, Name));
        continue;
      }
      const TBytes P = Value == "auto" ? AutoSize(Object, Schema, Name) : Payload(Value, Schema, Name);
      Out.Ber(ChunkId(Schema, Name));
      Out.Ber(uint32_t(P.size()));
      Out.Bytes(P);
    }
    if (Terminated) Out.Ber(0);
  }

  void MapTree(const TJson& Body, TByteWriter& Out) {
    if (IsRaw(Body)) {
      Out.Bytes(FromHex(Str(Body[std::string(RawKey)])));
      return;
    }
    Expect(Body.is_object(), "an object with the map tree's parts");
    {
      Scope S(Path, std::string(TreeMapsKey));
      List(Member(Body, TreeMapsKey), TLcfMapTreeItem::Fields, Out);
    }
    {
      Scope S(Path, std::string(TreeOrderKey));
      const TJson& Order = Member(Body, TreeOrderKey);
      Expect(Order.is_array(), "an array of map ids");
      Out.Ber(uint32_t(Order.size()));
      for (const TJson& Id : Order) Out.BerInt(Int(Id));
    }
    {
      Scope S(Path, std::string(TreeReservedKey));
      Out.BerInt(Int(Member(Body, TreeReservedKey)));
    }
    Scope S(Path, std::string(TreeStartKey));
    Record(Member(Body, TreeStartKey), TLcfMapStartPosition::Fields, Out, true);
  }

  const TJson& Member(const TJson& Object, std::string_view Key) {
    const auto It = Object.find(std::string(Key));
    if (It == Object.end()) Fail("\"" + std::string(Key) + "\"");
    return *It;
  }

  // The size of the data chunk that follows a derived size or count chunk.
  TBytes AutoSize(const TJson& Object, const TRecordSchema& Schema, std::string_view Name) {
    const TFieldDesc* D = Schema.FindByName(Name);
    const TFieldDesc* Data = D && D->Derived ? Schema.Find(D->Id + 1) : nullptr;
    Expect(Data && Object.contains(std::string(Data->Name)), "a number (\"auto\" needs the data chunk beside it)");
    const TJson& DataValue = Object[std::string(Data->Name)];
    const bool Wrapped = DataValue.is_object() && DataValue.contains(std::string(HeadKey));
    const size_t Size = Payload(Wrapped ? DataValue.at("value") : DataValue, Schema, Data->Name).size();
    TByteWriter W;
    W.BerInt(int32_t(Size));
    return W.Take();
  }

  void List(const TJson& Array, const TRecordSchema& Item, TByteWriter& Out) {
    Expect(Array.is_array(), "an array of items");
    Out.Ber(uint32_t(Array.size()));
    for (size_t I = 0; I < Array.size(); ++I) {
      Scope S(Path, "[" + std::to_string(I) + "]");
      const TJson& Element = Array[I];
      Expect(Element.is_object() && Element.contains(std::string(IdKey)), "an item with \"@id\"");
      Out.BerInt(Int(Element[std::string(IdKey)]));
      Record(Element, Item, Out, true);
    }
  }

  TBytes Payload(const TJson& V, const TRecordSchema& Schema, std::string_view Name) {
    if (IsRaw(V)) return FromHex(Str(V[std::string(RawKey)]));
    const TFieldDesc* D = Name.starts_with("#") ? nullptr : Schema.FindByName(Name);
    if (!D) {
      Expect(Name.starts_with("#"), "a field of " + std::string(Schema.Name));
      return FromHex(Str(V));
    }
    return Value(V, *D);
  }

  TBytes Value(const TJson& V, const TFieldDesc& D) {
    TByteWriter W;
    switch (D.Kind) {
      case EFieldKind::Integer:
        W.BerInt(Int(V));
        break;
      case EFieldKind::Byte:
        W.Byte(Byte(V));
        break;
      case EFieldKind::FixedBytes:
        if (D.Size == 1)
          W.Byte(Byte(V));
        else
          W.Bytes(Bytes(V, D.Format));
        break;
      case EFieldKind::VarBytes:
        W.Bytes(Bytes(V, D.Format));
        break;
      case EFieldKind::String:
        W.Bytes(Text(V));
        break;
      case EFieldKind::Double: {
        Expect(V.is_number(), "a number");
        const double X = V.get<double>();
        W.Bytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(&X), 8));
        break;
      }
      case EFieldKind::Record:
        Record(V, *D.Nested, W, true);
        break;
      case EFieldKind::List:
        List(V, *D.Nested, W);
        break;
      case EFieldKind::None:
        W.Bytes(FromHex(Str(V)));
        break;
    }
    return W.Take();
  }

  TBytes Bytes(const TJson& V, EDataFormat Format) {
    TByteWriter W;
    switch (Format) {
      case EDataFormat::Hex:
        return FromHex(Str(V));
      case EDataFormat::UInt8:
      case EDataFormat::UInt16:
      case EDataFormat::Int32: {
        Expect(V.is_array(), "an array of numbers");
        const int Width = Format == EDataFormat::UInt8 ? 1 : Format == EDataFormat::UInt16 ? 2 : 4;
        for (const TJson& E : V) {
          Expect(E.is_number_integer(), "an integer");
          const int64_t X = E.get<int64_t>();
          for (int K = 0; K < Width; ++K) W.Byte(uint8_t(uint64_t(X) >> (8 * K)));
        }
        break;
      }
      case EDataFormat::Script:
        ScriptFromJson(V).Encode(W);
        break;
      case EDataFormat::MoveRoute:
        RouteFromJson(V).Encode(W);
        break;
    }
    return W.Take();
  }

  TBytes Text(const TJson& V) {
    if (V.is_object() && V.contains("bytes")) return FromHex(Str(V["bytes"]));
    Expect(V.is_string(), "a string");
    const auto Encoded = Utf8ToCodePage(V.get<std::string>(), CodePage);
    if (!Encoded) Fail("text that " + CodePage + " cannot hold");
    return TBytes(Encoded->begin(), Encoded->end());
  }
  std::string TextString(const TJson& V) {
    const TBytes B = Text(V);
    return std::string(B.begin(), B.end());
  }

  TLcfEventScriptList ScriptFromJson(const TJson& V) {
    Expect(V.is_array(), "an array of commands");
    TLcfEventScriptList L;
    for (size_t I = 0; I < V.size(); ++I) {
      Scope S(Path, "[" + std::to_string(I) + "]");
      const TJson& C = V[I];
      Expect(C.is_object(), "a command object");
      TLcfEventScriptLine Line;
      Line.Code = Int(C.value("code", TJson(0)));
      Line.Indent = Int(C.value("indent", TJson(0)));
      Line.Text = TextString(C.value("text", TJson("")));
      for (const TJson& P : C.value("params", TJson::array())) Line.Params.push_back(Int(P));
      L.Add(std::move(Line));
    }
    return L;
  }

  TLcfMoveCommandList RouteFromJson(const TJson& V) {
    Expect(V.is_array(), "an array of move commands");
    TLcfMoveCommandList L;
    for (size_t I = 0; I < V.size(); ++I) {
      Scope S(Path, "[" + std::to_string(I) + "]");
      const TJson& C = V[I];
      Expect(C.is_object(), "a move command object");
      TLcfMoveRouteItem& M = L.Items.emplace_back();
      M.Code = Int(C.value("code", TJson(0)));
      M.IntParam = Int(C.value("switch", TJson(0)));
      M.SpriteName = TextString(C.value("sprite", TJson("")));
      M.SpriteIndex = Int(C.value("index", TJson(0)));
      M.SoundName = TextString(C.value("sound", TJson("")));
      M.Volume = Int(C.value("volume", TJson(0)));
      M.Tempo = Int(C.value("tempo", TJson(0)));
      M.Balance = Int(C.value("balance", TJson(0)));
    }
    return L;
  }

  uint32_t ChunkId(const TRecordSchema& Schema, std::string_view Name) {
    if (Name.starts_with("#")) {
      const std::string Digits(Name.substr(1));
      Expect(!Digits.empty() && Digits.find_first_not_of("0123456789") == std::string::npos && Digits.size() <= 10,
             "\"#<chunk id>\"");
      return uint32_t(std::stoull(Digits));
    }
    const TFieldDesc* D = Schema.FindByName(Name);
    if (!D) Fail("a field of " + std::string(Schema.Name));
    return D->Id;
  }

  int32_t Int(const TJson& V) {
    Expect(V.is_number_integer(), "an integer");
    const int64_t X = V.get<int64_t>();
    Expect(X >= INT32_MIN && X <= UINT32_MAX, "a 32-bit integer");
    return int32_t(uint32_t(X));
  }
  uint8_t Byte(const TJson& V) {
    Expect(V.is_number_integer() && V.get<int64_t>() >= 0 && V.get<int64_t>() <= 255, "a byte 0..255");
    return uint8_t(V.get<int64_t>());
  }
  std::string Str(const TJson& V) {
    Expect(V.is_string(), "a string");
    return V.get<std::string>();
  }

  void Expect(bool Condition, const std::string& What) {
    if (!Condition) Fail(What);
  }
  [[noreturn]] void Fail(const std::string& What) {
    std::string Where;
    for (const std::string& P : Path) Where += (P.starts_with("[") || Where.empty()) ? P : "." + P;
    throw EGamekitError((Where.empty() ? std::string("document") : Where) + ": expected " + What);
  }

  struct Scope {
    Scope(std::vector<std::string>& Path, std::string Name) : Path(Path) { Path.push_back(std::move(Name)); }
    ~Scope() { Path.pop_back(); }
    std::vector<std::string>& Path;
  };

  std::string CodePage;
  std::vector<std::string> Path;
};

// ---- Dumping ----------------------------------------------------------------------------------

class TDumper {
 public:
  explicit TDumper(std::string CodePage) : CodePage(CodePage), Builder(std::move(CodePage)) {}

  // The chunks of a record in file order. Nothing when the record's own framing cannot be
  // shown (a long closing 0 or a missing one): its caller then keeps the bytes raw.
  std::optional<TJson> Record(TByteReader& In, const TRecordSchema& Schema, bool UntilEnd) {
    TJson Object = TJson::object();
    std::map<std::string, size_t> PayloadSizes;
    size_t Cursor = 0;
    for (;;) {
      if (UntilEnd && In.AtEnd()) return AutoSizes(std::move(Object), Schema, PayloadSizes);
      if (In.AtEnd()) return std::nullopt;
      const size_t Start = In.Position();
      const uint32_t Id = In.Ber();
      if (Id == 0 && !UntilEnd) {
        if (In.Position() - Start != 1) return std::nullopt;
        return AutoSizes(std::move(Object), Schema, PayloadSizes);
      }
      if (In.AtEnd()) return std::nullopt;
      const uint32_t Size = In.Ber();
      if (Size > In.Remaining()) return std::nullopt;
      const size_t HeadEnd = In.Position();
      TByteReader Payload = In.Sub(Size);
      const TFieldDesc* D = Schema.Find(Id, Cursor);
      const std::string Key = UniqueKey(Object, D ? std::string(D->Name) : "#" + std::to_string(Id));
      TJson Value = D ? Field(Payload.Rest(), *D) : TJson(ToHex(Payload.Rest()));
      TBytes Head = Canonical(Id);
      const TBytes SizeBytes = Canonical(Size);
      Head.insert(Head.end(), SizeBytes.begin(), SizeBytes.end());
      In.Seek(Start);
      const auto Original = In.Bytes(HeadEnd - Start);
      In.Skip(Size);
      if (D && !D->Derived) PayloadSizes[Key] = Size;
      if (SameBytes(Head, Original)) {
        Object[Key] = std::move(Value);
      } else {
        TJson Wrapped = TJson::object();
        Wrapped[std::string(HeadKey)] = ToHex(Original);
        Wrapped["value"] = std::move(Value);
        Object[Key] = std::move(Wrapped);
      }
    }
  }

  // A size or count chunk that matches its data chunk (the next id) is shown as "auto", so
  // that an edited script or table builds with the right size.
  static TJson AutoSizes(TJson Object, const TRecordSchema& Schema, const std::map<std::string, size_t>& PayloadSizes) {
    for (auto& [Key, Value] : Object.items()) {
      const TFieldDesc* D = Schema.FindByName(Key);
      if (!D || !D->Derived || !Value.is_number_integer()) continue;
      const TFieldDesc* Data = Schema.Find(D->Id + 1);
      if (!Data) continue;
      const auto It = PayloadSizes.find(std::string(Data->Name));
      if (It == PayloadSizes.end() || Object.contains(std::string(Data->Name) + "~2")) continue;
      if (Value.get<int64_t>() == int64_t(It->second)) Value = "auto";
    }
    return Object;
  }

  std::optional<TJson> List(TByteReader& In, const TRecordSchema& Item) {
    const size_t Start = In.Position();
    const uint32_t Count = In.Ber();
    if (In.Position() - Start != Canonical(Count).size() || Count > In.Remaining() / 2) return std::nullopt;
    TJson Array = TJson::array();
    for (uint32_t I = 0; I < Count; ++I) {
      const size_t IdStart = In.Position();
      const uint32_t Id = In.Ber();
      if (In.Position() - IdStart != Canonical(Id).size()) return std::nullopt;
      auto Fields = Record(In, Item, false);
      if (!Fields) return std::nullopt;
      TJson Element = TJson::object();
      Element[std::string(IdKey)] = int32_t(Id);
      for (auto& [K, V] : Fields->items()) Element[K] = std::move(V);
      Array.push_back(std::move(Element));
    }
    return Array;
  }

  // The map tree's body, or nothing when any part is framed in a way that cannot be shown.
  std::optional<TJson> MapTree(TByteReader& In) {
    try {
      TJson Body = TJson::object();
      auto Maps = List(In, TLcfMapTreeItem::Fields);
      if (!Maps) return std::nullopt;
      Body[std::string(TreeMapsKey)] = std::move(*Maps);
      const auto N = CanonicalBer(In);
      if (!N || *N > In.Remaining()) return std::nullopt;
      TJson Order = TJson::array();
      for (uint32_t I = 0; I < *N; ++I) {
        const auto Id = CanonicalBer(In);
        if (!Id) return std::nullopt;
        Order.push_back(int32_t(*Id));
      }
      Body[std::string(TreeOrderKey)] = std::move(Order);
      const auto Reserved = CanonicalBer(In);
      if (!Reserved) return std::nullopt;
      Body[std::string(TreeReservedKey)] = int32_t(*Reserved);
      auto Start = Record(In, TLcfMapStartPosition::Fields, false);
      if (!Start) return std::nullopt;
      Body[std::string(TreeStartKey)] = std::move(*Start);
      return Body;
    } catch (const EReadError&) {
      return std::nullopt;
    }
  }

  // A compressed integer written in its shortest form, or nothing.
  static std::optional<uint32_t> CanonicalBer(TByteReader& In) {
    const size_t Start = In.Position();
    const uint32_t Value = In.Ber();
    if (In.Position() - Start != Canonical(Value).size()) return std::nullopt;
    return Value;
  }

  // A field's payload, readable when that builds back to the same bytes, raw otherwise.
  TJson Field(std::span<const uint8_t> Payload, const TFieldDesc& D) {
    std::optional<TJson> Candidate;
    try {
      Candidate = Readable(Payload, D);
    } catch (const EReadError&) {
      Candidate.reset();
    }
    if (Candidate) {
      try {
        if (SameBytes(Builder.Value(*Candidate, D), Payload)) return *Candidate;
      } catch (const EGamekitError&) {
      }
    }
    return RawValue(Payload);
  }

  std::optional<TJson> Readable(std::span<const uint8_t> Payload, const TFieldDesc& D) {
    TByteReader In(Payload);
    switch (D.Kind) {
      case EFieldKind::Integer:
        return TJson(In.BerWithinPayload());
      case EFieldKind::Byte:
        return Payload.size() == 1 ? std::optional(TJson(Payload[0])) : std::nullopt;
      case EFieldKind::FixedBytes:
        if (Payload.size() != D.Size) return std::nullopt;
        return D.Size == 1 ? std::optional(TJson(Payload[0])) : Bytes(Payload, D.Format);
      case EFieldKind::VarBytes:
        return Bytes(Payload, D.Format);
      case EFieldKind::String:
        return Text(Payload);
      case EFieldKind::Double: {
        if (Payload.size() != 8) return std::nullopt;
        double X;
        std::memcpy(&X, Payload.data(), 8);
        if (X != X || X - X != 0) return std::nullopt;  // NaN and infinities have no JSON form
        return TJson(X);
      }
      case EFieldKind::Record: {
        auto R = Record(In, *D.Nested, false);
        return R && In.AtEnd() ? R : std::nullopt;
      }
      case EFieldKind::List: {
        auto L = List(In, *D.Nested);
        return L && In.AtEnd() ? L : std::nullopt;
      }
      case EFieldKind::None:
        return TJson(ToHex(Payload));
    }
    return std::nullopt;
  }

  std::optional<TJson> Bytes(std::span<const uint8_t> Payload, EDataFormat Format) {
    switch (Format) {
      case EDataFormat::Hex:
        return TJson(ToHex(Payload));
      case EDataFormat::UInt8:
      case EDataFormat::UInt16:
      case EDataFormat::Int32: {
        const size_t Width = Format == EDataFormat::UInt8 ? 1 : Format == EDataFormat::UInt16 ? 2 : 4;
        if (Payload.size() % Width) return TJson(ToHex(Payload));
        TJson A = TJson::array();
        for (size_t I = 0; I < Payload.size(); I += Width) {
          uint32_t X = 0;
          for (size_t K = 0; K < Width; ++K) X |= uint32_t(Payload[I + K]) << (8 * K);
          if (Width == 4)
            A.push_back(int32_t(X));
          else
            A.push_back(X);
        }
        return A;
      }
      case EDataFormat::Script:
        return Script(Payload);
      case EDataFormat::MoveRoute:
        return Route(Payload);
    }
    return std::nullopt;
  }

  TJson Script(std::span<const uint8_t> Payload) {
    TByteReader In(Payload);
    TLcfEventScriptList L;
    L.Decode(In);
    TJson A = TJson::array();
    for (const TLcfEventScriptLine& Line : L.Items) {
      TJson C = TJson::object();
      C["code"] = Line.Code;
      C["indent"] = Line.Indent;
      if (!Line.Text.empty()) C["text"] = Text(AsSpan(Line.Text));
      if (!Line.Params.empty()) C["params"] = Line.Params;
      A.push_back(std::move(C));
    }
    return A;
  }

  TJson Route(std::span<const uint8_t> Payload) {
    TByteReader In(Payload);
    TLcfMoveCommandList L;
    L.Decode(In);
    TJson A = TJson::array();
    for (const TLcfMoveRouteItem& M : L.Items) {
      TJson C = TJson::object();
      C["code"] = M.Code;
      switch (M.Code) {
        case MoveSwitchOn:
        case MoveSwitchOff:
          C["switch"] = M.IntParam;
          break;
        case MoveChangeSprite:
          C["sprite"] = Text(AsSpan(M.SpriteName));
          C["index"] = M.SpriteIndex;
          break;
        case MovePlaySound:
          C["sound"] = Text(AsSpan(M.SoundName));
          C["volume"] = M.Volume;
          C["tempo"] = M.Tempo;
          C["balance"] = M.Balance;
          break;
        default:
          break;
      }
      A.push_back(std::move(C));
    }
    return A;
  }

  // Text in the code page as a JSON string when it converts both ways exactly, else its bytes.
  TJson Text(std::span<const uint8_t> Bytes) {
    const std::string_view S(reinterpret_cast<const char*>(Bytes.data()), Bytes.size());
    if (const auto Utf8 = ReversibleUtf8(S, CodePage)) return TJson(*Utf8);
    TJson J = TJson::object();
    J["bytes"] = ToHex(Bytes);
    return J;
  }

  std::string CodePage;
  TBuilder Builder;
};

}  // namespace

std::string ToHex(std::span<const uint8_t> Bytes) {
  static constexpr char Digits[] = "0123456789abcdef";
  std::string S;
  S.reserve(Bytes.size() * 2);
  for (uint8_t B : Bytes) {
    S += Digits[B >> 4];
    S += Digits[B & 15];
  }
  return S;
}

TBytes FromHex(std::string_view Hex) {
  auto Nibble = [](char C) -> int {
    if (C >= '0' && C <= '9') return C - '0';
    if (C >= 'a' && C <= 'f') return C - 'a' + 10;
    if (C >= 'A' && C <= 'F') return C - 'A' + 10;
    return -1;
  };
  if (Hex.size() % 2) throw EGamekitError("hex text of odd length");
  TBytes B(Hex.size() / 2);
  for (size_t I = 0; I < B.size(); ++I) {
    const int Hi = Nibble(Hex[2 * I]), Lo = Nibble(Hex[2 * I + 1]);
    if (Hi < 0 || Lo < 0) throw EGamekitError("a character that is no hex digit");
    B[I] = uint8_t(Hi * 16 + Lo);
  }
  return B;
}

const TFileSchema* FindFileSchema(std::string_view Header) {
  for (const TFileSchema* F : KnownFiles)
    if (F->Header == Header) return F;
  return nullptr;
}

TJson DumpFile(std::span<const uint8_t> Data, const std::string& CodePage) {
  TByteReader In(Data);
  const std::string Header = In.BerString();
  const TFileSchema* Schema = FindFileSchema(Header);
  if (!Schema) throw EReadError(0);
  TDumper Dumper(CodePage);
  TJson Doc = TJson::object();
  Doc["gamekit"] = 1;
  Doc["codepage"] = CodePage;
  const auto HeaderBytes = Data.first(In.Position());
  TByteWriter Canon;
  Canon.BerString(Header);
  if (SameBytes(Canon.Buffer(), HeaderBytes))
    Doc["header"] = Header;
  else
    Doc["header"] = RawValue(HeaderBytes);
  const size_t BodyStart = In.Position();
  auto Body = IsMapTree(Schema) ? Dumper.MapTree(In) : Dumper.Record(In, *Schema->Body, Schema->ChunksToEnd);
  if (!Body) {
    In.Seek(BodyStart);
    Body = RawValue(In.Rest());
  }
  Doc["body"] = std::move(*Body);
  if (!In.AtEnd()) Doc["trailer"] = ToHex(In.Rest());
  return Doc;
}

TBytes BuildFile(const TJson& Document) {
  if (!Document.is_object() || !Document.contains("header") || !Document.contains("body"))
    throw EGamekitError("document: expected \"header\" and \"body\"");
  TBuilder Builder(Document.value("codepage", std::string("CP932")));
  TByteWriter Out;
  const TJson& Header = Document["header"];
  std::string HeaderText;
  if (IsRaw(Header)) {
    const TBytes B = FromHex(Builder.Str(Header[std::string(RawKey)]));
    TByteReader R(B);
    HeaderText = R.BerString();
    Out.Bytes(B);
  } else {
    HeaderText = Builder.Str(Header);
    Out.BerString(HeaderText);
  }
  const TFileSchema* Schema = FindFileSchema(HeaderText);
  if (!Schema) throw EGamekitError("header: expected a known file type, not \"" + HeaderText + "\"");
  Builder.Path.push_back("body");
  if (IsMapTree(Schema))
    Builder.MapTree(Document["body"], Out);
  else
    Builder.Record(Document["body"], *Schema->Body, Out, !Schema->ChunksToEnd);
  Builder.Path.pop_back();
  if (Document.contains("trailer")) Out.Bytes(FromHex(Builder.Str(Document["trailer"])));
  return Out.Take();
}
