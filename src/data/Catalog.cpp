#include "data/Catalog.h"

#include <string>

const TFieldDesc* TRecordSchema::FindByName(std::string_view FieldName) const {
  for (const TFieldDesc& D : Fields)
    if (D.Name == FieldName) return &D;
  return nullptr;
}

namespace CatalogDetail {

void WriteIntChunk(TByteWriter& Out, uint32_t Id, int32_t Value) {
  Out.Ber(Id);
  WriteBerInt(Out, Value, true);
}

void WriteRawChunk(TByteWriter& Out, uint32_t Id, std::span<const uint8_t> Payload) {
  Out.Ber(Id);
  Out.Ber(uint32_t(Payload.size()));
  Out.Bytes(Payload);
}

size_t TrimmedLength(std::span<const uint8_t> Data, uint8_t TrimValue) {
  size_t N = Data.size();
  while (N > 0 && Data[N - 1] == TrimValue) --N;
  return N;
}

std::span<const uint8_t> AsBytes(std::string_view Text) {
  return {reinterpret_cast<const uint8_t*>(Text.data()), Text.size()};
}

// The bytes a VarBytes field writes: the stated length, but never past the buffer (a stated
// length larger than what was read would otherwise write memory that is not there).
std::span<const uint8_t> WrittenBytes(const TCatalogBaseItem& Record, const TFieldDesc& D, std::span<const uint8_t> Data) {
  size_t N = Data.size();
  if (D.WriteLength) N = std::min(N, D.WriteLength(Record));
  if (D.Trimmed) N = TrimmedLength(Data.first(N), D.TrimValue);
  return Data.first(N);
}

}  // namespace CatalogDetail

// ---- Records --------------------------------------------------------------------------------

void ClearFields(TCatalogBaseItem& Record) {
  for (const TFieldDesc& D : Record.Describe().Fields)
    if (D.Clear) D.Clear(Record, D);
}

void TCatalogBaseItem::Clear() { ClearFields(*this); }

void TCatalogBaseItem::Assign(const TCatalogBaseItem& Source) {
  TByteWriter Temp;
  Source.SaveToStream(Temp);
  TByteReader In(Temp.Buffer());
  LoadFromStream(In);
}

void TCatalogBaseItem::LoadFromStream(TByteReader& Stream) {
  Clear();
  ReadChunks(*this, Stream);
}

void TCatalogBaseItem::SaveToStream(TByteWriter& Stream) const { WriteChunks(*this, Stream); }

void ReadChunks(TCatalogBaseItem& Record, TByteReader& In, bool UntilEnd) {
  const TRecordSchema& Schema = Record.Describe();
  size_t Cursor = 0;
  for (;;) {
    if (UntilEnd && In.AtEnd()) return;
    const uint32_t Id = In.Ber();
    if (Id == 0 && !UntilEnd) return;
    const uint32_t Size = In.Ber();
    const TFieldDesc* D = Schema.Find(Id, Cursor);
    try {
      TByteReader Payload = In.Sub(Size);
      if (D && D->Read) D->Read(Record, Payload, *D);
    } catch (EReadError& E) {
      E.AddPathPrefix(D ? std::string(D->Name) : "#" + std::to_string(Id));
      throw;
    }
  }
}

void WriteChunks(const TCatalogBaseItem& Record, TByteWriter& Out, bool Terminated) {
  for (const TFieldDesc& D : Record.Describe().Fields)
    if (D.Write) D.Write(Record, D, Out);
  if (Terminated) Out.Ber(0);
}

// ---- Lists ----------------------------------------------------------------------------------

TCatalog::TCatalog(TFactory Factory, const TRecordSchema& ItemFields, const char* MissingMessage)
    : Factory(Factory), Fields(&ItemFields), Missing(MissingMessage) {}

TCatalog::TCatalog(const TCatalog& Other) : Factory(Other.Factory), Fields(Other.Fields), Missing(Other.Missing) {
  Assign(Other);
}

TCatalog& TCatalog::operator=(const TCatalog& Other) {
  if (this != &Other) Assign(Other);
  return *this;
}

TCatalogItem* TCatalog::Find(int32_t Id) const {
  if (List.empty() || List.back()->Id < Id) return nullptr;
  if (Id > 0 && size_t(Id) <= List.size() && List[size_t(Id) - 1]->Id == Id) return List[size_t(Id) - 1].get();
  // The list is sorted by id, so a binary search finds what a linear one would.
  const auto It = std::lower_bound(List.begin(), List.end(), Id, [](const auto& Item, int32_t V) { return Item->Id < V; });
  return (It != List.end() && (*It)->Id == Id) ? It->get() : nullptr;
}

TCatalogItem& TCatalog::GetOrCreate(int32_t Id) {
  if (List.empty() || List.back()->Id < Id) {
    List.push_back(Factory(Id));
    return *List.back();
  }
  if (TCatalogItem* Found = Find(Id)) return *Found;
  const auto It = std::lower_bound(List.begin(), List.end(), Id, [](const auto& Item, int32_t V) { return Item->Id < V; });
  return **List.insert(It, Factory(Id));
}

TCatalogItem& TCatalog::Append() {
  const int32_t Id = List.empty() ? 1 : List.back()->Id + 1;
  List.push_back(Factory(Id));
  return *List.back();
}

void TCatalog::Delete(int32_t Id) {
  const auto It = std::find_if(List.begin(), List.end(), [Id](const auto& Item) { return Item->Id == Id; });
  if (It == List.end()) return;
  auto Next = List.erase(It);
  for (; Next != List.end(); ++Next) (*Next)->SetId((*Next)->Id - 1);
}

void TCatalog::FailMissing() const { throw ELcfError(Missing); }

TCatalogItem& TCatalog::ItemAt(size_t Index) const {
  if (Index >= List.size()) FailMissing();
  return *List[Index];
}

TCatalogItem& TCatalog::ItemById(int32_t Id) const {
  TCatalogItem* Item = Find(Id);
  if (!Item) FailMissing();
  return *Item;
}

void TCatalog::Assign(const TCatalog& Source) {
  Clear();
  for (const auto& Item : Source.List) GetOrCreate(Item->Id).Assign(*Item);
}

void TCatalog::LoadFromStream(TByteReader& Stream) {
  Clear();
  int32_t Id = 0;
  try {
    const int32_t Count = Stream.BerInt();
    // Every item takes at least two bytes (its id and its closing 0): a count that the data
    // cannot hold is a damaged file, found before anything is allocated.
    if (Count > 0 && size_t(Count) > Stream.Remaining() / 2) Stream.Fail();
    if (Count > 0) List.reserve(size_t(Count));
    for (int32_t I = 0; I < Count; ++I) {
      Id = Stream.BerInt();
      GetOrCreate(Id).LoadFromStream(Stream);
    }
  } catch (EReadError& E) {
    Clear();
    E.AddPathPrefix("[" + std::to_string(Id) + "]");
    throw;
  } catch (...) {
    Clear();
    throw;
  }
}

void TCatalog::SaveToStream(TByteWriter& Stream) const {
  Stream.Ber(uint32_t(List.size()));
  for (const auto& Item : List) {
    Stream.BerInt(Item->Id);
    Item->SaveToStream(Stream);
  }
}
