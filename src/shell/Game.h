// The one context of a running game: every long-lived object, created once in start-up order
// and reset, never rebuilt. Tests build a fresh one on a headless platform.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "data/GameFolder.h"
#include "database/LD_DataBase.h"
#include "devices/MultiInput.h"
#include "graphics/PrismDraw.h"
#include "platform/Platform.h"
#include "platform/Random.h"
#include "state/LGD_System.h"

class TCadenzaBridge;
class TLcfScene;

// What the start-up found out about this run; set once, read by every part of the game.
struct TProgramValues {
  std::string GameFolder;      // with a trailing '/'
  std::string GameFolderName;  // its last component; names the per-user save folder
  std::vector<std::string> Words;
  bool BattleTestMode = false;
  bool TestPlayMode = false;
  bool ShowLogos = true;
  bool ShowTitle = true;
  bool ExeReadOnly = false;  // the game folder is not writable: saves go to the user's folder
  std::string Title = "Untitled";
  std::string PackageFolder;  // the shared resource package; empty when there is none
};

enum class TSceneId : uint8_t {
  Field = 0, Menu = 1, Battle = 2, Shop = 3, Name = 4, SaveFile = 5, Title = 6, GameOver = 7,
  Debug = 8
};
constexpr int SceneCount = 9;

struct TGame {
  TGame(Platform& device, TCadenzaBridge& audio, TProgramValues values);
  ~TGame();

  TLcfScene* Scene(uint8_t id) const { return id < SceneCount ? Scenes[id].get() : nullptr; }

  Platform& Device;
  TCadenzaBridge& Audio;
  TProgramValues Values;
  std::unique_ptr<TPrismDraw> Draw;
  std::unique_ptr<TMultiInput> Input;
  TRandom Random;
  TGameFolder Folder;  // the game's files and assets
  std::unique_ptr<TLcfDataBase> Database;
  std::unique_ptr<TLcfgSystem> System;
  std::array<std::unique_ptr<TLcfScene>, SceneCount> Scenes;
};
