// demo_testdatabase BASE.json CHANGES.json OUT.json: the database of a test game, written as the
// demo's database with a test's few changes laid over it. A test game keeps only what differs
// from the demo (a troop, a common event, a switch's name), so the demo's actors, items and
// chipset stay one source for all of them:
//   - objects merge member by member;
//   - a list of records (objects with "@id") merges by id: a record of the changes replaces the
//     base's record of the same id, or is added in id order when the base has none;
//   - anything else in the changes replaces the base's value.
// Comment keys and short script lines pass through untouched for demo_gamedata to expand.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

using TJson = nlohmann::ordered_json;

bool IsRecordList(const TJson& Value) {
  return Value.is_array() && std::all_of(Value.begin(), Value.end(), [](const TJson& E) {
           return E.is_object() && E.contains("@id") && E["@id"].is_number_integer();
         });
}

TJson Merge(const TJson& Base, const TJson& Changes);

TJson MergeRecords(const TJson& Base, const TJson& Changes) {
  TJson Out = Base;
  for (const TJson& Record : Changes) {
    const auto Same = std::find_if(Out.begin(), Out.end(), [&](const TJson& E) { return E["@id"] == Record["@id"]; });
    if (Same != Out.end()) {
      *Same = Record;
      continue;
    }
    const auto After = std::find_if(Out.begin(), Out.end(), [&](const TJson& E) { return E["@id"] > Record["@id"]; });
    Out.insert(After, Record);
  }
  return Out;
}

TJson Merge(const TJson& Base, const TJson& Changes) {
  if (Base.is_object() && Changes.is_object()) {
    TJson Out = Base;
    for (const auto& [Key, Value] : Changes.items()) Out[Key] = Out.contains(Key) ? Merge(Out[Key], Value) : Value;
    return Out;
  }
  if (IsRecordList(Base) && IsRecordList(Changes) && !Changes.empty()) return MergeRecords(Base, Changes);
  return Changes;
}

TJson ReadJson(const char* Path) {
  std::ifstream In(Path, std::ios::binary);
  if (!In) throw std::runtime_error(std::string("cannot open ") + Path);
  return TJson::parse(In);
}

}  // namespace

int main(int Argc, char** Argv) {
  if (Argc != 4) {
    std::cerr << "usage: demo_testdatabase BASE.json CHANGES.json OUT.json\n";
    return 2;
  }
  try {
    const TJson Merged = Merge(ReadJson(Argv[1]), ReadJson(Argv[2]));
    std::ofstream Out(Argv[3], std::ios::binary);
    Out << Merged.dump(1) << "\n";
    if (!Out) throw std::runtime_error(std::string("cannot write ") + Argv[3]);
    return 0;
  } catch (const std::exception& E) {
    std::cerr << Argv[2] << ": " << E.what() << "\n";
    return 1;
  }
}
