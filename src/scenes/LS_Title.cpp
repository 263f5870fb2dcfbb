#include "scenes/LS_Title.h"

#include <algorithm>

#include "graphics/GR_System.h"
#include "state/SaveData.h"

namespace {

constexpr int32_t WindowHeight = 64, WindowTopWithTitle = 148, WindowTopWithoutTitle = 88;
constexpr int32_t DisabledColor = 3, NormalColor = 0;
constexpr const char* LogoNames[] = {"LOGO1", "LOGO2", "LOGO3"};
// A logo stays at least this long, and this much longer unless the decision button is held.
constexpr int LogoShortFrames = 20, LogoExtraFrames = 60;

}  // namespace

TLcfTitleScene::TLcfTitleScene(TGame& game) : TLcfScene(game), CommandWindow(game) {}

void TLcfTitleScene::Reset() {
  TLcfScene::Reset();
  Started = false;
  FirstVisit = true;
  Picture.FreePixels();
  CommandWindow.Close();
}

void TLcfTitleScene::Enter() {
  const TProgramValues& Values = Game.Values;
  Started = true;
  Picture.SetSize(TPrismDraw::ScreenWidth, TPrismDraw::ScreenHeight);
  if (FirstVisit && Values.ShowLogos) ShowLogos();
  ContinueEnabled = TSaveSlots({Values.GameFolder, Values.GameFolderName, Values.ExeReadOnly}).FirstUsedSlot() > 0;
  LoadPicture(Picture, Game.Database->System.TitlePicture);
  if (Values.ShowTitle) {
    Game.System->PlayMusic(Game.System->GetSystemMusic(TLcfgSystem::EMusicSlot::Title));
    if (FirstVisit) FadeIn(3);
  }
  OpenCommandWindow();
  FadeIn(20);
}

void TLcfTitleScene::ShowLogos() {
  for (int frame = 0; frame < 10; ++frame) FrameStep();
  for (const char* Name : LogoNames) ShowLogo(Name);
  Game.Values.ShowLogos = false;
}

void TLcfTitleScene::ShowLogo(const char* Name) {
  Picture.AssignBitmap(LoadProgramResource(Name));
  FadeIn(10);
  Game.Draw->ResetTiming();
  for (int frame = 0; frame < LogoShortFrames; ++frame) FrameStep();
  for (int frame = 0; frame < LogoExtraFrames; ++frame) {
    Game.Input->Update();
    if (Game.Input->State & GameButton::Decision) break;
    FrameStep();
  }
  Game.Input->Flush();
  FadeOut(10);
}

void TLcfTitleScene::OpenCommandWindow() {
  const TLcfVocabulary& Terms = Game.Database->Vocabulary;
  // Text is measured in bytes: a double-byte character is two half-width cells wide.
  const size_t Longest = std::max({Terms.TitleNewGame.size(), Terms.TitleContinue.size(), Terms.TitleShutdown.size()});
  const int32_t Width = int32_t(Longest) * 6 + 16;
  const int32_t Left = TPrismDraw::ScreenWidth / 2 - Width / 2;
  if (Game.Values.ShowTitle) {
    CommandWindow.Setup(Left, WindowTopWithTitle, Width, WindowHeight, FirstVisit);
  } else {
    CommandWindow.Setup(Left, WindowTopWithoutTitle, Width, WindowHeight, false);
  }
  CommandWindow.DrawText(8, 8, Terms.TitleNewGame, NormalColor, true);
  CommandWindow.DrawText(8, 24, Terms.TitleContinue, ContinueEnabled ? NormalColor : DisabledColor, true);
  CommandWindow.DrawText(8, 40, Terms.TitleShutdown, NormalColor, true);
  CommandWindow.SetActive(true);
  if (!FirstVisit) CommandWindow.SetIndex(cmContinue);
}

void TLcfTitleScene::Update() {
  if (!Started) Enter();
  CommandWindow.Update();
  if (!CommandWindow.IsOpen() || !CommandWindow.Active) return;
  if (Game.Input->Repeat & GameButton::Decision) Choose(CommandWindow.Index);
}

void TLcfTitleScene::Choose(int32_t Command) {
  TLcfgSystem& System = *Game.System;
  switch (Command) {
    case cmNewGame:
      System.PlaySystemSound(ESystemSound::Decision);
      System.FadeOutMusic(800);
      Leave();
      for (int frame = 0; frame < 48; ++frame) Game.Draw->WaitFrame();
      System.StopMusic();
      for (int frame = 0; frame < 16; ++frame) Game.Draw->WaitFrame();
      // The field scene starts the game at the map tree's start position.
      System.SceneId = uint8_t(TSceneId::Field);
      break;
    case cmContinue:
      if (!ContinueEnabled) {
        System.PlaySystemSound(ESystemSound::Buzzer);
        break;
      }
      System.PlaySystemSound(ESystemSound::Decision);
      Leave();
      // The save scene opens its list in load mode.
      System.SceneId = uint8_t(TSceneId::SaveFile);
      break;
    case cmShutdown:
      System.PlaySystemSound(ESystemSound::Decision);
      System.FadeOutMusic(400);
      FadeOut(4);
      Game.Draw->RequestClose();
      break;
    default:
      break;
  }
}

void TLcfTitleScene::Leave() {
  FadeOut(20);
  Game.Draw->Board().Clear();
  Game.Draw->Present();
  Reset();
  FirstVisit = false;
}

void TLcfTitleScene::Draw() {
  if (!Started) return;
  TPrismBoard& Board = Game.Draw->Board();
  Board.FillRect({0, 0, Board.Width(), Board.Height()}, Game.System->Skin.BackgroundColor());
  if (Game.Values.ShowLogos || Game.Values.ShowTitle) Board.Draw(0, 0, Picture.GetBounds(), Picture);
  CommandWindow.Draw();
}
