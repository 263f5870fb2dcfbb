// Decoding speed of the chunk codec and the load time of a large synthetic database.
#include "database/LD_DataBase.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int RecordsPerList = 5000;
constexpr int CommonEvents = 2000;
constexpr int CommandsPerEvent = 100;

TLcfDataBase SyntheticDataBase() {
  TLcfDataBase DB;
  // Every list holds RecordsPerList named records with their default fields, which for actors,
  // enemies, animations and chipsets include their curve, action, frame and tile tables.
  for (TCatalog* List : std::initializer_list<TCatalog*>{&DB.Actors, &DB.Skills, &DB.Items, &DB.Enemies, &DB.Troops,
                                                         &DB.Terrains, &DB.Attributes, &DB.States, &DB.Animations,
                                                         &DB.ChipSets}) {
    for (int I = 1; I <= RecordsPerList; ++I) List->GetOrCreate(I).Name = "Record " + std::to_string(I);
  }
  for (int I = 1; I <= RecordsPerList; ++I) {
    DB.Switches.GetOrCreate(I).Name = "Switch " + std::to_string(I);
    DB.Variables.GetOrCreate(I).Name = "Variable " + std::to_string(I);
  }
  for (int I = 1; I <= CommonEvents; ++I) {
    TLcfCommonEventItem& E = DB.CommonEvents.GetOrCreate(I);
    E.Name = "Common " + std::to_string(I);
    E.Trigger = CommonParallel;
    E.Script.Items.clear();
    for (int C = 0; C < CommandsPerEvent - 1; ++C) {
      TLcfEventScriptLine Line{10110 + C % 50, C % 4, C % 3 ? "" : "A line of message text", {}};
      for (int P = 0; P < C % 7; ++P) Line.Params.push_back(P * 1000 - 1);
      E.Script.Add(std::move(Line));
    }
    E.Script.Add({});
  }
  return DB;
}

const TBytes& SyntheticFile() {
  static const TBytes File = [] {
    TByteWriter W;
    SyntheticDataBase().SaveToStream(W);
    return W.Take();
  }();
  return File;
}

void BM_LoadSyntheticDatabase(benchmark::State& State) {
  const TBytes& File = SyntheticFile();
  TLcfDataBase DB;
  for (auto _ : State) {
    TByteReader In(File);
    DB.LoadFromStream(In);
    benchmark::DoNotOptimize(DB.CommonEvents.Count());
  }
  State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(File.size()));
  State.counters["file_MB"] = double(File.size()) / 1e6;
}
BENCHMARK(BM_LoadSyntheticDatabase)->Unit(benchmark::kMillisecond);

// Only the decoded sections: common events (scripts) and the switch and variable names.
void BM_DecodeChunks(benchmark::State& State) {
  TLcfDataBase Source = SyntheticDataBase();
  TByteWriter W;
  Source.CommonEvents.SaveToStream(W);
  Source.Switches.SaveToStream(W);
  Source.Variables.SaveToStream(W);
  const TBytes Data = W.Take();
  TLcfCommonEvent Events;
  TLcfSwitch Switches;
  TLcfVariable Variables;
  for (auto _ : State) {
    TByteReader In(Data);
    Events.LoadFromStream(In);
    Switches.LoadFromStream(In);
    Variables.LoadFromStream(In);
    benchmark::DoNotOptimize(Events.Count());
  }
  State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(Data.size()));
}
BENCHMARK(BM_DecodeChunks)->Unit(benchmark::kMillisecond);

void BM_EncodeDatabase(benchmark::State& State) {
  const TLcfDataBase DB = SyntheticDataBase();
  for (auto _ : State) {
    TByteWriter W;
    DB.SaveToStream(W);
    benchmark::DoNotOptimize(W.Size());
  }
  State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(SyntheticFile().size()));
}
BENCHMARK(BM_EncodeDatabase)->Unit(benchmark::kMillisecond);

}  // namespace
