#include "shell/Scene.h"

#include <algorithm>
#include <cmath>

#include "data/ByteStream.h"

TLcfScene::TLcfScene(TGame& game) : Game(game) {
  OldScreen.SetSize(TPrismDraw::ScreenWidth, TPrismDraw::ScreenHeight);
  NewScreen.SetSize(TPrismDraw::ScreenWidth, TPrismDraw::ScreenHeight);
}

void TLcfScene::Reset() {
  OldScreen.Clear();
  NewScreen.Clear();
}

void TLcfScene::FrameStep() {
  if (Game.Draw->FrameLag() < Game.Draw->MaxLag() / 2) {
    Draw();
    Game.Draw->Present();
  }
  Game.Draw->WaitFrame();
}

void TLcfScene::LoadPicture(TPrismSheet& Sheet, const std::string& Name) {
  if (Name.empty()) return;
  const auto Path = Game.Folder.FindAsset(Name, "data", EAssetList::Image);
  if (!Path) throw EFileError(Name);
  Sheet.LoadFromFile(*Path, true);
}

void TLcfScene::DrawPresentFlush() {
  Draw();
  Game.Draw->Present();
  Game.Input->Flush();
}

void TLcfScene::FadeIn(double step) {
  TPrismBoard& board = Game.Draw->Board();
  double level = board.Brightness;
  // A fade that would never arrive ends at once rather than hanging the game.
  if (!(step > 0)) board.Brightness = 100;
  while (board.Brightness < 100) {
    level += step;
    board.Brightness = std::min(100, int(std::nearbyint(level)));
    FrameStep();
  }
  DrawPresentFlush();
}

void TLcfScene::FadeOut(double step) {
  TPrismBoard& board = Game.Draw->Board();
  double level = board.Brightness;
  if (!(step > 0)) board.Brightness = 0;
  while (board.Brightness > 0) {
    level -= step;
    board.Brightness = std::max(0, int(std::nearbyint(level)));
    FrameStep();
  }
  DrawPresentFlush();
}

// Twice from full white down to just above normal: twenty frames in all.
void TLcfScene::Flash() {
  TPrismBoard& board = Game.Draw->Board();
  for (int pass = 0; pass < 2; ++pass) {
    for (int k = 0; k < 10; ++k) {
      board.Brightness = 200 - 10 * k;
      FrameStep();
    }
  }
  board.Brightness = 100;
  DrawPresentFlush();
}
