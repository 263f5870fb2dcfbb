// Checks shared by the tests of the demo game and of the small test games: a game folder as the
// build leaves it is loaded with the player's own readers, and these walk its data for the
// records, places and assets it names.
#pragma once

#include "GameJson.h"
#include "data/GameFolder.h"
#include "database/LD_DataBase.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

// The map unit's file name inside the data folder: the player's "data\0001.M" without "data\".
inline std::string MapFileInData(int32_t Id) { return MapFileName(Id).substr(5); }

// A game folder's database and map tree, loaded once; maps load on demand.
class TBuiltGame {
 public:
  explicit TBuiltGame(std::filesystem::path GameFolder) : Folder(std::move(GameFolder)) {
    const TBytes Data = ReadGameFile("$$$.B");
    TByteReader In(Data);
    DataBase.LoadFromStream(In);
    const TBytes TreeData = ReadGameFile("$$$.F");
    TByteReader TreeIn(TreeData);
    Tree.LoadFromStream(TreeIn);
  }

  TBytes ReadGameFile(const std::string& Name) const {
    std::ifstream In(Folder / "data" / Name, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
  }

  // The maps of the tree, areas and the root left out.
  std::vector<int32_t> MapIds() const {
    std::vector<int32_t> Ids;
    for (size_t I = 0; I < Tree.Count(); ++I)
      if (Tree.Items(I)->Id != 0 && Tree.Items(I)->ItemType != 2) Ids.push_back(Tree.Items(I)->Id);
    return Ids;
  }

  TLcfMap LoadMap(int32_t Id) const {
    TLcfMap Map;
    Map.LoadFromBytes(ReadGameFile(MapFileInData(Id)));
    return Map;
  }

  // The database, the map tree and every map unit.
  std::vector<std::string> GameFileNames() const {
    std::vector<std::string> Files = {"$$$.B", "$$$.F"};
    for (const int32_t Id : MapIds()) Files.push_back(MapFileInData(Id));
    return Files;
  }

  std::filesystem::path Folder;
  TLcfDataBase DataBase;
  TLcfMapTree Tree;
};

// A name the game data uses for an asset, and where the player looks it up.
struct TAssetRef {
  std::string Name, Folder;
  EAssetList List;
  std::string Where;
};

inline void AddMusic(std::vector<TAssetRef>& Refs, const TLcfMusic& M, const std::string& Where) {
  if (M.Name != "(OFF)") Refs.push_back({M.Name, "data", EAssetList::Music, Where});
}
inline void AddSound(std::vector<TAssetRef>& Refs, const TLcfSound& S, const std::string& Folder, const std::string& Where) {
  if (S.Name != "(OFF)") Refs.push_back({S.Name, Folder, EAssetList::Sound, Where});
}

// The assets that script lines name in their text, by command code.
inline void AddScriptAssets(std::vector<TAssetRef>& Refs, const TLcfEventScriptList& Script, const std::string& Where) {
  for (const TLcfEventScriptLine& Line : Script.Items) {
    if (Line.Text.empty()) continue;
    switch (Line.Code) {
      case 10130:  // face
      case 10630:  // actor sprite
        Refs.push_back({Line.Text, "data", EAssetList::Image, Where});
        break;
      case 10660:  // system music
      case 11510:  // play music
        Refs.push_back({Line.Text, "data", EAssetList::Music, Where});
        break;
      case 11550:  // play sound
        if (Line.Text != "(OFF)") Refs.push_back({Line.Text, "data", EAssetList::Sound, Where});
        break;
      case 13210:  // battle backdrop
        Refs.push_back({Line.Text, "Backdrop", EAssetList::Image, Where});
        break;
      default:
        break;
    }
  }
}

// Every script of the game with where it lives: common events, troop pages and map event pages.
inline void ForEachScript(const TBuiltGame& Game,
                          const std::function<void(const TLcfEventScriptList&, const std::string&)>& Visit) {
  const TLcfDataBase& DataBase = Game.DataBase;
  for (size_t I = 0; I < DataBase.CommonEvents.Count(); ++I) Visit(DataBase.CommonEvents.Items(I)->Script, "common event");
  for (size_t I = 0; I < DataBase.Troops.Count(); ++I)
    for (size_t P = 0; P < DataBase.Troops.Items(I)->Pages.Count(); ++P)
      Visit(DataBase.Troops.Items(I)->Pages.Items(P)->Script, "troop " + DataBase.Troops.Items(I)->Name);
  for (const int32_t Id : Game.MapIds()) {
    const TLcfMap Map = Game.LoadMap(Id);
    for (size_t E = 0; E < Map.Events.Count(); ++E)
      for (size_t P = 0; P < Map.Events.Items(E)->Pages.Count(); ++P)
        Visit(Map.Events.Items(E)->Pages.Items(P)->Script, "map " + std::to_string(Id) + " event " + Map.Events.Items(E)->Name);
  }
}

// Every picture, song and sound that the database, the map tree and the maps name.
inline std::vector<TAssetRef> ReferencedAssets(const TBuiltGame& Game) {
  std::vector<TAssetRef> Refs;
  const TLcfDataBase& DataBase = Game.DataBase;
  const TLcfSystem& System = DataBase.System;
  Refs.push_back({System.TitlePicture, "data", EAssetList::Image, "title picture"});
  Refs.push_back({System.GameOverPicture, "data", EAssetList::Image, "game-over picture"});
  Refs.push_back({System.SystemGraphic, "data", EAssetList::Image, "system graphic"});
  for (const TLcfMusic& M : System.Musics) AddMusic(Refs, M, "system music");
  for (const TLcfSound& S : System.Sounds) AddSound(Refs, S, "data", "system sound");
  if (!System.TestBackdrop.empty()) Refs.push_back({System.TestBackdrop, "Backdrop", EAssetList::Image, "test backdrop"});
  for (size_t I = 0; I < DataBase.Actors.Count(); ++I) {
    const TLcfPlayerItem& A = *DataBase.Actors.Items(I);
    Refs.push_back({A.CharSetName, "data", EAssetList::Image, "actor " + A.Name});
    Refs.push_back({A.FaceName, "data", EAssetList::Image, "actor " + A.Name});
  }
  for (size_t I = 0; I < DataBase.Skills.Count(); ++I) AddSound(Refs, DataBase.Skills.Items(I)->Sound, "data", "skill");
  for (size_t I = 0; I < DataBase.Enemies.Count(); ++I)
    Refs.push_back({DataBase.Enemies.Items(I)->GraphicName, "Monster", EAssetList::Image, "enemy"});
  for (size_t I = 0; I < DataBase.Terrains.Count(); ++I)
    if (!DataBase.Terrains.Items(I)->Backdrop.empty())
      Refs.push_back({DataBase.Terrains.Items(I)->Backdrop, "Backdrop", EAssetList::Image, "terrain"});
  for (size_t I = 0; I < DataBase.Animations.Count(); ++I) {
    const TLcfAnimationItem& A = *DataBase.Animations.Items(I);
    Refs.push_back({A.GraphicName, "Battle", EAssetList::Image, "animation " + A.Name});
    for (size_t T = 0; T < A.Timings.Count(); ++T) AddSound(Refs, A.Timings.Items(T)->Sound, "Sound", "animation " + A.Name);
  }
  for (size_t I = 0; I < DataBase.ChipSets.Count(); ++I)
    Refs.push_back({DataBase.ChipSets.Items(I)->GraphicName, "data", EAssetList::Image, "chipset"});
  for (size_t I = 0; I < Game.Tree.Count(); ++I) {
    AddMusic(Refs, Game.Tree.Items(I)->Music, "map tree");
    if (!Game.Tree.Items(I)->Backdrop.empty())
      Refs.push_back({Game.Tree.Items(I)->Backdrop, "Backdrop", EAssetList::Image, "map tree"});
  }
  for (const int32_t Id : Game.MapIds()) {
    const TLcfMap Map = Game.LoadMap(Id);
    const std::string Where = "map " + std::to_string(Id);
    if (!Map.PanoramaName.empty()) Refs.push_back({Map.PanoramaName, "Panorama", EAssetList::Image, Where});
    for (size_t E = 0; E < Map.Events.Count(); ++E)
      for (size_t P = 0; P < Map.Events.Items(E)->Pages.Count(); ++P) {
        const std::string& CharSet = Map.Events.Items(E)->Pages.Items(P)->CharSetName;
        if (!CharSet.empty()) Refs.push_back({CharSet, "data", EAssetList::Image, Where});
      }
  }
  ForEachScript(Game, [&](const TLcfEventScriptList& Script, const std::string& Where) { AddScriptAssets(Refs, Script, Where); });
  return Refs;
}

// Each referenced asset resolves inside the game folder itself; returns how many distinct
// assets were checked.
inline size_t ExpectEveryAssetInTheFolder(const TBuiltGame& Game) {
  const TGameFolder Folder(Game.Folder.string());
  std::set<std::string> Checked;
  for (const TAssetRef& Ref : ReferencedAssets(Game)) {
    EXPECT_FALSE(Ref.Name.empty()) << Ref.Where;
    EXPECT_TRUE(Folder.FindAsset(Ref.Name, Ref.Folder, Ref.List)) << Ref.Folder << "/" << Ref.Name << " of " << Ref.Where;
    Checked.insert(Ref.Folder + "/" + Ref.Name);
  }
  return Checked.size();
}

// Teleports land inside their map; battles, item changes and shops name troops and items that
// the database holds.
inline void ExpectScriptsNameWhatExists(const TBuiltGame& Game) {
  const TLcfDataBase& DataBase = Game.DataBase;
  ForEachScript(Game, [&](const TLcfEventScriptList& Script, const std::string& Where) {
    SCOPED_TRACE(Where);
    for (const TLcfEventScriptLine& Line : Script.Items) {
      if (Line.Code == 10810) {
        ASSERT_GE(Line.Params.size(), 3u);
        const TLcfMap Target = Game.LoadMap(Game.Tree.ItemById(Line.Params[0]).Id);
        EXPECT_TRUE(Line.Params[1] >= 0 && Line.Params[1] < Target.Width) << "teleport x " << Line.Params[1];
        EXPECT_TRUE(Line.Params[2] >= 0 && Line.Params[2] < Target.Height) << "teleport y " << Line.Params[2];
      }
      if (Line.Code == 10710) {
        EXPECT_NO_THROW(DataBase.Troops.ItemById(Line.Params.at(1)));
      }
      if (Line.Code == 10320) {
        EXPECT_NO_THROW(DataBase.Items.ItemById(Line.Params.at(2)));
      }
      if (Line.Code == 10720) {
        for (size_t G = 4; G < Line.Params.size(); ++G) EXPECT_NO_THROW(DataBase.Items.ItemById(Line.Params[G]));
      }
    }
  });
}

// gamekit gives every game file back byte for byte from its dump, and shows every field readably.
inline void ExpectGamekitRoundTrips(const TBuiltGame& Game) {
  for (const std::string& Name : Game.GameFileNames()) {
    SCOPED_TRACE(Name);
    const TBytes Original = Game.ReadGameFile(Name);
    ASSERT_FALSE(Original.empty());
    const TJson Dump = DumpFile(Original);
    EXPECT_EQ(BuildFile(Dump), Original);
    EXPECT_EQ(Dump.dump().find("$raw"), std::string::npos) << "every field shows readably";
  }
}

// The party's start lies on its map, on a tile it can leave.
inline void ExpectStartOnAPassableTile(const TBuiltGame& Game) {
  const TLcfMapStartPosition& Start = Game.Tree.StartingPoint;
  ASSERT_NE(Start.Party.MapId, 0);
  const TLcfMap Map = Game.LoadMap(Start.Party.MapId);
  ASSERT_TRUE(Start.Party.X >= 0 && Start.Party.X < Map.Width && Start.Party.Y >= 0 && Start.Party.Y < Map.Height);
  const TLcfChipSetItem& ChipSet = Game.DataBase.ChipSets.ItemById(Map.ChipSetId);
  EXPECT_NE(ChipSet.LowerFlagsOf(Map.LowerLayer.TileAt(Start.Party.X, Start.Party.Y)) & 0x0F, 0)
      << "the party starts on a tile it can leave";
}
