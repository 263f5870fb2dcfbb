#include "graphics/PrismDraw.h"

#include <gtest/gtest.h>

#include <cmath>

#include "FakePlatform.h"
#include "graphics/PrismBoard.h"

namespace {

struct DrawFixture : ::testing::Test {
  DrawFixture() : Draw(Device) {
    Draw.SetFrameRate(60);
    Draw.SetMaxLag(20);
    Draw.Initialize();
  }
  TFakePlatform Device;
  TPrismDraw Draw;
};

}  // namespace

TEST_F(DrawFixture, FramesEndAtTheirSixtiethsOfASecondAndEachSecondStartsAfresh) {
  std::vector<uint64_t> ends;
  for (int frame = 0; frame < 62; ++frame) {
    Draw.WaitFrame();
    ends.push_back(Device.Now);
  }
  // A frame ends at the first millisecond past its deadline FrameBase + n * 1000/60.
  for (int n = 0; n < 60; ++n) {
    EXPECT_EQ(ends[n], uint64_t(std::floor(n * 1000.0 / 60.0)) + 1) << "frame " << n;
  }
  EXPECT_EQ(ends[60], 1001u);
  EXPECT_EQ(ends[61], 1017u);
  EXPECT_EQ(Draw.FrameNumber(), 63u);
}

TEST_F(DrawFixture, LagIsRoundedHalfToEvenInFrames) {
  struct Case {
    uint64_t Now;
    int Lag;
  };
  // FrameBase 0 and no frame counted yet: the lag is Elapsed / 16.67 rounded.
  const Case cases[] = {{0, 0}, {8, 0}, {9, 1}, {25, 2}, {150, 9}, {158, 9}, {159, 10}, {167, 10}};
  for (const Case& c : cases) {
    Device.Now = c.Now;
    EXPECT_EQ(Draw.FrameLag(), c.Lag) << "at " << c.Now << " ms";
  }
  Draw.SetFrameRate(4);  // 250 ms a frame: 125 ms is exactly half a frame
  Device.Now = 125;
  EXPECT_EQ(Draw.FrameLag(), 0);
  Device.Now = 375;
  EXPECT_EQ(Draw.FrameLag(), 2);
}

TEST_F(DrawFixture, BehindScheduleFramesFollowEachOtherAtOnceUntilCaughtUp) {
  Device.Now = 100;  // six frames late
  int immediate = 0;
  for (int frame = 0; frame < 10; ++frame) {
    const uint64_t before = Device.Now;
    Draw.WaitFrame();
    if (Device.Now - before <= 1) ++immediate;
  }
  // Deadlines 0 to 100 ms have passed (the 1 ms sleeps push the clock along): seven frames
  // follow at once, the rest wait for their slots.
  EXPECT_EQ(immediate, 7);
  EXPECT_LE(Draw.FrameLag(), 0);
}

TEST_F(DrawFixture, ALagAboveMaxLagRestartsTheSchedule) {
  Device.Now = 1000;  // sixty frames late, far above MaxLag
  Draw.WaitFrame();
  EXPECT_EQ(Device.Now, 1002u);  // the 1 ms sleep, then the fresh schedule's first deadline
  Draw.WaitFrame();
  EXPECT_EQ(Device.Now, 1018u);
}

TEST_F(DrawFixture, AStallLongerThanTwoFramesRestartsTheSchedule) {
  Draw.WaitFrame();        // ends at 1
  Device.PumpCostMs = 40;  // one pump takes more than two frames
  Draw.WaitFrame();        // ends at 42, and the schedule starts again there
  EXPECT_EQ(Device.Now, 42u);
  Device.PumpCostMs = 0;
  std::vector<uint64_t> ends;
  for (int frame = 0; frame < 3; ++frame) {
    Draw.WaitFrame();
    ends.push_back(Device.Now);
  }
  // Without the restart the two missed slots would have followed at once.
  EXPECT_EQ(ends, (std::vector<uint64_t>{43, 59, 76}));
}

TEST_F(DrawFixture, FrameRateAndMaxLagSettersIgnoreNonsense) {
  Draw.SetFrameRate(0);
  EXPECT_EQ(Draw.FrameRate(), 60);
  Draw.SetMaxLag(0);
  EXPECT_EQ(Draw.MaxLag(), 1);
  Draw.SetMaxLag(1);
  EXPECT_EQ(Draw.MaxLag(), 1);
  Draw.SetMaxLag(2);
  EXPECT_EQ(Draw.MaxLag(), 2);
}

TEST_F(DrawFixture, DisplayKeysActOnlyWhileTheGameLoopRuns) {
  Draw.SetScreenMode(TScreenMode::smWindow);
  Device.Presses.push_back({VirtualKey::F(4), false});
  Draw.ProcessMessages();
  EXPECT_EQ(Draw.ScreenMode(), TScreenMode::smWindow);

  int passes = 0;
  Draw.OnMain = [&] {
    ++passes;
    if (passes == 1) {
      Device.Presses = {{VirtualKey::F(4), false}, {VirtualKey::F(5), false}};
      Draw.ProcessMessages();
      EXPECT_EQ(Draw.ScreenMode(), TScreenMode::smFullScreen);
      EXPECT_TRUE(Draw.ScreenZoom());
      Device.Presses = {{VirtualKey::Return, true}, {VirtualKey::F(4), true}};
      Draw.ProcessMessages();  // Alt+Enter toggles back; Alt+F4 is not F4
      EXPECT_EQ(Draw.ScreenMode(), TScreenMode::smWindow);
      Device.Presses = {{VirtualKey::F(12), false}};
      Draw.WaitFrame();  // raises the reset
      ADD_FAILURE() << "F12 did not reset";
    }
    Device.CloseNow = true;
    Draw.WaitFrame();
  };
  EXPECT_EQ(Draw.Run("Game"), 0);
  EXPECT_EQ(passes, 2);  // the reset entered the game afresh, the close ended it silently
  EXPECT_TRUE(Device.Messages.empty());
}

TEST_F(DrawFixture, AnEscapedErrorIsShownCaptionedWithTheTitleAndEndsWithFailure) {
  Draw.SetScreenMode(TScreenMode::smFullScreen);
  Draw.OnMain = [] { throw std::runtime_error("Stream read error"); };
  EXPECT_EQ(Draw.Run("My Game"), 1);
  ASSERT_EQ(Device.Messages.size(), 1u);
  EXPECT_EQ(Device.Messages[0], "My Game: Stream read error");
  EXPECT_EQ(Draw.ScreenMode(), TScreenMode::smWindow);
}

TEST_F(DrawFixture, FramesAreNumberedForScriptsAndScreenshots) {
  std::vector<uint64_t> begun, ended;
  Draw.OnFrameBegin = [&](uint64_t frame) { begun.push_back(frame); };
  Draw.OnFrameEnd = [&](uint64_t frame) {
    ended.push_back(frame);
    if (frame == 3) Draw.RequestClose();
  };
  Draw.OnMain = [&] {
    for (;;) Draw.WaitFrame();
  };
  EXPECT_EQ(Draw.Run("Game"), 0);
  EXPECT_EQ(begun, (std::vector<uint64_t>{1, 2, 3}));
  EXPECT_EQ(ended, (std::vector<uint64_t>{1, 2, 3}));
}

TEST_F(DrawFixture, PresentShowsTheScreenBoard) {
  Draw.Board().Clear();
  Draw.Present();
  EXPECT_EQ(Device.Presents, 1);
  EXPECT_EQ(Device.LastBoard.Width, 320);
  EXPECT_EQ(Device.LastBoard.Height, 240);
  EXPECT_EQ(Device.LastBoard.Pixels, Draw.Board().Pixels().data());
}
