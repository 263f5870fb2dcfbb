#include "shell/StartOptions.h"

#include <gtest/gtest.h>

namespace {
TStartOptions Parse(std::vector<std::string> arguments) { return ParseStartOptions(arguments); }
}  // namespace

TEST(StartOptions, PositionalWordsAreExactAndKeepTheirPlaces) {
  struct Case {
    std::vector<std::string> Arguments;
    bool TestPlay, BattleTest, ShowTitle, Window;
  };
  const Case cases[] = {
      {{}, false, false, true, false},
      {{"TestPlay"}, true, false, true, false},
      {{"testplay"}, false, false, true, false},
      {{"x", "TestPlay"}, false, false, true, false},
      {{"BattleTest"}, true, true, true, false},
      {{"TestPlay", "HideTitle", "Window"}, true, false, false, true},
      {{"HideTitle"}, false, false, true, false},
      {{"x", "x", "window"}, false, false, true, false},
      {{"x", "x", "Window"}, false, false, true, true},
      // Options are taken out first, so they never shift the words.
      {{"--headless", "TestPlay", "--frames", "3", "HideTitle", "--fast", "Window"}, true, false, false, true},
  };
  for (const Case& c : cases) {
    const TStartOptions options = Parse(c.Arguments);
    std::string shown;
    for (const auto& a : c.Arguments) shown += a + " ";
    EXPECT_EQ(options.TestPlayMode(), c.TestPlay) << shown;
    EXPECT_EQ(options.BattleTestMode(), c.BattleTest) << shown;
    EXPECT_EQ(options.ShowTitle(), c.ShowTitle) << shown;
    EXPECT_EQ(options.WindowMode(), c.Window) << shown;
  }
}

TEST(StartOptions, OptionsWithValues) {
  const TStartOptions options =
      Parse({"--game", "/games/q", "--seed", "42", "--frames", "600", "--input", "in.txt",
             "--screenshot", "10:a.png", "--screenshot", "20:dir/b:c.png", "BattleTest", "x", "x", "7"});
  EXPECT_EQ(options.GameFolder, "/games/q");
  EXPECT_EQ(options.Seed, 42u);
  EXPECT_EQ(options.Frames, 600u);
  EXPECT_EQ(options.InputFile, "in.txt");
  ASSERT_EQ(options.Screenshots.size(), 2u);
  EXPECT_EQ(options.Screenshots[1].Frame, 20u);
  EXPECT_EQ(options.Screenshots[1].File, "dir/b:c.png");
  EXPECT_EQ(options.Word(3), "7");
  EXPECT_EQ(options.Word(4), "");
}

TEST(StartOptions, BadOptionsAreNamed) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--frames"}, "--frames needs a value"},
      {{"--frames", "ten"}, "--frames needs a whole number, not \"ten\""},
      {{"--frames", "-1"}, "--frames needs a whole number, not \"-1\""},
      {{"--screenshot", "10"}, "--screenshot needs FRAME:FILE.png, not \"10\""},
      {{"--screenshot", "x:a.png"}, "--screenshot needs a whole number, not \"x\""},
      {{"--fullscreen"}, "unknown option --fullscreen"},
  };
  for (const auto& [arguments, message] : cases) {
    try {
      Parse(arguments);
      ADD_FAILURE() << "accepted " << arguments[0];
    } catch (const EStartOptions& error) {
      EXPECT_EQ(error.what(), message);
    }
  }
}
