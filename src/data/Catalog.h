// The chunk catalog framework: every record of every game and save file describes its fields in
// one table of TFieldDesc (chunk id, kind, field, default, write rule); the generic reader,
// writer and Clear walk that table, and gamekit walks the same table to dump and build files.
// Lists (TCatalog) own their items and keep them sorted by id.
#pragma once

#include "data/ByteStream.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

static_assert(std::endian::native == std::endian::little, "raw chunk payloads are little-endian");

class TCatalogBaseItem;
struct TRecordSchema;

// The kind byte of a chunk description; the values are those of the file format.
enum class EFieldKind : uint8_t {
  Integer = 0,     // compressed integer, written unless equal to its default
  FixedBytes = 1,  // exactly Size raw bytes, read only from a chunk of that size, always written
  VarBytes = 2,    // raw bytes of any length, always written
  String = 3,      // the text bytes, always written or omitted when empty
  List = 4,        // a nested list
  Record = 5,      // a nested record
  Byte = 6,        // one byte, read only from a one-byte chunk, written unless default
  Double = 7,      // eight bytes, IEEE 754 little-endian, written unless default
  None = 8,        // skipped
};

// How raw bytes are shown to people (gamekit); the file format does not depend on it.
enum class EDataFormat : uint8_t { Hex, UInt8, UInt16, Int32, Script, MoveRoute };

struct TFieldDesc {
  using TReadFn = void (*)(TCatalogBaseItem&, TByteReader& Payload, const TFieldDesc&);
  using TWriteFn = void (*)(const TCatalogBaseItem&, const TFieldDesc&, TByteWriter&);
  using TClearFn = void (*)(TCatalogBaseItem&, const TFieldDesc&);
  using TLengthFn = size_t (*)(const TCatalogBaseItem&);

  uint32_t Id = 0;
  std::string_view Name;
  EFieldKind Kind = EFieldKind::None;
  EDataFormat Format = EDataFormat::Hex;
  uint32_t Size = 0;              // FixedBytes: the only size that is read
  int32_t IntDefault = 0;         // Integer, Byte, FixedBytes(1): the value not written
  int32_t IntCleared = 0;         // the value Clear sets; equal to IntDefault but in a few records
  double DoubleDefault = 0;
  std::string_view TextDefault;   // String: Clear value; VarBytes and encoded data: Clear bytes
  bool OmitWhenEmpty = false;
  bool Derived = false;           // computed from another field when writing, ignored when read
  bool Trimmed = false;           // a set or rank table: trailing TrimValue entries are not written
  uint8_t TrimValue = 0;
  uint32_t DefaultCount = 0;      // List: items 1..n that Clear creates
  const TRecordSchema* Nested = nullptr;  // Record: its table; List: the item's table
  TReadFn Read = nullptr;
  TWriteFn Write = nullptr;
  TClearFn Clear = nullptr;
  TLengthFn WriteLength = nullptr;  // VarBytes: the length the record states

  constexpr TFieldDesc OmitEmpty() const { auto D = *this; D.OmitWhenEmpty = true; return D; }
  constexpr TFieldDesc ClearedTo(int32_t V) const { auto D = *this; D.IntCleared = V; return D; }
  constexpr TFieldDesc DefaultItems(uint32_t N) const { auto D = *this; D.DefaultCount = N; return D; }
  constexpr TFieldDesc Shown(EDataFormat F) const { auto D = *this; D.Format = F; return D; }
  constexpr TFieldDesc ClearedBy(TClearFn F) const { auto D = *this; D.Clear = F; return D; }
  constexpr TFieldDesc DefaultBytes(std::string_view B) const { auto D = *this; D.TextDefault = B; return D; }
  constexpr TFieldDesc WrittenLength(TLengthFn F) const { auto D = *this; D.WriteLength = F; return D; }
};

struct TRecordSchema {
  std::string_view Name;
  std::span<const TFieldDesc> Fields;

  // Cursor remembers where the last match was: chunks normally come in table order, so a
  // record is matched in one pass over its table.
  const TFieldDesc* Find(uint32_t Id, size_t& Cursor) const {
    const size_t N = Fields.size();
    for (size_t K = 0; K < N; ++K) {
      size_t I = Cursor + K;
      if (I >= N) I -= N;
      if (Fields[I].Id == Id) {
        Cursor = I + 1 < N ? I + 1 : 0;
        return &Fields[I];
      }
    }
    return nullptr;
  }
  const TFieldDesc* Find(uint32_t Id) const {
    size_t Cursor = 0;
    return Find(Id, Cursor);
  }
  const TFieldDesc* FindByName(std::string_view Name) const;
};

// Tables list their chunks in ascending id order, each once, below 1000 (ids from 1000 on are
// never written): the writer walks the table in order.
constexpr bool AscendingIds(std::span<const TFieldDesc> Fields) {
  for (size_t I = 0; I < Fields.size(); ++I) {
    if (Fields[I].Id == 0 || Fields[I].Id >= 1000) return false;
    if (I > 0 && Fields[I - 1].Id >= Fields[I].Id) return false;
  }
  return true;
}

// A file: a header string, then its body: one record, or chunks up to the end of the file.
struct TFileSchema {
  std::string_view Header;
  const TRecordSchema* Body = nullptr;
  bool ChunksToEnd = false;
};

// Base of every chunk-serialised record.
class TCatalogBaseItem {
 public:
  virtual ~TCatalogBaseItem() = default;
  virtual const TRecordSchema& Describe() const = 0;
  // Every field of the table back to its Clear value.
  virtual void Clear();
  // Copying always goes through the encoding, so a copy is exactly what a reload would give.
  virtual void Assign(const TCatalogBaseItem& Source);
  virtual void LoadFromStream(TByteReader& Stream);
  virtual void SaveToStream(TByteWriter& Stream) const;
};

// Reads chunks into Record until a 0 id, or with UntilEnd until the reader is empty. Unknown
// ids are skipped; each chunk is read inside its own bounded reader.
void ReadChunks(TCatalogBaseItem& Record, TByteReader& In, bool UntilEnd = false);
// Writes the chunks of Record in table order, each unless its write rule omits it; with
// Terminated, the closing 0.
void WriteChunks(const TCatalogBaseItem& Record, TByteWriter& Out, bool Terminated = true);
void ClearFields(TCatalogBaseItem& Record);

// An element of a list.
class TCatalogItem : public TCatalogBaseItem {
 public:
  int32_t Id = 0;
  std::string Name;  // used by the classes that have a name chunk
  virtual void SetId(int32_t Value) { Id = Value; }
};

// An owning list of items sorted by ascending, unique id.
class TCatalog {
 public:
  using TFactory = std::unique_ptr<TCatalogItem> (*)(int32_t Id);
  TCatalog(TFactory Factory, const TRecordSchema& ItemFields, const char* MissingMessage);
  TCatalog(const TCatalog& Other);
  TCatalog& operator=(const TCatalog& Other);
  virtual ~TCatalog() = default;

  void Clear() { List.clear(); }
  size_t Count() const { return List.size(); }
  bool Empty() const { return List.empty(); }
  // Nothing at or beyond Count.
  TCatalogItem* Items(size_t Index) const { return Index < List.size() ? List[Index].get() : nullptr; }
  TCatalogItem* Find(int32_t Id) const;
  TCatalogItem& GetOrCreate(int32_t Id);
  TCatalogItem& Append();
  // Removes the item and moves every later id down by one, so ids stay 1..n.
  void Delete(int32_t Id);
  // The typed lookups: the list's fixed message when the item is missing.
  TCatalogItem& ItemAt(size_t Index) const;
  TCatalogItem& ItemById(int32_t Id) const;

  virtual void Assign(const TCatalog& Source);
  virtual void LoadFromStream(TByteReader& Stream);
  virtual void SaveToStream(TByteWriter& Stream) const;

  const TRecordSchema& ItemFields() const { return *Fields; }
  const char* MissingMessage() const { return Missing; }

 private:
  [[noreturn]] void FailMissing() const;
  TFactory Factory;
  const TRecordSchema* Fields;
  const char* Missing;
  std::vector<std::unique_ptr<TCatalogItem>> List;
};

template <class T>
class TCatalogOf : public TCatalog {
 public:
  using TItem = T;
  explicit TCatalogOf(const char* MissingMessage = "List index out of bounds")
      : TCatalog(&Make, T::Fields, MissingMessage) {}

  T* Items(size_t Index) const { return static_cast<T*>(TCatalog::Items(Index)); }
  T* Find(int32_t Id) const { return static_cast<T*>(TCatalog::Find(Id)); }
  T& GetOrCreate(int32_t Id) { return static_cast<T&>(TCatalog::GetOrCreate(Id)); }
  T& Append() { return static_cast<T&>(TCatalog::Append()); }
  T& ItemAt(size_t Index) const { return static_cast<T&>(TCatalog::ItemAt(Index)); }
  T& ItemById(int32_t Id) const { return static_cast<T&>(TCatalog::ItemById(Id)); }

 private:
  static std::unique_ptr<TCatalogItem> Make(int32_t Id) {
    auto Item = std::make_unique<T>();
    Item->Clear();
    Item->SetId(Id);
    return Item;
  }
};

// ---- Field tables ----------------------------------------------------------------------------

// A path to a field: member pointers and array indices applied in turn, so that a table can
// name Musics[3] or Shops[1].Greeting.
template <auto First, auto... Rest>
struct TPath {
  template <class T>
  static constexpr auto& Get(T& Object) {
    auto& Next = Step(Object);
    if constexpr (sizeof...(Rest) == 0)
      return Next;
    else
      return TPath<Rest...>::Get(Next);
  }

 private:
  template <class T>
  static constexpr auto& Step(T& Object) {
    if constexpr (std::is_member_object_pointer_v<decltype(First)>)
      return Object.*First;
    else
      return Object[First];
  }
};

// Out-of-line pieces of the generic writer, shared by every field maker.
namespace CatalogDetail {
void WriteIntChunk(TByteWriter& Out, uint32_t Id, int32_t Value);
void WriteRawChunk(TByteWriter& Out, uint32_t Id, std::span<const uint8_t> Payload);
size_t TrimmedLength(std::span<const uint8_t> Data, uint8_t TrimValue);
std::span<const uint8_t> AsBytes(std::string_view Text);
std::span<const uint8_t> WrittenBytes(const TCatalogBaseItem& Record, const TFieldDesc& D, std::span<const uint8_t> Data);
void DecodeDefault(const TFieldDesc& D, auto& Value) {
  TByteReader In(AsBytes(D.TextDefault));
  Value.Decode(In);
}
}  // namespace CatalogDetail

// The makers of TFieldDesc for record class R. A table reads like the file format:
//   F::Int<&TLcfMusic::Volume>(3, "Volume", 100)
template <class R>
struct TFieldMaker {
  template <auto... P>
  static constexpr auto& At(TCatalogBaseItem& B) { return TPath<P...>::Get(static_cast<R&>(B)); }
  template <auto... P>
  static constexpr const auto& At(const TCatalogBaseItem& B) { return TPath<P...>::Get(static_cast<const R&>(B)); }
  template <auto... P>
  using TypeAt = std::remove_cvref_t<decltype(At<P...>(std::declval<TCatalogBaseItem&>()))>;

  static constexpr TFieldDesc Base(uint32_t Id, std::string_view Name, EFieldKind Kind) {
    TFieldDesc D;
    D.Id = Id;
    D.Name = Name;
    D.Kind = Kind;
    return D;
  }

  // integer: any integral member, stored as 32 bits in the file.
  template <auto... P>
  static constexpr TFieldDesc Int(uint32_t Id, std::string_view Name, int32_t Default = 0) {
    TFieldDesc D = Base(Id, Name, EFieldKind::Integer);
    D.IntDefault = D.IntCleared = Default;
    D.Read = [](TCatalogBaseItem& B, TByteReader& In, const TFieldDesc&) {
      At<P...>(B) = static_cast<TypeAt<P...>>(In.BerWithinPayload());
    };
    D.Write = [](const TCatalogBaseItem& B, const TFieldDesc& D, TByteWriter& Out) {
      const int32_t V = int32_t(At<P...>(B));
      if (V != D.IntDefault) CatalogDetail::WriteIntChunk(Out, D.Id, V);
    };
    D.Clear = [](TCatalogBaseItem& B, const TFieldDesc& D) { At<P...>(B) = static_cast<TypeAt<P...>>(D.IntCleared); };
    return D;
  }

  // byte: one byte (booleans 0/1), written unless default.
  template <auto... P>
  static constexpr TFieldDesc Flag(uint32_t Id, std::string_view Name, int32_t Default = 0) {
    TFieldDesc D = Base(Id, Name, EFieldKind::Byte);
    D.Size = 1;
    D.IntDefault = D.IntCleared = Default;
    D.Read = [](TCatalogBaseItem& B, TByteReader& In, const TFieldDesc&) {
      if (In.Remaining() == 1) At<P...>(B) = static_cast<TypeAt<P...>>(In.Byte());
    };
    D.Write = [](const TCatalogBaseItem& B, const TFieldDesc& D, TByteWriter& Out) {
      const uint8_t V = uint8_t(At<P...>(B));
      if (V != uint8_t(D.IntDefault)) CatalogDetail::WriteRawChunk(Out, D.Id, {&V, 1});
    };
    D.Clear = [](TCatalogBaseItem& B, const TFieldDesc& D) { At<P...>(B) = static_cast<TypeAt<P...>>(D.IntCleared); };
    return D;
  }

  template <auto... P>
  static constexpr TFieldDesc Double(uint32_t Id, std::string_view Name, double Default = 0) {
    TFieldDesc D = Base(Id, Name, EFieldKind::Double);
    D.Size = 8;
    D.DoubleDefault = Default;
    D.Read = [](TCatalogBaseItem& B, TByteReader& In, const TFieldDesc&) {
      if (In.Remaining() == 8) std::memcpy(&At<P...>(B), In.Bytes(8).data(), 8);
    };
    D.Write = [](const TCatalogBaseItem& B, const TFieldDesc& D, TByteWriter& Out) {
      const double V = At<P...>(B);
      if (V != D.DoubleDefault) CatalogDetail::WriteRawChunk(Out, D.Id, {reinterpret_cast<const uint8_t*>(&V), 8});
    };
    D.Clear = [](TCatalogBaseItem& B, const TFieldDesc& D) { At<P...>(B) = D.DoubleDefault; };
    return D;
  }

  // bytes (n): a fixed block of sizeof(member) bytes, read only from a chunk of exactly that
  // size, always written. A one-byte member clears to Default; wider ones to zero unless the
  // table gives ClearedBy.
  template <auto... P>
  static constexpr TFieldDesc Fixed(uint32_t Id, std::string_view Name, int32_t Default = 0) {
    using T = TypeAt<P...>;
    static_assert(std::is_trivially_copyable_v<T>);
    TFieldDesc D = Base(Id, Name, EFieldKind::FixedBytes);
    D.Size = sizeof(T);
    D.IntDefault = D.IntCleared = Default;
    if constexpr (sizeof(T) > 1) D.Format = EDataFormat::Hex;
    D.Read = [](TCatalogBaseItem& B, TByteReader& In, const TFieldDesc&) {
      if (In.Remaining() == sizeof(T)) std::memcpy(&At<P...>(B), In.Bytes(sizeof(T)).data(), sizeof(T));
    };
    D.Write = [](const TCatalogBaseItem& B, const TFieldDesc& D, TByteWriter& Out) {
      CatalogDetail::WriteRawChunk(Out, D.Id, {reinterpret_cast<const uint8_t*>(&At<P...>(B)), sizeof(T)});
    };
    D.Clear = [](TCatalogBaseItem& B, const TFieldDesc& D) {
      if constexpr (std::is_integral_v<T>)
        At<P...>(B) = static_cast<T>(D.IntCleared);
      else
        At<P...>(B) = T{};
    };
    return D;
  }

  template <auto... P>
  static constexpr TFieldDesc Text(uint32_t Id, std::string_view Name, std::string_view Default = {}) {
    TFieldDesc D = Base(Id, Name, EFieldKind::String);
    D.TextDefault = Default;
    D.Read = [](TCatalogBaseItem& B, TByteReader& In, const TFieldDesc&) {
      const auto Payload = In.Rest();
      At<P...>(B).assign(reinterpret_cast<const char*>(Payload.data()), Payload.size());
    };
    D.Write = [](const TCatalogBaseItem& B, const TFieldDesc& D, TByteWriter& Out) {
      const std::string& V = At<P...>(B);
      if (!(D.OmitWhenEmpty && V.empty())) CatalogDetail::WriteRawChunk(Out, D.Id, CatalogDetail::AsBytes(V));
    };
    D.Clear = [](TCatalogBaseItem& B, const TFieldDesc& D) { At<P...>(B).assign(D.TextDefault); };
    return D;
  }

  // bytes (variable) into a TBytes member: the buffer takes the chunk's size. Written with the
  // length the record states (WrittenLength), never more than the buffer holds.
  template <auto... P>
  static constexpr TFieldDesc Bytes(uint32_t Id, std::string_view Name, EDataFormat Format = EDataFormat::Hex) {
    TFieldDesc D = Base(Id, Name, EFieldKind::VarBytes);
    D.Format = Format;
    D.Read = [](TCatalogBaseItem& B, TByteReader& In, const TFieldDesc&) {
      const auto Payload = In.Rest();
      At<P...>(B).assign(Payload.begin(), Payload.end());
    };
    D.Write = [](const TCatalogBaseItem& B, const TFieldDesc& D, TByteWriter& Out) {
      const auto Data = CatalogDetail::WrittenBytes(B, D, At<P...>(B));
      if (!(D.OmitWhenEmpty && Data.empty())) CatalogDetail::WriteRawChunk(Out, D.Id, Data);
    };
    D.Clear = [](TCatalogBaseItem& B, const TFieldDesc& D) {
      const auto Bytes = CatalogDetail::AsBytes(D.TextDefault);
      At<P...>(B).assign(Bytes.begin(), Bytes.end());
    };
    return D;
  }

  // A set or rank table: one byte per database entry, written without its trailing entries
  // equal to Beyond (the value that entries past the stored length have), with its count chunk.
  template <auto... P>
  static constexpr TFieldDesc Table(uint32_t Id, std::string_view Name, uint8_t Beyond) {
    TFieldDesc D = Bytes<P...>(Id, Name, EDataFormat::UInt8);
    D.Trimmed = true;
    D.TrimValue = Beyond;
    return D;
  }
  template <auto... P>
  static constexpr TFieldDesc TableCount(uint32_t Id, std::string_view Name, uint8_t Beyond) {
    TFieldDesc D = Base(Id, Name, EFieldKind::Integer);
    D.Derived = D.Trimmed = true;
    D.TrimValue = Beyond;
    D.Read = [](TCatalogBaseItem&, TByteReader&, const TFieldDesc&) {};
    D.Write = [](const TCatalogBaseItem& B, const TFieldDesc& D, TByteWriter& Out) {
      const int32_t N = int32_t(CatalogDetail::TrimmedLength(At<P...>(B), D.TrimValue));
      if (N != 0) CatalogDetail::WriteIntChunk(Out, D.Id, N);
    };
    return D;
  }

  // Data held decoded (event scripts, move routes): the member has Decode(TByteReader&) and
  // Encode(TByteWriter&); Clear decodes DefaultBytes. Its size chunk is EncodedSize.
  template <auto... P>
  static constexpr TFieldDesc Encoded(uint32_t Id, std::string_view Name, EDataFormat Format) {
    TFieldDesc D = Base(Id, Name, EFieldKind::VarBytes);
    D.Format = Format;
    D.Read = [](TCatalogBaseItem& B, TByteReader& In, const TFieldDesc&) { At<P...>(B).Decode(In); };
    D.Write = [](const TCatalogBaseItem& B, const TFieldDesc& D, TByteWriter& Out) {
      const size_t Mark = Out.BeginChunk(D.Id);
      At<P...>(B).Encode(Out);
      Out.EndChunk(Mark);
    };
    D.Clear = [](TCatalogBaseItem& B, const TFieldDesc& D) { CatalogDetail::DecodeDefault(D, At<P...>(B)); };
    return D;
  }
  template <auto... P>
  static constexpr TFieldDesc EncodedSize(uint32_t Id, std::string_view Name) {
    TFieldDesc D = Base(Id, Name, EFieldKind::Integer);
    D.Derived = true;
    D.Read = [](TCatalogBaseItem&, TByteReader&, const TFieldDesc&) {};
    D.Write = [](const TCatalogBaseItem& B, const TFieldDesc& D, TByteWriter& Out) {
      TByteWriter Temp;
      At<P...>(B).Encode(Temp);
      if (Temp.Size() != 0) CatalogDetail::WriteIntChunk(Out, D.Id, int32_t(Temp.Size()));
    };
    return D;
  }

  template <auto... P>
  static constexpr TFieldDesc Record(uint32_t Id, std::string_view Name) {
    TFieldDesc D = Base(Id, Name, EFieldKind::Record);
    D.Nested = &TypeAt<P...>::Fields;
    D.Read = [](TCatalogBaseItem& B, TByteReader& In, const TFieldDesc&) { At<P...>(B).LoadFromStream(In); };
    D.Write = [](const TCatalogBaseItem& B, const TFieldDesc& D, TByteWriter& Out) {
      const size_t Mark = Out.BeginChunk(D.Id);
      At<P...>(B).SaveToStream(Out);
      Out.EndChunk(Mark);
    };
    D.Clear = [](TCatalogBaseItem& B, const TFieldDesc&) { At<P...>(B).Clear(); };
    return D;
  }

  template <auto... P>
  static constexpr TFieldDesc List(uint32_t Id, std::string_view Name) {
    TFieldDesc D = Base(Id, Name, EFieldKind::List);
    D.Nested = &TypeAt<P...>::TItem::Fields;
    D.Read = [](TCatalogBaseItem& B, TByteReader& In, const TFieldDesc&) { At<P...>(B).LoadFromStream(In); };
    D.Write = [](const TCatalogBaseItem& B, const TFieldDesc& D, TByteWriter& Out) {
      const size_t Mark = Out.BeginChunk(D.Id);
      At<P...>(B).SaveToStream(Out);
      Out.EndChunk(Mark);
    };
    D.Clear = [](TCatalogBaseItem& B, const TFieldDesc& D) {
      auto& L = At<P...>(B);
      L.Clear();
      for (uint32_t I = 0; I < D.DefaultCount; ++I) L.Append();
    };
    return D;
  }

  // How many elements of Size bytes the record states, from an integer field: the written
  // length of a VarBytes field such as the starting party.
  template <size_t Size, auto... P>
  static size_t CountTimes(const TCatalogBaseItem& B) {
    const auto N = At<P...>(B);
    return N > 0 ? size_t(N) * Size : 0;
  }
};
