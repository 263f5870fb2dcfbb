#include "devices/InputScript.h"

#include <gtest/gtest.h>

TEST(InputScript, ParsesTimedPressesInAnyLetterCase) {
  const auto script = TInputScript::Parse(
      "# walk, then decide\n"
      "30 right down\n"
      "  10 Decision DOWN   # first\n"
      "\n"
      "12 decision up\n"
      "30 F12 down\n",
      "play.txt");
  const auto& events = script.Events();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].Frame, 10u);
  EXPECT_EQ(events[0].Key, VirtualKey::Return);
  EXPECT_TRUE(events[0].Down);
  EXPECT_EQ(events[1].Frame, 12u);
  EXPECT_FALSE(events[1].Down);
  // Presses of the same frame keep the order of the file.
  EXPECT_EQ(events[2].Key, VirtualKey::Right);
  EXPECT_EQ(events[3].Key, VirtualKey::F(12));
}

TEST(InputScript, MalformedLinesNameTheFileAndLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"1 up down\nx up down\n", "play.txt:2: the frame must be a whole number"},
      {"0 up down\n", "play.txt:1: the frame must be a whole number"},
      {"5 jump down\n", "play.txt:1: unknown key \"jump\""},
      {"5 up pressed\n", "play.txt:1: expected down or up"},
      {"\n\n5 up\n", "play.txt:3: expected FRAME KEY down|up"},
      {"5 up down now\n", "play.txt:1: expected FRAME KEY down|up"},
  };
  for (auto [text, message] : cases) {
    try {
      TInputScript::Parse(text, "play.txt");
      ADD_FAILURE() << "accepted: " << text;
    } catch (const EInputScript& error) {
      EXPECT_EQ(std::string(error.what()).rfind(message, 0), 0u) << error.what();
    }
  }
}

TEST(InputScript, AppliesEachFrameOnceOnThePlatform) {
  PlatformOptions options;
  options.Headless = true;
  auto device = MakeHeadlessPlatform(options);
  auto script = TInputScript::Parse("2 cancel down\n4 cancel up\n", "s");
  script.Apply(1, *device);
  EXPECT_FALSE(device->IsKeyDown(VirtualKey::Escape));
  script.Apply(2, *device);
  EXPECT_TRUE(device->IsKeyDown(VirtualKey::Escape));
  script.Apply(4, *device);
  EXPECT_FALSE(device->IsKeyDown(VirtualKey::Escape));
}
