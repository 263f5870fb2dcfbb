// The main window of the game: builds every long-lived object in start-up order, runs the
// frame loop over the scene table, and returns everything to the title on a reset.
#pragma once

#include <memory>

#include "shell/Game.h"

class TFormLcfGameMain {
 public:
  TFormLcfGameMain(Platform& device, TCadenzaBridge& audio, TProgramValues values);
  ~TFormLcfGameMain();

  // Runs the game until the window closes; the process exit code.
  int Run();

  TGame& Game() { return *Game_; }

  void FormCreate();
  void FormShow();
  void FormCloseQuery();
  void FormDestroy();
  void PrismDrawMain();
  void ResetGame();
  void StartBattleTest();

 private:
  void CreateScenes();
  void UpdateScene(uint8_t id);
  void DrawScene(uint8_t id);

  std::unique_ptr<TGame> Game_;
  bool Shown_ = false;
  bool Destroyed_ = false;
};
