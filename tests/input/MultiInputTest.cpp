#include "devices/MultiInput.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class MultiInputTest : public ::testing::Test {
 protected:
  MultiInputTest() : Device(MakeHeadlessPlatform(Options())), Input(*Device) {}

  static PlatformOptions Options() {
    PlatformOptions options;
    options.Headless = true;
    return options;
  }

  // One frame: the keys of the frame change, then the main loop takes the buttons.
  void Frame(std::initializer_list<std::pair<uint8_t, bool>> keys = {}) {
    for (auto [key, down] : keys) Device->InjectKey(key, down);
    Input.Update();
  }

  std::unique_ptr<Platform> Device;
  TMultiInput Input;
};

}  // namespace

TEST_F(MultiInputTest, DefaultKeysFoldIntoTheirButtons) {
  struct Case {
    uint8_t Key;
    uint16_t Button;
  };
  const Case cases[] = {
      {VirtualKey::Down, GameButton::Down},    {VirtualKey::Numpad(2), GameButton::Down},
      {'J', GameButton::Down},                 {VirtualKey::Left, GameButton::Left},
      {'H', GameButton::Left},                 {VirtualKey::Numpad(6), GameButton::Right},
      {'L', GameButton::Right},                {'K', GameButton::Up},
      {VirtualKey::Space, GameButton::Decision}, {VirtualKey::Return, GameButton::Decision},
      {'Z', GameButton::Decision},             {VirtualKey::Escape, GameButton::Cancel},
      {VirtualKey::Numpad(0), GameButton::Cancel}, {VirtualKey::Insert, GameButton::Cancel},
      {'X', GameButton::Cancel},               {'N', GameButton::Cancel},
      {VirtualKey::Shift, GameButton::Shift},  {VirtualKey::Control, GameButton::Ctrl},
  };
  for (const Case& c : cases) {
    Frame({{c.Key, true}});
    EXPECT_EQ(Input.State, c.Button) << "key " << int(c.Key);
    EXPECT_EQ(Input.Trigger, c.Button) << "key " << int(c.Key);
    Frame({{c.Key, false}});
    EXPECT_EQ(Input.State, 0) << "key " << int(c.Key);
  }
  EXPECT_EQ(Input.KeyMap[4][2], 0u);
  EXPECT_EQ(Input.KeyMap[4][3], uint32_t('Z'));
}

TEST_F(MultiInputTest, WhileAltIsHeldNoMappedKeyCounts) {
  Frame({{VirtualKey::Alt, true}, {VirtualKey::Return, true}, {VirtualKey::Shift, true}});
  EXPECT_EQ(Input.State, GameButton::Shift);
}

TEST_F(MultiInputTest, APressShorterThanAFrameStillTriggers) {
  Frame({{VirtualKey::Return, true}, {VirtualKey::Return, false}});
  EXPECT_EQ(Input.Trigger, GameButton::Decision);
  EXPECT_EQ(Input.State, 0);
  Frame();
  EXPECT_EQ(Input.Trigger, 0);
}

TEST_F(MultiInputTest, HeldButtonRepeatsOnFrames1_24_28_32) {
  std::string fired;
  Frame({{VirtualKey::Return, true}});
  for (int frame = 1; frame <= 36; ++frame) {
    if (frame > 1) Frame();
    if (Input.Repeat == GameButton::Decision) fired += std::to_string(frame) + " ";
  }
  EXPECT_EQ(fired, "1 24 28 32 36 ");
}

TEST_F(MultiInputTest, FlushDropsTriggersOfPressesMadeDuringALongOperation) {
  Device->InjectKey(VirtualKey::Escape, true);
  Input.Flush();
  EXPECT_EQ(Input.Trigger, 0);
  EXPECT_EQ(Input.State, GameButton::Cancel);
}

TEST_F(MultiInputTest, TheAxisPressedLaterWins) {
  struct Step {
    uint8_t Key;
    bool Down;
    int Dir4;
  };
  const Step steps[] = {
      {VirtualKey::Right, true, 6}, {VirtualKey::Up, true, 8},    {VirtualKey::Up, false, 6},
      {VirtualKey::Right, false, 0}, {VirtualKey::Up, true, 8},   {VirtualKey::Right, true, 6},
      {VirtualKey::Up, false, 6},   {VirtualKey::Left, true, 0},  {VirtualKey::Down, true, 2},
  };
  for (const Step& step : steps) {
    Frame({{step.Key, step.Down}});
    EXPECT_EQ(Input.Dir4, step.Dir4) << "after key " << int(step.Key) << (step.Down ? " down" : " up");
  }
}
