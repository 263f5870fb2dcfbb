// The game buttons: keyboard, game pad and mouse buttons folded into one 16-bit word. The main
// loop calls Update once a frame; everyone else reads the frozen view of that frame: State
// (held), Trigger (went down since the last frame), Repeat (auto-repeat for cursors) and Dir4.
#pragma once

#include <array>
#include <cstdint>

#include "platform/Platform.h"

namespace GameButton {
constexpr uint16_t Down = 0x001, Left = 0x002, Right = 0x004, Up = 0x008, Decision = 0x010,
                   Cancel = 0x020, MouseLeft = 0x040, MouseRight = 0x080, Shift = 0x100,
                   Ctrl = 0x200;
}  // namespace GameButton

class TMultiInput {
 public:
  static constexpr int ButtonCount = 10, SlotsPerButton = 8;
  using TKeyMap = std::array<std::array<uint32_t, SlotsPerButton>, ButtonCount>;

  explicit TMultiInput(Platform& platform);

  void ResetKeyMap();
  void CalibrateJoystick();
  void Update();
  void Flush() {
    Update();
    Update();
  }

  uint16_t State = 0, Trigger = 0, Repeat = 0;
  int32_t Dir4 = 0;
  int32_t RepeatInterval = 4;
  TKeyMap KeyMap{};

 private:
  // Folds one device sample into Polled and Pressed; the sample says which keys went down at
  // any moment since the previous one, so a press shorter than a frame still counts.
  void Sample();
  uint16_t KeyButtons(const KeySet& keys) const;
  uint16_t JoystickButtons(const JoystickState& joystick) const;
  void UpdateRepeat();
  void UpdateDirection();

  Platform& Platform_;
  uint16_t Polled = 0, Pressed = 0;
  uint32_t XLow = 0, XHigh = 0, YLow = 0, YHigh = 0;
  uint8_t RepeatButton = 0;
  int32_t RepeatCount = 0;
  bool LastAxisHorizontal = false;
};
