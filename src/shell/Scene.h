// The base of the nine scenes. A scene keeps two boards for screen transitions and provides the
// blocking sequences every scene uses: one frame step, fades and the white flash.
#pragma once

#include <memory>
#include <string>

#include "graphics/PrismBoard.h"
#include "graphics/PrismSheet.h"
#include "shell/Game.h"

class TLcfScene {
 public:
  explicit TLcfScene(TGame& game);
  virtual ~TLcfScene() = default;

  // Returns the scene to its state at program start; overrides call the base first.
  virtual void Reset();
  // The scene's logic for one frame; may store another scene id to hand over.
  virtual void Update() = 0;
  // Draws the whole scene onto the screen board.
  virtual void Draw() = 0;
  // Only the field scene forces drawing while the game is behind (a message being shown).
  virtual bool ForceDraw() const { return false; }

  void FrameStep();
  // Loads the game's picture Name ("data" folder) into Sheet with its errors raised. A name
  // that finds no file stops the game with the loader's message, as a file that cannot be
  // opened would; nothing outside the game's folders is tried in its place. An empty name
  // loads nothing.
  void LoadPicture(TPrismSheet& Sheet, const std::string& Name);
  void FadeIn(double step);
  void FadeOut(double step);
  void Flash();

  TPrismBoard OldScreen, NewScreen;

 protected:
  TGame& Game;

 private:
  void DrawPresentFlush();
};
