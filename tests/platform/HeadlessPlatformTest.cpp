#include <gtest/gtest.h>

#include "platform/Platform.h"

namespace {
std::unique_ptr<Platform> Headless(bool fastClock) {
  PlatformOptions options;
  options.Headless = true;
  options.FastClock = fastClock;
  return MakeHeadlessPlatform(options);
}
}  // namespace

TEST(HeadlessPlatform, FastClockAdvancesOnlyByWhatTheGameWaitsFor) {
  auto device = Headless(true);
  EXPECT_EQ(device->Millis(), 0u);
  device->Sleep(5);
  device->WaitEvent(10);
  device->Pump();
  EXPECT_EQ(device->Millis(), 16u);
  EXPECT_TRUE(device->Active());
  EXPECT_TRUE(device->Headless());
}

TEST(HeadlessPlatform, InjectedKeysAreSampledOnceAndReportedAsPresses) {
  auto device = Headless(false);
  device->InjectKey(VirtualKey::Alt, true);
  device->InjectKey(VirtualKey::Return, true);
  device->InjectKey(VirtualKey::Return, false);

  const WindowEvents events = device->Pump();
  ASSERT_EQ(events.KeysPressed.size(), 2u);
  EXPECT_EQ(events.KeysPressed[1].Key, VirtualKey::Return);
  EXPECT_TRUE(events.KeysPressed[1].Alt);

  // A press released before the sample is not held, but it is not lost either.
  InputSample sample = device->SampleInput();
  EXPECT_FALSE(sample.KeysDown[VirtualKey::Return]);
  EXPECT_TRUE(sample.KeysWentDown[VirtualKey::Return]);
  EXPECT_TRUE(sample.KeysDown[VirtualKey::Alt]);
  EXPECT_TRUE(device->IsKeyDown(VirtualKey::Alt));
  sample = device->SampleInput();
  EXPECT_FALSE(sample.KeysWentDown[VirtualKey::Return]);
  EXPECT_FALSE(sample.KeysWentDown[VirtualKey::Alt]);
}
