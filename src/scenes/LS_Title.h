// The title scene: once per run the three built-in logos, then the title picture with its music
// and the new game / continue / shutdown window. Entered again after a reset or a cancelled
// load, when it skips the logos and, after a cancelled load, the slow fade.
#pragma once

#include "graphics/PrismSheet.h"
#include "scenes/GameWindows.h"
#include "shell/Scene.h"

class TLcfTitleScene : public TLcfScene {
 public:
  enum ECommand { cmNewGame = 0, cmContinue = 1, cmShutdown = 2 };

  explicit TLcfTitleScene(TGame& game);

  void Reset() override;
  void Update() override;
  void Draw() override;

  bool Started = false;
  bool ContinueEnabled = false;  // some save slot is used
  TPrismSheet Picture;           // a logo, then the title picture
  TLcfWindow CommandWindow;
  bool FirstVisit = true;        // false once the title has been left

 private:
  void Enter();
  void ShowLogos();
  void ShowLogo(const char* Name);
  void OpenCommandWindow();
  void Choose(int32_t Command);
  void Leave();
};
