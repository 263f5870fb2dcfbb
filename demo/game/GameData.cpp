// demo_gamedata SOURCE.json OUT.json: turns one of the demo game's source files into the JSON
// that `gamekit build` reads. The sources are gamekit's own form with three conveniences that
// keep them readable by people:
//   - members whose key starts with "//" are comments and are dropped;
//   - a script line may be written as [code, indent, "text", p0, p1, ...], and a "Script"
//     without its "ScriptSize" gets "ScriptSize": "auto" in front of it;
//   - a map body may hold "Layers" with both tile layers drawn as text rows and a legend per
//     layer; water and terrain auto-tiles get the shape that their neighbours call for.
#include "MapLayers.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

using TJson = nlohmann::ordered_json;

bool IsComment(const std::string& Key) { return Key.starts_with("//"); }

// [code, indent, "text", params...] as the object that gamekit reads.
TJson ExpandLine(const TJson& Line) {
  if (!Line.is_array()) return Line;
  if (Line.size() < 2 || !Line[0].is_number_integer() || !Line[1].is_number_integer())
    throw std::runtime_error("a script line written as an array starts with code and indent: " + Line.dump());
  TJson Object = TJson::object();
  Object["code"] = Line[0];
  Object["indent"] = Line[1];
  size_t First = 2;
  if (Line.size() > 2 && Line[2].is_string()) {
    if (!Line[2].get<std::string>().empty()) Object["text"] = Line[2];
    First = 3;
  }
  TJson Params = TJson::array();
  for (size_t I = First; I < Line.size(); ++I) {
    if (!Line[I].is_number_integer()) throw std::runtime_error("a script parameter must be an integer: " + Line.dump());
    Params.push_back(Line[I]);
  }
  if (!Params.empty()) Object["params"] = std::move(Params);
  return Object;
}

TJson Expand(const TJson& Value);

TJson ExpandObject(const TJson& Object) {
  TJson Out = TJson::object();
  for (const auto& [Key, Member] : Object.items()) {
    if (IsComment(Key)) continue;
    if (Key == "Layers") {
      auto [Lower, Upper] = DrawLayers(Member, Object.value("Width", 0), Object.value("Height", 0));
      Out["LowerLayer"] = std::move(Lower);
      Out["UpperLayer"] = std::move(Upper);
      continue;
    }
    if (Key == "Script" && Member.is_array()) {
      if (!Out.contains("ScriptSize")) Out["ScriptSize"] = "auto";
      TJson Lines = TJson::array();
      for (const TJson& Line : Member) Lines.push_back(ExpandLine(Line));
      Out[Key] = std::move(Lines);
      continue;
    }
    Out[Key] = Expand(Member);
  }
  return Out;
}

TJson Expand(const TJson& Value) {
  if (Value.is_object()) return ExpandObject(Value);
  if (Value.is_array()) {
    TJson Out = TJson::array();
    for (const TJson& Element : Value) Out.push_back(Expand(Element));
    return Out;
  }
  return Value;
}

}  // namespace

int main(int Argc, char** Argv) {
  if (Argc != 3) {
    std::cerr << "usage: demo_gamedata SOURCE.json OUT.json\n";
    return 2;
  }
  try {
    std::ifstream In(Argv[1], std::ios::binary);
    if (!In) throw std::runtime_error("cannot open the file");
    const TJson Source = TJson::parse(In);
    std::ofstream Out(Argv[2], std::ios::binary);
    Out << Expand(Source).dump(1) << "\n";
    if (!Out) throw std::runtime_error(std::string("cannot write ") + Argv[2]);
    return 0;
  } catch (const std::exception& E) {
    std::cerr << Argv[1] << ": " << E.what() << "\n";
    return 1;
  }
}
