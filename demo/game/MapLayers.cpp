#include "MapLayers.h"

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using TJson = nlohmann::ordered_json;

enum ENeighbour { N, NE, E, SE, S, SW, W, NW };

// By the sides whose neighbour does not join (bit 1 N, 2 E, 4 S, 8 W): the first shape of the
// group and the diagonals whose inner corner shows when they do not join (each adds 1, 2, ...).
struct TShapeGroup {
  int32_t First;
  std::vector<ENeighbour> InnerCorners;
};
const TShapeGroup ShapeGroups[16] = {
    {0, {NW, NE, SE, SW}},  // every side joins
    {20, {SE, SW}},         // N
    {24, {SW, NW}},         // E
    {36, {SW}},             // N E
    {28, {NW, NE}},         // S
    {33, {}},               // N S
    {38, {NW}},             // E S
    {45, {}},               // N E S
    {16, {NE, SE}},         // W
    {34, {SE}},             // N W
    {32, {}},               // E W
    {42, {}},               // N E W
    {40, {NE}},             // S W
    {43, {}},               // N S W
    {44, {}},               // E S W
    {46, {}},               // all sides
};

enum class EAutoKind { None, Water, Animated, Terrain };

struct TLegendTile {
  EAutoKind Kind = EAutoKind::None;
  int32_t Id = 0;  // the plain tile, or the auto-tile's kind number
};

constexpr int32_t WaterKinds = 3, AnimatedKinds = 3, TerrainKinds = 12;

TLegendTile ParseLegendValue(const TJson& Value, const std::string& Char) {
  if (Value.is_number_integer()) {
    const int64_t Id = Value.get<int64_t>();
    if (Id < 0 || Id > 0xFFFF) throw std::runtime_error("legend \"" + Char + "\": tile id out of range");
    return {EAutoKind::None, int32_t(Id)};
  }
  if (!Value.is_string()) throw std::runtime_error("legend \"" + Char + "\": expected a tile id or \"water K\"");
  static const std::map<std::string, std::pair<EAutoKind, int32_t>> Kinds = {
      {"water", {EAutoKind::Water, WaterKinds}},
      {"animated", {EAutoKind::Animated, AnimatedKinds}},
      {"terrain", {EAutoKind::Terrain, TerrainKinds}},
  };
  const std::string Text = Value.get<std::string>();
  const size_t Space = Text.find(' ');
  const auto It = Kinds.find(Text.substr(0, Space));
  if (It == Kinds.end() || Space == std::string::npos)
    throw std::runtime_error("legend \"" + Char + "\": expected \"water K\", \"animated K\" or \"terrain K\"");
  const int32_t Number = std::stoi(Text.substr(Space + 1));
  if (Number < 0 || Number >= It->second.second) throw std::runtime_error("legend \"" + Char + "\": no such kind");
  return {It->second.first, Number};
}

class TLayerDrawing {
 public:
  TLayerDrawing(const TJson& Layer, const std::string& Name, int32_t Width, int32_t Height)
      : Name(Name), Width(Width), Height(Height) {
    if (!Layer.is_object() || !Layer.contains("Legend") || !Layer.contains("Rows"))
      throw std::runtime_error(Name + ": expected \"Legend\" and \"Rows\"");
    for (const auto& [Char, Value] : Layer["Legend"].items()) {
      if (Char.size() != 1) throw std::runtime_error(Name + " legend: \"" + Char + "\" is not one character");
      Legend[Char[0]] = ParseLegendValue(Value, Char);
    }
    const TJson& RowList = Layer["Rows"];
    if (!RowList.is_array() || RowList.size() != size_t(Height))
      throw std::runtime_error(Name + ": expected " + std::to_string(Height) + " rows");
    for (size_t Y = 0; Y < RowList.size(); ++Y) {
      const std::string Row = RowList[Y].get<std::string>();
      if (Row.size() != size_t(Width))
        throw std::runtime_error(Name + " row " + std::to_string(Y) + ": expected " + std::to_string(Width) + " characters");
      for (size_t X = 0; X < Row.size(); ++X)
        if (!Legend.contains(Row[X]))
          throw std::runtime_error(Name + " row " + std::to_string(Y) + " column " + std::to_string(X) + ": \"" +
                                   std::string(1, Row[X]) + "\" is not in the legend");
      Rows.push_back(Row);
    }
  }

  TJson Tiles() const {
    TJson Out = TJson::array();
    for (int32_t Y = 0; Y < Height; ++Y)
      for (int32_t X = 0; X < Width; ++X) Out.push_back(TileAt(X, Y));
    return Out;
  }

 private:
  std::optional<TLegendTile> CellAt(int32_t X, int32_t Y) const {
    if (X < 0 || Y < 0 || X >= Width || Y >= Height) return std::nullopt;
    return Legend.at(Rows[size_t(Y)][size_t(X)]);
  }

  // Water joins any water, so that a canal meets the lake without a shore between them; a
  // terrain joins only itself. Beyond the map's edge everything joins.
  bool Joins(const TLegendTile& Cell, int32_t X, int32_t Y) const {
    const auto Other = CellAt(X, Y);
    if (!Other) return true;
    if (Cell.Kind == EAutoKind::Water) return Other->Kind == EAutoKind::Water;
    return Other->Kind == Cell.Kind && Other->Id == Cell.Id;
  }

  int32_t TileAt(int32_t X, int32_t Y) const {
    const TLegendTile Cell = *CellAt(X, Y);
    static constexpr int32_t Dx[8] = {0, 1, 1, 1, 0, -1, -1, -1}, Dy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
    TNeighbours Joined{};
    for (int I = 0; I < 8; ++I) Joined[size_t(I)] = Joins(Cell, X + Dx[I], Y + Dy[I]);
    switch (Cell.Kind) {
      case EAutoKind::None:
        return Cell.Id;
      case EAutoKind::Water:
        return Cell.Id * 1000 + AutoTileShape(Joined);
      case EAutoKind::Animated:
        return 3000 + Cell.Id * 50;
      case EAutoKind::Terrain:
        return 4000 + Cell.Id * 50 + AutoTileShape(Joined);
    }
    return Cell.Id;
  }

  std::string Name;
  int32_t Width, Height;
  std::map<char, TLegendTile> Legend;
  std::vector<std::string> Rows;
};

}  // namespace

int32_t AutoTileShape(const TNeighbours& Joined) {
  const int Open = (Joined[N] ? 0 : 1) | (Joined[E] ? 0 : 2) | (Joined[S] ? 0 : 4) | (Joined[W] ? 0 : 8);
  const TShapeGroup& Group = ShapeGroups[Open];
  int32_t Shape = Group.First;
  for (size_t I = 0; I < Group.InnerCorners.size(); ++I)
    if (!Joined[Group.InnerCorners[I]]) Shape += int32_t(1) << I;
  return Shape;
}

std::pair<TJson, TJson> DrawLayers(const TJson& Layers, int32_t Width, int32_t Height) {
  if (Width <= 0 || Height <= 0) throw std::runtime_error("Layers: the map needs \"Width\" and \"Height\" before them");
  if (!Layers.is_object() || !Layers.contains("Lower") || !Layers.contains("Upper"))
    throw std::runtime_error("Layers: expected \"Lower\" and \"Upper\"");
  return {TLayerDrawing(Layers["Lower"], "Lower", Width, Height).Tiles(),
          TLayerDrawing(Layers["Upper"], "Upper", Width, Height).Tiles()};
}
