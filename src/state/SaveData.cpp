#include "state/SaveData.h"

#include <cstdio>

#include "data/GameFolder.h"
#include "platform/UserFolders.h"

namespace {

using F = TFieldMaker<TLcfgSaveHeader>;
using H = TLcfgSaveHeader;

template <size_t Member>
constexpr TFieldDesc FaceName(uint32_t Id, std::string_view Name) {
  return F::Text<&H::FaceNames, Member>(Id, Name).OmitEmpty();
}
template <size_t Member>
constexpr TFieldDesc FaceIndex(uint32_t Id, std::string_view Name) {
  return F::Int<&H::FaceIndexes, Member>(Id, Name);
}

constexpr TFieldDesc SaveHeaderFields[] = {
    F::Double<&H::SaveTime>(1, "SaveTime"),
    F::Text<&H::LeaderName>(11, "LeaderName").OmitEmpty(),
    F::Int<&H::LeaderLevel>(12, "LeaderLevel"),
    F::Int<&H::LeaderHp>(13, "LeaderHp"),
    FaceName<0>(21, "FaceName1"), FaceIndex<0>(22, "FaceIndex1"),
    FaceName<1>(23, "FaceName2"), FaceIndex<1>(24, "FaceIndex2"),
    FaceName<2>(25, "FaceName3"), FaceIndex<2>(26, "FaceIndex3"),
    FaceName<3>(27, "FaceName4"), FaceIndex<3>(28, "FaceIndex4"),
};
static_assert(AscendingIds(SaveHeaderFields));

bool ValidMember(int32_t I) { return I >= 0 && I < H::MemberCount; }

std::string ChooseSaveFolder(const TSaveLocation& Location) {
  if (!Location.ExeReadOnly) return IncludeTrailingDelimiter(Location.GameFolder);
  return IncludeTrailingDelimiter(DataFolder()) + Location.GameFolderName + "/";
}

}  // namespace

const TRecordSchema TLcfgSaveHeader::Fields{"SaveHeader", SaveHeaderFields};

std::string TLcfgSaveHeader::FaceOf(int32_t I) const { return ValidMember(I) ? FaceNames[I] : std::string(); }

int32_t TLcfgSaveHeader::FaceIndexOf(int32_t I) const { return ValidMember(I) ? FaceIndexes[I] : 0; }

void ReadSaveHeader(TByteReader& Stream, TLcfgSaveHeader& Header) {
  if (Stream.BerString() != TSaveSlots::FileHeader) throw EReadError(0);
  while (!Stream.AtEnd()) {
    const uint32_t Section = Stream.Ber();
    TByteReader Payload = Stream.Sub(Stream.Ber());
    // A file from elsewhere may put other sections first; a header read must not load them
    // into the running game, so they are passed over.
    if (Section == TSaveSlots::FirstSaveSection) {
      Header.LoadFromStream(Payload);
      return;
    }
  }
}

TSaveSlots::TSaveSlots(const TSaveLocation& Location) : SaveFolder(ChooseSaveFolder(Location)) {}

std::string TSaveSlots::SlotFileName(int32_t Slot) {
  char Name[32];
  std::snprintf(Name, sizeof Name, "Save%.2d.lsd", Slot);
  return Name;
}

std::string TSaveSlots::SlotPath(int32_t Slot) const { return SaveFolder + SlotFileName(Slot); }

std::optional<std::string> TSaveSlots::FindSlotFile(int32_t Slot) const {
  return TGameFolder(SaveFolder).FindGameFile(SlotFileName(Slot));
}

bool TSaveSlots::ReadHeader(int32_t Slot, TLcfgSaveHeader& Header) const {
  Header.Clear();
  const auto Path = FindSlotFile(Slot);
  if (!Path) return false;
  try {
    const TBytes Data = ReadWholeFile(*Path);
    TByteReader In(Data);
    ReadSaveHeader(In, Header);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

int32_t TSaveSlots::FirstUsedSlot() const {
  TLcfgSaveHeader Header;
  for (int32_t Slot = 1; Slot <= SlotCount; ++Slot) {
    if (ReadHeader(Slot, Header) && Header.Used()) return Slot;
  }
  return 0;
}
