#include "maps/LD_Map.h"

#include <algorithm>
#include <cstdio>

// ---- Layers ---------------------------------------------------------------------------------

namespace {

constexpr int32_t NewMapWidth = 20, NewMapHeight = 15;

// A coordinate brought inside 0..Size-1 by whole sizes when the axis wraps.
int32_t Wrapped(int32_t V, int32_t Size, bool Wrap) {
  if (!Wrap || Size <= 0) return V;
  const int32_t R = V % Size;
  return R < 0 ? R + Size : R;
}

}  // namespace

void TLcfMapLayer::Reset() {
  Resize(NewMapWidth, NewMapHeight);
  Fill();
}

void TLcfMapLayer::Fill() {
  Tiles.clear();
  StoredW = StoredH = 0;
}

void TLcfMapLayer::Resize(int32_t W, int32_t H) {
  W = std::max(W, 0);
  H = std::max(H, 0);
  const int32_t KeptW = std::min(StoredW, W), KeptH = std::min(StoredH, H);
  const bool Eager = !Tiles.empty() && uint64_t(W) * uint64_t(H) <= MaxEagerCells;
  const int32_t NewW = Eager ? W : KeptW, NewH = Eager ? H : KeptH;
  if (NewW != StoredW || NewH != StoredH) {
    std::vector<uint16_t> Next(size_t(NewW) * size_t(NewH), FillTile);
    for (int32_t Y = 0; Y < KeptH; ++Y)
      std::copy_n(Tiles.begin() + ptrdiff_t(size_t(Y) * size_t(StoredW)), KeptW, Next.begin() + ptrdiff_t(size_t(Y) * size_t(NewW)));
    Tiles = std::move(Next);
    StoredW = NewW;
    StoredH = NewH;
  }
  if (Tiles.empty()) StoredW = StoredH = 0;
  Width = W;
  Height = H;
}

int32_t TLcfMapLayer::TileAt(int32_t X, int32_t Y) const {
  X = Wrapped(X, Width, WrapX);
  Y = Wrapped(Y, Height, WrapY);
  if (X < 0 || Y < 0 || X >= Width || Y >= Height) return -1;
  return StoredTile(X, Y);
}

void TLcfMapLayer::StoreAll() {
  if (HoldsAllTiles() || CellCount() == 0) return;
  std::vector<uint16_t> All(size_t(CellCount()), FillTile);
  for (int32_t Y = 0; Y < StoredH; ++Y)
    std::copy_n(Tiles.begin() + ptrdiff_t(size_t(Y) * size_t(StoredW)), StoredW, All.begin() + ptrdiff_t(size_t(Y) * size_t(Width)));
  Tiles = std::move(All);
  StoredW = Width;
  StoredH = Height;
}

void TLcfMapLayer::SetTile(int32_t X, int32_t Y, uint16_t Tile) {
  if (X < 0 || Y < 0 || X >= Width || Y >= Height) return;
  StoreAll();
  Tiles[size_t(Y) * size_t(Width) + size_t(X)] = Tile;
}

void TLcfMapLayer::SetTiles(std::span<const uint8_t> LittleEndian) {
  if (LittleEndian.size() != CellCount() * 2) return;
  Tiles.resize(size_t(CellCount()));
  // An empty layer has no buffer at all; memcpy must not be handed its null pointer.
  if (!LittleEndian.empty()) std::memcpy(Tiles.data(), LittleEndian.data(), LittleEndian.size());
  StoredW = Width;
  StoredH = Height;
  if (Tiles.empty()) StoredW = StoredH = 0;
}

TBytes TLcfMapLayer::Encode() const {
  TBytes Out(size_t(CellCount()) * 2);
  if (HoldsAllTiles()) {
    if (!Out.empty()) std::memcpy(Out.data(), Tiles.data(), Out.size());
    return Out;
  }
  for (int32_t Y = 0; Y < Height; ++Y)
    for (int32_t X = 0; X < Width; ++X) {
      const uint16_t T = StoredTile(X, Y);
      const size_t I = (size_t(Y) * size_t(Width) + size_t(X)) * 2;
      Out[I] = uint8_t(T);
      Out[I + 1] = uint8_t(T >> 8);
    }
  return Out;
}

// ---- The map unit ---------------------------------------------------------------------------

namespace {

using F = TFieldMaker<TLcfMap>;

// Chunks 71 and 72: the layer takes the size read so far and the tiles only from a chunk of
// exactly Width x Height x 2 bytes; any other chunk leaves it filled.
template <TLcfMapLayer TLcfMap::*Layer>
constexpr TFieldDesc LayerField(uint32_t Id, std::string_view Name) {
  TFieldDesc D = F::Base(Id, Name, EFieldKind::VarBytes);
  D.Format = EDataFormat::UInt16;
  D.Read = [](TCatalogBaseItem& B, TByteReader& In, const TFieldDesc&) {
    TLcfMap& Map = static_cast<TLcfMap&>(B);
    TLcfMapLayer& L = Map.*Layer;
    L.Resize(Map.Width, Map.Height);
    if (In.Remaining() == L.CellCount() * 2) L.SetTiles(In.Rest());
  };
  // A layer that holds only its fill is left out: it reads back the same.
  D.Write = [](const TCatalogBaseItem& B, const TFieldDesc& D, TByteWriter& Out) {
    const TLcfMapLayer& L = static_cast<const TLcfMap&>(B).*Layer;
    if (L.HoldsAllTiles()) CatalogDetail::WriteRawChunk(Out, D.Id, L.Encode());
  };
  D.Clear = [](TCatalogBaseItem& B, const TFieldDesc&) { (static_cast<TLcfMap&>(B).*Layer).Reset(); };
  return D;
}

using M = TLcfMap;
constexpr TFieldDesc MapFields[] = {
    F::Int<&M::ChipSetId>(1, "ChipSetId", 1),
    F::Int<&M::Width>(2, "Width", NewMapWidth),
    F::Int<&M::Height>(3, "Height", NewMapHeight),
    F::Fixed<&M::ScrollType>(11, "ScrollType"),
    F::Flag<&M::PanoramaUsed>(31, "PanoramaUsed"),
    F::Text<&M::PanoramaName>(32, "PanoramaName").OmitEmpty(),
    F::Flag<&M::PanoramaScrollX>(33, "PanoramaScrollX"),
    F::Flag<&M::PanoramaScrollY>(34, "PanoramaScrollY"),
    F::Flag<&M::PanoramaAutoX>(35, "PanoramaAutoX"),
    F::Int<&M::PanoramaSpeedX>(36, "PanoramaSpeedX"),
    F::Flag<&M::PanoramaAutoY>(37, "PanoramaAutoY"),
    F::Int<&M::PanoramaSpeedY>(38, "PanoramaSpeedY"),
    LayerField<&M::LowerLayer>(71, "LowerLayer"),
    LayerField<&M::UpperLayer>(72, "UpperLayer"),
    F::List<&M::Events>(81, "Events"),
    F::Int<&M::SaveCount>(91, "SaveCount"),
};
static_assert(AscendingIds(MapFields));

}  // namespace

const TRecordSchema TLcfMap::Fields{"TLcfMap", MapFields};
const TFileSchema TLcfMap::File{TLcfBaseMapUnit::Header, &TLcfMap::Fields, false};

std::string MapFileName(int32_t MapId) {
  char Name[32];
  std::snprintf(Name, sizeof Name, "data\\%.4d.M", MapId);
  return Name;
}

void TLcfBaseMapUnit::Load(const TGameFolder& Game, int32_t MapId) {
  const std::string Relative = MapFileName(MapId);
  const auto Path = Game.FindGameFile(Relative);
  if (!Path) throw EFileError(Game.Root() + "/data/" + Relative.substr(5));
  LoadFromFile(*Path);
  SetId(MapId);
}

void TLcfBaseMapUnit::LoadFromFile(const std::string& FileName) {
  Clear();
  LoadFromBytes(ReadWholeFile(FileName));
}

void TLcfBaseMapUnit::LoadFromBytes(std::span<const uint8_t> Data) {
  Clear();
  try {
    TByteReader In(Data);
    if (In.BerString() != Header) throw EReadError(0);
    LoadFromStream(In);
  } catch (...) {
    // A failed load leaves an empty map, never half of a file.
    Clear();
    throw;
  }
}

TLcfMap::TLcfMap(int32_t MapId) {
  TLcfMap::Clear();
  SetId(MapId);
}

void TLcfMap::Clear() {
  TLcfBaseMapUnit::Clear();
  SetScrollType(ScrollType);
  ChipSet = nullptr;
}

void TLcfMap::LoadFromStream(TByteReader& Stream) {
  TLcfBaseMapUnit::LoadFromStream(Stream);
  // Both layers end with the map's size whatever order the chunks came in, and a map whose
  // layer chunk is absent is filled, not left at the size of a new map.
  LowerLayer.Resize(Width, Height);
  UpperLayer.Resize(Width, Height);
}

void TLcfMap::LoadFromBytes(std::span<const uint8_t> Data) {
  TLcfBaseMapUnit::LoadFromBytes(Data);
  SetScrollType(ScrollType);
  if (ChipSets) ChipSet = &ChipSets->ItemById(ChipSetId);
}

TBytes TLcfMap::SaveToBytes() const {
  TByteWriter Out;
  Out.BerString(Header);
  SaveToStream(Out);
  return Out.Take();
}

void TLcfMap::SetScrollType(uint8_t Value) {
  ScrollType = Value;
  LowerLayer.WrapX = UpperLayer.WrapX = LoopsX();
  LowerLayer.WrapY = UpperLayer.WrapY = LoopsY();
}

void TLcfMap::SetSize(int32_t W, int32_t H) {
  Width = W;
  Height = H;
  LowerLayer.Resize(W, H);
  UpperLayer.Resize(W, H);
}

std::vector<std::string> TLcfMap::CharSetNames() const {
  std::vector<std::string> Names;
  for (size_t E = 0; E < Events.Count(); ++E) {
    const TLcfEventPage& Pages = Events.Items(E)->Pages;
    for (size_t P = 0; P < Pages.Count(); ++P)
      if (!Pages.Items(P)->CharSetName.empty()) Names.push_back(Pages.Items(P)->CharSetName);
  }
  return Names;
}
