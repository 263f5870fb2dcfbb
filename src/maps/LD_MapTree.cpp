#include "maps/LD_MapTree.h"

namespace {

using FE = TFieldMaker<TLcfEncountItem>;
constexpr TFieldDesc EncountFields[] = {
    // A new entry names troop 1, while the value not written is 0.
    FE::Int<&TLcfEncountItem::TroopId>(1, "TroopId", 0).ClearedTo(1),
};

using F = TFieldMaker<TLcfMapTreeItem>;
using MI = TLcfMapTreeItem;
// Leaves a field as it is on Clear (chunks 1..7).
void Keep(TCatalogBaseItem&, const TFieldDesc&) {}
constexpr TFieldDesc MapTreeItemFields[] = {
    F::Text<&MI::Name>(1, "Name").OmitEmpty().ClearedBy(Keep),
    F::Int<&MI::ParentId>(2, "ParentId").ClearedBy(Keep),
    F::Int<&MI::Reserved3>(3, "Reserved3").ClearedBy(Keep),
    F::Fixed<&MI::ItemType>(4, "ItemType").ClearedBy(Keep),
    F::Int<&MI::Reserved5>(5, "Reserved5").ClearedBy(Keep),
    F::Int<&MI::Reserved6>(6, "Reserved6").ClearedBy(Keep),
    F::Flag<&MI::Reserved7>(7, "Reserved7").ClearedBy(Keep),
    F::Fixed<&MI::MusicMode>(11, "MusicMode"),
    F::Record<&MI::Music>(12, "Music"),
    F::Fixed<&MI::BackdropMode>(21, "BackdropMode"),
    F::Text<&MI::Backdrop>(22, "Backdrop").OmitEmpty(),
    F::Fixed<&MI::TeleportMode>(31, "TeleportMode"),
    F::Fixed<&MI::EscapeMode>(32, "EscapeMode"),
    F::Fixed<&MI::SaveMode>(33, "SaveMode"),
    F::List<&MI::Encounters>(41, "Encounters"),
    F::Int<&MI::EncounterSteps>(44, "EncounterSteps", 25),
    F::Fixed<&MI::AreaRect>(51, "AreaRect").Shown(EDataFormat::Int32),
};
static_assert(AscendingIds(MapTreeItemFields));

using FS = TFieldMaker<TLcfMapStartPosition>;
using SP = TLcfMapStartPosition;
using PL = TLcfMapStartPosition::TPlace;
constexpr TFieldDesc StartFields[] = {
    FS::Int<&SP::Party, &PL::MapId>(1, "PartyMapId"),
    FS::Int<&SP::Party, &PL::X>(2, "PartyX"),
    FS::Int<&SP::Party, &PL::Y>(3, "PartyY"),
    FS::Int<&SP::Boat, &PL::MapId>(11, "BoatMapId"),
    FS::Int<&SP::Boat, &PL::X>(12, "BoatX"),
    FS::Int<&SP::Boat, &PL::Y>(13, "BoatY"),
    FS::Int<&SP::Ship, &PL::MapId>(21, "ShipMapId"),
    FS::Int<&SP::Ship, &PL::X>(22, "ShipX"),
    FS::Int<&SP::Ship, &PL::Y>(23, "ShipY"),
    FS::Int<&SP::Airship, &PL::MapId>(31, "AirshipMapId"),
    FS::Int<&SP::Airship, &PL::X>(32, "AirshipX"),
    FS::Int<&SP::Airship, &PL::Y>(33, "AirshipY"),
};
static_assert(AscendingIds(StartFields));

}  // namespace

const TRecordSchema TLcfEncountItem::Fields{"TLcfEncountItem", EncountFields};
const TRecordSchema TLcfMapTreeItem::Fields{"TLcfMapTreeItem", MapTreeItemFields};
const TRecordSchema TLcfMapStartPosition::Fields{"TLcfMapStartPosition", StartFields};
// The tree's file is not one record: gamekit knows its body by the header.
const TFileSchema TLcfMapTree::File{TLcfMapTree::Header, &TLcfMapTreeItem::Fields, false};

// ---- Items ----------------------------------------------------------------------------------

uint8_t TLcfMapTreeItem::FlagMode(EMapFlagKind Kind) const {
  switch (Kind) {
    case EMapFlagKind::Teleport:
      return TeleportMode;
    case EMapFlagKind::Escape:
      return EscapeMode;
    case EMapFlagKind::Save:
      return SaveMode;
  }
  return MapInherit;
}

void TLcfMapTreeItem::LoadFromStream(TByteReader& Stream) {
  // An id found twice in one file: the later record replaces the earlier one completely.
  Name.clear();
  ParentId = Reserved3 = Reserved5 = Reserved6 = 0;
  ItemType = Reserved7 = 0;
  TCatalogItem::LoadFromStream(Stream);
}

// ---- The tree -------------------------------------------------------------------------------

void TLcfMapTree::Reset() {
  Clear();
  TreeOrder.clear();
  Reserved = 0;
  StartingPoint.Clear();
}

void TLcfMapTree::Load(const TGameFolder& Game) {
  const auto Path = Game.FindGameFile("data\\$$$.F");
  if (!Path) throw EFileError(Game.Root() + "/data/$$$.F");
  LoadFromFile(*Path);
}

void TLcfMapTree::LoadFromFile(const std::string& FileName) {
  const TBytes Data = ReadWholeFile(FileName);
  TByteReader In(Data);
  LoadFromStream(In);
}

void TLcfMapTree::LoadFromStream(TByteReader& Stream) {
  Reset();
  try {
    if (Stream.BerString() != Header) throw EReadError(0);
    TCatalogOf::LoadFromStream(Stream);
    const uint32_t N = Stream.Ber();
    // Every id takes at least one byte: a count the file cannot hold is damage.
    if (N > Stream.Remaining()) Stream.Fail();
    TreeOrder.reserve(N);
    for (uint32_t I = 0; I < N; ++I) TreeOrder.push_back(ItemById(Stream.BerInt()).Id);
    Reserved = Stream.BerInt();
    StartingPoint.LoadFromStream(Stream);
  } catch (...) {
    Reset();
    throw;
  }
}

void TLcfMapTree::SaveToStream(TByteWriter& Stream) const {
  Stream.BerString(Header);
  TCatalogOf::SaveToStream(Stream);
  Stream.Ber(uint32_t(TreeOrder.size()));
  for (int32_t Id : TreeOrder) Stream.BerInt(Id);
  Stream.BerInt(Reserved);
  StartingPoint.SaveToStream(Stream);
}

template <class Decides>
const TLcfMapTreeItem* TLcfMapTree::FirstDeciding(int32_t MapId, Decides&& Decide) const {
  // A damaged tree may link parents in a loop: no walk is longer than the tree.
  int32_t Id = MapId;
  for (size_t Steps = 0; Id != 0 && Steps <= Count(); ++Steps) {
    const TLcfMapTreeItem& Item = ItemById(Id);
    if (Decide(Item)) return &Item;
    Id = Item.ParentId;
  }
  return nullptr;
}

const TLcfMapTreeItem* TLcfMapTree::ResolveMusic(int32_t MapId) const {
  return FirstDeciding(MapId, [](const TLcfMapTreeItem& I) { return I.MusicMode != MapInherit; });
}

std::optional<bool> TLcfMapTree::ResolveFlag(int32_t MapId, EMapFlagKind Kind) const {
  const TLcfMapTreeItem* Item = FirstDeciding(MapId, [Kind](const TLcfMapTreeItem& I) { return I.FlagMode(Kind) != MapInherit; });
  if (!Item) return std::nullopt;
  // Any mode but "forbidden" allows, as a mode 1 does.
  return Item->FlagMode(Kind) != MapForbidden;
}

const TLcfMapTreeItem* TLcfMapTree::ResolveBackdrop(int32_t MapId) const {
  return FirstDeciding(MapId, [](const TLcfMapTreeItem& I) { return I.BackdropMode != MapInherit; });
}

std::vector<int32_t> TLcfMapTree::CandidateTroops(int32_t MapId, int32_t X, int32_t Y, int32_t Terrain,
                                                  const TTroopFilter& MayAppear) const {
  std::vector<int32_t> Troops;
  for (size_t I = 0; I < Count(); ++I) {
    const TLcfMapTreeItem& Item = *Items(I);
    const bool Counts = Item.Id == MapId || (Item.IsArea() && Item.ParentId == MapId && Item.AreaRect.Contains(X, Y));
    if (!Counts) continue;
    for (size_t E = 0; E < Item.Encounters.Count(); ++E) {
      const int32_t Troop = Item.Encounters.Items(E)->TroopId;
      if (!MayAppear || MayAppear(Troop, Terrain)) Troops.push_back(Troop);
    }
  }
  return Troops;
}
