#include "database/LD_DataBase.h"

namespace {

using F = TFieldMaker<TLcfDataBase>;
using DB = TLcfDataBase;
// The sections of the file, by id. A list section that the file lacks keeps the one cleared
// item that Reset gives it.
constexpr TFieldDesc DataBaseFields[] = {
    F::Bytes<&DB::RawActors>(11, "Actors").OmitEmpty(),
    F::Bytes<&DB::RawSkills>(12, "Skills").OmitEmpty(),
    F::Bytes<&DB::RawItems>(13, "Items").OmitEmpty(),
    F::Bytes<&DB::RawMonsters>(14, "Enemies").OmitEmpty(),
    F::Bytes<&DB::RawMonGroups>(15, "Troops").OmitEmpty(),
    F::Bytes<&DB::RawGrounds>(16, "Terrain").OmitEmpty(),
    F::Bytes<&DB::RawAttribs>(17, "Attributes").OmitEmpty(),
    F::Bytes<&DB::RawStatus>(18, "States").OmitEmpty(),
    F::Bytes<&DB::RawAnimations>(19, "BattleAnimations").OmitEmpty(),
    F::Bytes<&DB::RawChipSets>(20, "ChipSets").OmitEmpty(),
    F::Record<&DB::Vocabulary>(21, "Vocabulary"),
    F::Record<&DB::System>(22, "System"),
    F::List<&DB::Switches>(23, "Switches").DefaultItems(1),
    F::List<&DB::Variables>(24, "Variables").DefaultItems(1),
    F::List<&DB::CommonEvents>(25, "CommonEvents").DefaultItems(1),
};
static_assert(AscendingIds(DataBaseFields));

}  // namespace

const TRecordSchema TLcfDataBase::Fields{"TLcfDataBase", DataBaseFields};
const TFileSchema TLcfDataBase::File{TLcfDataBase::Header, &TLcfDataBase::Fields, true};

void TLcfDataBase::Load(const TGameFolder& Game) {
  const auto Path = Game.FindGameFile("data\\$$$.B");
  if (!Path) throw EFileError(Game.Root() + "/data/$$$.B");
  LoadFromFile(*Path);
}

void TLcfDataBase::LoadFromFile(const std::string& FileName) {
  Reset();
  const TBytes Data = ReadWholeFile(FileName);
  TByteReader In(Data);
  LoadFromStream(In);
}

void TLcfDataBase::LoadFromStream(TByteReader& Stream) {
  Reset();
  try {
    if (Stream.BerString() != Header) throw EReadError(0);
    ReadChunks(*this, Stream, true);
  } catch (...) {
    // A failed load leaves the reset database, never half of a file.
    Reset();
    throw;
  }
}

void TLcfDataBase::SaveToStream(TByteWriter& Stream) const {
  Stream.BerString(Header);
  WriteChunks(*this, Stream, false);
}
