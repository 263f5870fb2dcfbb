#include "MapRender.h"

#include "data/GameFolder.h"
#include "database/LD_DataBase.h"
#include "graphics/GR_CharSet.h"
#include "graphics/GR_ChipSet.h"
#include "graphics/PrismPng.h"
#include "maps/LD_Map.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iostream>
#include <stdexcept>

namespace {

constexpr int32_t Tile = 16;
constexpr int32_t PageTransparencyLevel = 3;  // a transparent page shows its sprite at level 3
constexpr int32_t LayerCount = 3;             // below, at and above the player's level

// One event as its first page shows it, standing on its tile.
struct TShownEvent {
  int32_t ScreenX, ScreenY, Layer;
  const TLcfEventPageItem* Page;
};

std::vector<TShownEvent> ShownEvents(const TLcfMap& Map) {
  std::vector<TShownEvent> Shown;
  for (size_t I = 0; I < Map.Events.Count(); ++I) {
    const TLcfEventItem& Event = *Map.Events.Items(I);
    const TLcfEventPageItem* Page = Event.Pages.Items(0);
    if (!Page) continue;
    Shown.push_back({Event.X * Tile + Tile / 2, Event.Y * Tile + Tile, std::clamp<int32_t>(Page->Layer, 0, LayerCount - 1), Page});
  }
  // The field scene's order: by layer, then from the top of the screen down, then left to right.
  std::stable_sort(Shown.begin(), Shown.end(), [](const TShownEvent& A, const TShownEvent& B) {
    if (A.Layer != B.Layer) return A.Layer < B.Layer;
    if (A.ScreenY != B.ScreenY) return A.ScreenY < B.ScreenY;
    return A.ScreenX < B.ScreenX;
  });
  return Shown;
}

class TMapPainter {
 public:
  TMapPainter(const TGameFolder& Game, const TLcfMap& Map, const TLcfChipSetItem* ChipSet, int32_t Frame,
              std::vector<std::string>& Warnings)
      : Map(Map), ChipSet(ChipSet), Frame(Frame), Warnings(Warnings), Chips(Game), Sprites(Game),
        Board(Map.Width * Tile, Map.Height * Tile) {
    try {
      Chips.SetChipSet(ChipSet);
    } catch (const std::exception& E) {
      Warn("chipset image: ", E.what());
    }
    Chips.SetTransparent(true);
    Sprites.Transparent = true;
  }

  TPrismBoard Paint() {
    const std::vector<TShownEvent> Events = ShownEvents(Map);
    PaintTiles(false);
    for (int32_t Layer = 0; Layer < LayerCount; ++Layer) {
      if (Layer == 2) PaintTiles(true);
      for (const TShownEvent& Event : Events)
        if (Event.Layer == Layer) PaintEvent(Event);
    }
    return std::move(Board);
  }

 private:
  bool Above(int32_t TileId, bool Upper) const {
    if (!ChipSet) return false;
    return ((Upper ? ChipSet->UpperFlagsOf(TileId) : ChipSet->LowerFlagsOf(TileId)) & ChipAbove) != 0;
  }

  // The tiles of both layers that are drawn above the characters, or all the others.
  void PaintTiles(bool AboveCharacters) {
    for (int32_t Y = 0; Y < Map.Height; ++Y)
      for (int32_t X = 0; X < Map.Width; ++X) {
        const int32_t Lower = Map.LowerLayer.TileAt(X, Y), Upper = Map.UpperLayer.TileAt(X, Y);
        if (Lower >= 0 && Above(Lower, false) == AboveCharacters) Chips.DrawTile(Board, X * Tile, Y * Tile, Tile, Lower, Frame);
        if (Upper >= 0 && Above(Upper, true) == AboveCharacters) Chips.DrawTile(Board, X * Tile, Y * Tile, Tile, Upper, Frame);
      }
  }

  void PaintEvent(const TShownEvent& Event) {
    const TLcfEventPageItem& Page = *Event.Page;
    const int32_t Level = Page.Transparent ? PageTransparencyLevel : 0;
    if (Page.CharSetName.empty()) {
      Chips.SetLevel(Level);
      Chips.DrawTile(Board, Event.ScreenX - Tile / 2, Event.ScreenY - Tile, Tile, 10000 + Page.CharSetIndex, Frame);
      Chips.SetLevel(0);
      return;
    }
    int32_t Index = Sprites.IndexOf(Page.CharSetName);
    if (Index < 0) {
      try {
        Index = Sprites.Load(Page.CharSetName);
      } catch (const std::exception& E) {
        Warn("sprite sheet: ", E.what());
        return;
      }
    }
    Sprites.Level = Level;
    Sprites.DrawFrame(Board, Event.ScreenX, Event.ScreenY, TLcfCharSetGraphic::BushNone, Page.Pattern, Page.Direction,
                      Page.CharSetIndex, Index);
  }

  void Warn(const char* What, const char* Why) {
    std::string Line = std::string(What) + Why;
    if (std::find(Warnings.begin(), Warnings.end(), Line) == Warnings.end()) Warnings.push_back(std::move(Line));
  }

  const TLcfMap& Map;
  const TLcfChipSetItem* ChipSet;
  const int32_t Frame;
  std::vector<std::string>& Warnings;
  TLcfChipSetGraphic Chips;
  TLcfCharSetGraphic Sprites;
  TPrismBoard Board;
};

const char RenderUsage[] = "usage: gamekit render GAME MAPID OUT.png [--frame N]\n";

bool ParseInt(const std::string& Text, int32_t& Value) {
  const char* End = Text.data() + Text.size();
  auto Result = std::from_chars(Text.data(), End, Value);
  return Result.ec == std::errc() && Result.ptr == End;
}

}  // namespace

TPrismBoard RenderMap(const TGameFolder& Game, const TLcfDataBase& Data, const TLcfMap& Map, int32_t Frame,
                      std::vector<std::string>& Warnings) {
  if (Map.Width <= 0 || Map.Height <= 0 || Map.Width > MaxRenderSide / Tile || Map.Height > MaxRenderSide / Tile)
    throw std::runtime_error("map of " + std::to_string(Map.Width) + "x" + std::to_string(Map.Height) +
                             " tiles cannot be rendered");
  const TLcfChipSetItem* ChipSet = Map.ChipSet ? Map.ChipSet : Data.ChipSets.Find(Map.ChipSetId);
  if (!ChipSet) Warnings.push_back("no chipset " + std::to_string(Map.ChipSetId) + " in the database");
  return TMapPainter(Game, Map, ChipSet, Frame, Warnings).Paint();
}

int RenderMapCommand(const std::vector<std::string>& Args) {
  std::vector<std::string> Positional;
  int32_t Frame = 0;
  for (size_t I = 0; I < Args.size(); ++I) {
    if (Args[I] == "--frame") {
      if (I + 1 >= Args.size() || !ParseInt(Args[++I], Frame) || Frame < 0) return std::cerr << RenderUsage, 2;
    } else {
      Positional.push_back(Args[I]);
    }
  }
  int32_t MapId = 0;
  if (Positional.size() != 3 || !ParseInt(Positional[1], MapId)) return std::cerr << RenderUsage, 2;
  const std::string& Out = Positional[2];
  try {
    TGameFolder Game(Positional[0]);
    TLcfDataBase Data;
    Data.Load(Game);
    TLcfMap Map;
    Map.Load(Game, MapId);
    std::vector<std::string> Warnings;
    const TPrismBoard Board = RenderMap(Game, Data, Map, Frame, Warnings);
    for (const auto& Line : Warnings) std::cerr << "gamekit render: " << Line << "\n";
    const std::vector<uint8_t> Png = EncodeBoardPng(Board);
    std::ofstream File(Out, std::ios::binary | std::ios::trunc);
    if (!File.write(reinterpret_cast<const char*>(Png.data()), std::streamsize(Png.size())) || !File.flush())
      throw std::runtime_error("cannot write \"" + Out + "\"");
    return 0;
  } catch (const std::exception& E) {
    std::cerr << "gamekit render: " << E.what() << "\n";
  }
  return 1;
}
