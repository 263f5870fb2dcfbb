// Keeps the keys and mouse buttons held and those that went down since the last sample. Both
// platforms feed it from their events; the input code takes one sample a frame.
#pragma once

#include "platform/Platform.h"

class KeyTracker {
 public:
  void Key(uint8_t key, bool down) {
    if (down && !Down_[key]) WentDown_[key] = true;
    Down_[key] = down;
  }
  void Mouse(bool right, bool down) {
    bool& held = right ? MouseRight_ : MouseLeft_;
    if (down && !held) (right ? MouseRightWentDown_ : MouseLeftWentDown_) = true;
    held = down;
  }
  // Focus loss lets go of everything, so no key stays stuck while the user is elsewhere.
  void ReleaseAll() { *this = KeyTracker(); }

  bool IsDown(uint8_t key) const { return Down_[key]; }

  InputSample Take(bool active) {
    InputSample sample;
    sample.Active = active;
    sample.KeysDown = Down_;
    sample.KeysWentDown = WentDown_;
    sample.MouseLeft = MouseLeft_;
    sample.MouseRight = MouseRight_;
    sample.MouseLeftWentDown = MouseLeftWentDown_;
    sample.MouseRightWentDown = MouseRightWentDown_;
    WentDown_.reset();
    MouseLeftWentDown_ = MouseRightWentDown_ = false;
    return sample;
  }

 private:
  KeySet Down_, WentDown_;
  bool MouseLeft_ = false, MouseRight_ = false;
  bool MouseLeftWentDown_ = false, MouseRightWentDown_ = false;
};
