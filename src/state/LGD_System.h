// The system state of a running game: which scene runs and how many frames have passed. Both
// are saved with the game, so a loaded game resumes in the scene it was saved from.
#pragma once

#include <cstdint>

class TLcfgSystem {
 public:
  void Reset() {
    SceneId = 6;
    FrameCounter = 0;
  }

  uint8_t SceneId = 6;
  int32_t FrameCounter = 0;
};
