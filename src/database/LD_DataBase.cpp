#include "database/LD_DataBase.h"

namespace {

using F = TFieldMaker<TLcfDataBase>;
using DB = TLcfDataBase;
// The sections of the file, by id. A list section that the file lacks keeps the one cleared
// item that Reset gives it.
constexpr TFieldDesc DataBaseFields[] = {
    F::List<&DB::Actors>(11, "Actors").DefaultItems(1),
    F::List<&DB::Skills>(12, "Skills").DefaultItems(1),
    F::List<&DB::Items>(13, "Items").DefaultItems(1),
    F::List<&DB::Enemies>(14, "Enemies").DefaultItems(1),
    F::List<&DB::Troops>(15, "Troops").DefaultItems(1),
    F::List<&DB::Terrains>(16, "Terrain").DefaultItems(1),
    F::List<&DB::Attributes>(17, "Attributes").DefaultItems(1),
    F::List<&DB::States>(18, "States").DefaultItems(1),
    F::List<&DB::Animations>(19, "BattleAnimations").DefaultItems(1),
    F::List<&DB::ChipSets>(20, "ChipSets").DefaultItems(1),
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

void TLcfDataBase::CutTablesToLists() {
  const size_t StateCount = States.Count(), AttributeCount = Attributes.Count();
  for (size_t I = 0; I < Items.Count(); ++I) {
    CutTable(Items.Items(I)->StateSet, StateCount);
    CutTable(Items.Items(I)->AttributeSet, AttributeCount);
  }
  for (size_t I = 0; I < Skills.Count(); ++I) {
    CutTable(Skills.Items(I)->StateSet, StateCount);
    CutTable(Skills.Items(I)->AttributeSet, AttributeCount);
  }
  for (size_t I = 0; I < Actors.Count(); ++I) {
    CutTable(Actors.Items(I)->StateRanks, StateCount);
    CutTable(Actors.Items(I)->AttributeRanks, AttributeCount);
  }
  for (size_t I = 0; I < Enemies.Count(); ++I) {
    CutTable(Enemies.Items(I)->StateRanks, StateCount);
    CutTable(Enemies.Items(I)->AttributeRanks, AttributeCount);
  }
}
