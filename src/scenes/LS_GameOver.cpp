#include "scenes/LS_GameOver.h"

#include "graphics/PrismDraw.h"

TLcfGameOverScene::TLcfGameOverScene(TGame& game) : TLcfScene(game) {}

void TLcfGameOverScene::Reset() {
  TLcfScene::Reset();
  Started = false;
  Picture.FreePixels();
}

void TLcfGameOverScene::Enter() {
  Picture.SetSize(TPrismDraw::ScreenWidth, TPrismDraw::ScreenHeight);
  LoadPicture(Picture, Game.Database->System.GameOverPicture);
  Started = true;
  FadeIn(1);  // a hundred frames
}

void TLcfGameOverScene::Update() {
  if (!Started) Enter();
  if (!(Game.Input->Trigger & (GameButton::Decision | GameButton::Cancel))) return;
  FadeOut(1);
  Reset();
  throw EPrismDrawReset();
}

void TLcfGameOverScene::Draw() {
  if (!Started) return;
  TPrismBoard& Board = Game.Draw->Board();
  Board.FillRect({0, 0, Board.Width(), Board.Height()}, {0, 0, 0});
  Board.Draw(0, 0, Picture.GetBounds(), Picture);
}
