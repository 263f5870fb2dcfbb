#include "devices/MultiInput.h"

#include <bit>

namespace {

// The default keys of each button, slot by slot; 0 is an empty slot. Decision keeps its third
// slot empty, as games that edit key maps expect Z in the fourth.
constexpr uint32_t DefaultKeys[6][8] = {
    {VirtualKey::Down, VirtualKey::Numpad(2), 'J'},
    {VirtualKey::Left, VirtualKey::Numpad(4), 'H'},
    {VirtualKey::Right, VirtualKey::Numpad(6), 'L'},
    {VirtualKey::Up, VirtualKey::Numpad(8), 'K'},
    {VirtualKey::Space, VirtualKey::Return, 0, 'Z'},
    {VirtualKey::Escape, VirtualKey::Numpad(0), VirtualKey::Insert, 'X', 'C', 'V', 'B', 'N'},
};

constexpr uint32_t JoystickAxisMax = 65535;

}  // namespace

TMultiInput::TMultiInput(Platform& platform) : Platform_(platform) {
  ResetKeyMap();
  CalibrateJoystick();
}

void TMultiInput::ResetKeyMap() {
  KeyMap = {};
  for (int button = 0; button < 6; ++button) {
    for (int slot = 0; slot < SlotsPerButton; ++slot) KeyMap[button][slot] = DefaultKeys[button][slot];
  }
}

// Game pads report the full 0..65535 range on both axes; a quarter of the half-range around
// the centre is the dead zone.
void TMultiInput::CalibrateJoystick() {
  const uint32_t centre = JoystickAxisMax / 2, margin = (JoystickAxisMax / 2) * 25 / 100;
  XLow = YLow = centre - margin;
  XHigh = YHigh = centre + margin;
}

uint16_t TMultiInput::KeyButtons(const KeySet& keys) const {
  uint16_t buttons = 0;
  for (int button = 0; button < ButtonCount; ++button) {
    for (uint32_t key : KeyMap[button]) {
      if (key != 0 && key < keys.size() && keys[key]) buttons |= uint16_t(1u << button);
    }
  }
  return buttons;
}

uint16_t TMultiInput::JoystickButtons(const JoystickState& joystick) const {
  uint16_t buttons = 0;
  if (joystick.Y > YHigh) buttons |= GameButton::Down;
  if (joystick.X < XLow) buttons |= GameButton::Left;
  if (joystick.X > XHigh) buttons |= GameButton::Right;
  if (joystick.Y < YLow) buttons |= GameButton::Up;
  if (joystick.Buttons & 0b101) buttons |= GameButton::Decision;
  if (joystick.Buttons & 0b010) buttons |= GameButton::Cancel;
  return buttons;
}

void TMultiInput::Sample() {
  const InputSample sample = Platform_.SampleInput();
  if (!sample.Active) {
    Polled = Pressed = State = Trigger = Repeat = 0;
    return;
  }
  const uint16_t old = Polled;
  uint16_t now = 0, wentDown = 0;
  if (sample.Joystick) now |= JoystickButtons(*sample.Joystick);
  // While Alt is held no mapped key counts, so Alt+Enter does not also decide.
  if (!sample.KeysDown[VirtualKey::Alt]) {
    now |= KeyButtons(sample.KeysDown);
    wentDown |= KeyButtons(sample.KeysWentDown);
  }
  if (sample.MouseLeft) now |= GameButton::MouseLeft;
  if (sample.MouseRight) now |= GameButton::MouseRight;
  if (sample.MouseLeftWentDown) wentDown |= GameButton::MouseLeft;
  if (sample.MouseRightWentDown) wentDown |= GameButton::MouseRight;
  if (sample.KeysDown[VirtualKey::Shift]) now |= GameButton::Shift;
  if (sample.KeysDown[VirtualKey::Control]) now |= GameButton::Ctrl;
  if (sample.KeysWentDown[VirtualKey::Shift]) wentDown |= GameButton::Shift;
  if (sample.KeysWentDown[VirtualKey::Control]) wentDown |= GameButton::Ctrl;
  Polled = now;
  Pressed |= uint16_t((now & ~old) | wentDown);
}

void TMultiInput::Update() {
  Sample();
  State = Polled;
  Trigger = Pressed;
  Pressed = 0;
  UpdateRepeat();
  UpdateDirection();
}

// A held button repeats on the frame it went down, again 6 intervals later, then every interval.
void TMultiInput::UpdateRepeat() {
  const uint16_t buttons = Trigger & 0x3FF;
  if (buttons != 0) {
    RepeatCount = 1;
    RepeatButton = uint8_t(std::bit_width(unsigned(buttons)) - 1);
  }
  Repeat = 0;
  if (RepeatCount <= 0 || !(State & (1u << RepeatButton))) return;
  const int32_t n = RepeatCount, i = RepeatInterval;
  const bool fires = n == 1 || (n >= 6 * i && i > 0 && n % i == 0);
  if (fires) Repeat = uint16_t(1u << RepeatButton);
  ++RepeatCount;
}

void TMultiInput::UpdateDirection() {
  int dy = 0, dx = 0;
  if (State & GameButton::Down) dy += 1;
  if (State & GameButton::Up) dy -= 1;
  if (State & GameButton::Left) dx -= 1;
  if (State & GameButton::Right) dx += 1;
  if (dx != 0 && dy != 0) {
    // The axis pressed later wins.
    if (LastAxisHorizontal) dx = 0;
    else dy = 0;
  } else if (dx != 0) {
    LastAxisHorizontal = true;
  } else if (dy != 0) {
    LastAxisHorizontal = false;
  }
  Dir4 = dy > 0 ? 2 : dx < 0 ? 4 : dx > 0 ? 6 : dy < 0 ? 8 : 0;
}
