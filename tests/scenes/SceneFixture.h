// A running game for scene tests: a fake platform whose clock moves only with the game's own
// waits, an audio library that records its calls, and a game folder the test fills in.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "FakePlatform.h"
#include "GameFixture.h"
#include "RecordingAudio.h"
#include "devices/CadenzaBridge.h"
#include "shell/Game.h"
#include "shell/Scene.h"

class TSceneFixture : public ::testing::Test {
 protected:
  // Builds the game from the database as the test left it; call once, before the scene.
  TGame& StartGame(const TProgramValues& Overrides = {}) {
    TProgramValues Values = Overrides;
    const TBytes Bytes = SavedBytes(Database);
    Root.Write("game/data/$$$.B", std::string(Bytes.begin(), Bytes.end()));
    Values.GameFolder = Root / "game/";
    Values.GameFolderName = "game";
    Game = std::make_unique<TGame>(Device, Bridge, Values);
    Game->Draw = std::make_unique<TPrismDraw>(Device);
    Game->Draw->SetFrameRate(60);
    Game->Draw->Initialize();
    // Scenes start on the black screen the reset leaves.
    if (StartBlack) Game->Draw->Board().Brightness = 0;
    Game->Input = std::make_unique<TMultiInput>(Device);
    Game->Database = std::make_unique<TLcfDataBase>();
    Game->Database->Load(Game->Folder);
    Game->System = std::make_unique<TLcfgSystem>(*Game->Database, Audio, Game->Folder);
    Game->System->Clear();
    Audio.Take();
    return *Game;
  }

  // One pass of the main loop for Scene: input, update, draw, present, wait.
  void Frame(TLcfScene& Scene) {
    Game->Input->Update();
    Scene.Update();
    Scene.Draw();
    Game->Draw->Present();
    Game->Draw->WaitFrame();
  }
  void Press(uint8_t Key) { Device.InjectKey(Key, true); }
  void Release(uint8_t Key) { Device.InjectKey(Key, false); }
  // A key pressed for one frame of Scene and released again.
  void Tap(TLcfScene& Scene, uint8_t Key) {
    Press(Key);
    Frame(Scene);
    Release(Key);
    Frame(Scene);
  }
  uint64_t Frames() const { return Game->Draw->FrameNumber(); }
  // The screen pixel at (X, Y) as 5-6-5.
  uint16_t Pixel(int X, int Y) const { return Device.LastBoard.Pixels[Y * Device.LastBoard.Pitch + X]; }

  bool StartBlack = true;
  TTestFolder Root;
  TLcfDataBase Database;
  TFakePlatform Device;
  TCadenzaBridge Bridge;  // not loaded; the game's sounds go to Audio
  TRecordingAudio Audio;
  std::unique_ptr<TGame> Game;
};
