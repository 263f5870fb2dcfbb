// The game-over scene: the game-over picture fades in slowly; decision or cancel fades it out
// and restarts the whole game from the title. Whoever switches here starts its music.
#pragma once

#include "graphics/PrismSheet.h"
#include "shell/Scene.h"

class TLcfGameOverScene : public TLcfScene {
 public:
  explicit TLcfGameOverScene(TGame& game);

  void Reset() override;
  void Update() override;
  void Draw() override;

  TPrismSheet Picture;
  bool Started = false;

 private:
  void Enter();
};
