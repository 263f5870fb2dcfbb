#include "shell/GameMain.h"

#include <iostream>
#include <stdexcept>
#include <string>

#include "devices/CadenzaBridge.h"
#include "graphics/PrismBoard.h"
#include "scenes/LS_GameOver.h"
#include "scenes/LS_Title.h"
#include "shell/Scene.h"

namespace {

using TSceneMaker = std::unique_ptr<TLcfScene> (*)(TGame&);

template <class T>
std::unique_ptr<TLcfScene> MakeScene(TGame& game) {
  return std::make_unique<T>(game);
}

struct TSceneEntry {
  const char* Name;
  TSceneMaker Make;  // none: a scene this version does not have yet
};

// The scenes by id, in the order they are created.
constexpr TSceneEntry SceneTable[SceneCount] = {
    {"field", nullptr},        {"menu", nullptr},  {"battle", nullptr},
    {"shop", nullptr},         {"name entry", nullptr},
    {"save and load", nullptr}, {"title", &MakeScene<TLcfTitleScene>},
    {"game over", &MakeScene<TLcfGameOverScene>}, {"debug", nullptr}};

// Scenes are built one by one as the game grows; running into one that is missing is an error
// with its name, not a silent black loop.
[[noreturn]] void MissingScene(uint8_t id) {
  throw std::runtime_error(std::string("The ") + SceneTable[id].Name +
                           " scene is not available in this version of tessera");
}

// The frames a held F12 must be released for, and then the frames of calm before the title.
constexpr int ResetCalmFrames = 20;

}  // namespace

TFormLcfGameMain::TFormLcfGameMain(Platform& device, TCadenzaBridge& audio, TProgramValues values)
    : Game_(std::make_unique<TGame>(device, audio, std::move(values))) {
  FormCreate();
}

TFormLcfGameMain::~TFormLcfGameMain() { FormDestroy(); }

void TFormLcfGameMain::FormCreate() {
  TGame& game = *Game_;
  game.Draw = std::make_unique<TPrismDraw>(game.Device);
  game.Draw->OnMain = [this] { PrismDrawMain(); };
  game.Draw->SetFrameRate(60);
  game.Draw->SetMaxLag(20);
  game.Draw->SetScreenZoom(true);
  game.Draw->UseMovie = true;
  game.Draw->SetScreenMode(game.Values.Words.size() > 2 && game.Values.Words[2] == "Window"
                               ? TScreenMode::smWindow
                               : TScreenMode::smFullScreen);
  game.Draw->Initialize();
  game.Device.SetCaption(game.Values.Title);
}

void TFormLcfGameMain::FormShow() {
  TGame& game = *Game_;
  game.Audio.CadenzaCreate();
  game.Audio.CadenzaInitMidi();
  game.Audio.CadenzaInitWave();
  game.Input = std::make_unique<TMultiInput>(game.Device);
  game.Database = std::make_unique<TLcfDataBase>();
  game.Database->Load(game.Folder);
  game.System = std::make_unique<TLcfgSystem>(*game.Database, game.Audio, game.Folder);
  // Starting a song can take longer than a frame; that time must not count as lag.
  game.System->OnMusicStarted = [&draw = *game.Draw] { draw.ResetTiming(); };
  game.System->Clear();
  // Without its fonts the game still runs, with blank text; say why once.
  for (const std::string& problem : game.System->Skin.FontErrors()) {
    std::cerr << "tessera: " << problem << std::endl;
  }
  CreateScenes();
}

// A scene already in its slot (put there by a test or a tool) is kept.
void TFormLcfGameMain::CreateScenes() {
  TGame& game = *Game_;
  for (int id = 0; id < SceneCount; ++id) {
    if (game.Scenes[id] || !SceneTable[id].Make) continue;
    game.Scenes[id] = SceneTable[id].Make(game);
    game.Scenes[id]->Reset();
  }
}

void TFormLcfGameMain::FormCloseQuery() {
  TGame& game = *Game_;
  if (!game.Draw) return;
  TPrismBoard& board = game.Draw->Board();
  for (int buffer = 0; buffer < 2; ++buffer) {
    board.Clear();
    game.Draw->Present();
  }
  game.Audio.CadenzaRelease();
}

void TFormLcfGameMain::FormDestroy() {
  if (Destroyed_) return;
  Destroyed_ = true;
  Game_->Audio.CadenzaRelease();
  Game_->Input.reset();
  for (auto& scene : Game_->Scenes) scene.reset();
}

int TFormLcfGameMain::Run() {
  if (!Shown_) {
    // Loading the game's files can fail; that ends the program like any escaped error.
    try {
      FormShow();
      Shown_ = true;
    } catch (const std::exception& error) {
      Game_->Device.ShowMessage(Game_->Values.Title, error.what());
      return 1;
    }
  }
  const int code = Game_->Draw->Run(Game_->Values.Title);
  FormCloseQuery();
  return code;
}

void TFormLcfGameMain::PrismDrawMain() {
  TGame& game = *Game_;
  ResetGame();
  for (;;) {
    if (game.Values.BattleTestMode && game.System->SceneId != uint8_t(TSceneId::Battle)) {
      game.Draw->RequestClose();
      return;
    }
    const uint8_t remembered = game.System->SceneId;
    ++game.System->FrameCounter;
    game.Input->Update();
    UpdateScene(game.System->SceneId);
    // A scene switch runs the new scene's update in the same frame slot, before anything of
    // it is drawn.
    if (game.System->SceneId != remembered) continue;
    const uint8_t id = game.System->SceneId;
    const TLcfScene* scene = game.Scene(id);
    if (game.Draw->FrameLag() < game.Draw->MaxLag() / 2 ||
        (id == uint8_t(TSceneId::Field) && scene && scene->ForceDraw())) {
      DrawScene(id);
      game.Draw->Present();
    }
    game.Draw->WaitFrame();
  }
}

void TFormLcfGameMain::UpdateScene(uint8_t id) {
  if (id >= SceneCount) return;  // an id from damaged data runs nothing
  TLcfScene* scene = Game_->Scene(id);
  if (!scene) MissingScene(id);
  scene->Update();
}

void TFormLcfGameMain::DrawScene(uint8_t id) {
  if (TLcfScene* scene = Game_->Scene(id)) scene->Draw();
}

void TFormLcfGameMain::ResetGame() {
  TGame& game = *Game_;
  game.Audio.CadenzaStopMusic();
  game.Audio.CadenzaStopSound();
  TPrismBoard& board = game.Draw->Board();
  board.Clear();
  board.Brightness = 0;
  game.Draw->Present();
  game.System->Clear();
  // The debug scene keeps its cursor across resets.
  for (TSceneId id : {TSceneId::Field, TSceneId::Menu, TSceneId::Battle, TSceneId::Shop,
                      TSceneId::Name, TSceneId::SaveFile, TSceneId::Title, TSceneId::GameOver}) {
    if (TLcfScene* scene = game.Scene(uint8_t(id))) scene->Reset();
  }
  while (game.Device.IsKeyDown(VirtualKey::F(12))) game.Draw->WaitFrame();
  for (int frame = 0; frame < ResetCalmFrames; ++frame) game.Draw->WaitFrame();
  if (game.Values.BattleTestMode) {
    StartBattleTest();
  } else {
    game.System->SceneId = uint8_t(TSceneId::Title);
  }
}

void TFormLcfGameMain::StartBattleTest() {
  throw std::runtime_error("The battle test is not available in this version of tessera");
}

