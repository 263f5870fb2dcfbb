// Sound effects through the engine, rendered synchronously: levels, resampling, mixing, the
// reserved-sound cache and files that cannot be played.
#include "cadenza/CadenzaEngine.h"
#include "cadenza/AudioFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace AudioFixtures;

namespace {

class CadenzaSound : public ::testing::Test {
 protected:
  CadenzaSound() { Engine.InitWave(); }

  // Renders Frames stereo frames.
  std::vector<float> Render(size_t Frames) {
    std::vector<float> out(Frames * 2);
    Engine.Mixer().Render(out);
    return out;
  }

  static size_t SoundingFrames(const std::vector<float>& Out) {
    size_t count = 0;
    for (size_t i = 0; i < Out.size(); i += 2) count += Out[i] != 0 || Out[i + 1] != 0;
    return count;
  }

  ScratchFolder Folder;
  TCadenzaEngine Engine{TCadenzaOutput::Manual};
};

TEST_F(CadenzaSound, VolumeAndBalanceScaleEachSide) {
  // A mono sound holding 0.5 throughout; left = 0.5 * volume * min(1, (100 - balance) / 50),
  // right = 0.5 * volume * min(1, balance / 50).
  const std::string half = Folder.Write("half.wav", ConstantWave(44100, 16, {16384}, 1000));
  struct Case {
    int Volume, Balance;
    float Left, Right;
  } cases[] = {
      {100, 50, 0.5f, 0.5f},   {50, 25, 0.25f, 0.125f}, {100, 0, 0.5f, 0.0f},
      {100, 100, 0.0f, 0.5f},  {80, 75, 0.2f, 0.4f},    {0, 50, 0.0f, 0.0f},
      {150, -10, 0.5f, 0.0f},  // out of range: clamped to 100 and 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "volume " << c.Volume << " balance " << c.Balance);
    ASSERT_TRUE(Engine.PlaySound(half, {c.Volume, 100, c.Balance}));
    const std::vector<float> out = Render(1200);
    EXPECT_FLOAT_EQ(out[500 * 2], c.Left);
    EXPECT_FLOAT_EQ(out[500 * 2 + 1], c.Right);
    EXPECT_EQ(Engine.Mixer().SoundsPlaying(), 0u);
  }
}

TEST_F(CadenzaSound, StereoSoundsKeepTheirSidesAndBalanceLowersTheFarOne) {
  const std::string stereo = Folder.Write("stereo.wav", ConstantWave(44100, 16, {16384, -8192}, 100));
  ASSERT_TRUE(Engine.PlaySound(stereo, {100, 100, 75}));
  const std::vector<float> out = Render(50);
  EXPECT_FLOAT_EQ(out[20], 0.25f);
  EXPECT_FLOAT_EQ(out[21], -0.25f);
}

TEST_F(CadenzaSound, EightBitSoundsAreCentredOn128) {
  const std::string eight = Folder.Write("eight.wav", ConstantWave(11025, 8, {192}, 100));
  ASSERT_TRUE(Engine.PlaySound(eight, {}));
  const std::vector<float> out = Render(100);
  EXPECT_FLOAT_EQ(out[100], 0.5f);
  EXPECT_FLOAT_EQ(out[101], 0.5f);
}

TEST_F(CadenzaSound, RateAndTempoSetTheLength) {
  // 0.1 s at 22050 Hz lasts 4410 frames at 44100 Hz; tempo 50 doubles it, 150 makes it 2/3.
  const std::string tenth = Folder.Write("tenth.wav", ConstantWave(22050, 16, {8000}, 2205));
  struct Case {
    int Tempo;
    size_t Frames;
  } cases[] = {{100, 4410}, {50, 8820}, {150, 2940}, {20, 8820}, {300, 2940}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Tempo);
    ASSERT_TRUE(Engine.PlaySound(tenth, {100, c.Tempo, 50}));
    EXPECT_NEAR(double(SoundingFrames(Render(10000))), double(c.Frames), 2.0);
  }
}

TEST_F(CadenzaSound, ResamplingInterpolatesBetweenSourceFrames) {
  // 0 then 0.5 at 22050 Hz: the output frame between them is their mean.
  const std::string ramp = Folder.Write("ramp.wav", Wave(22050, 1, 16, {0, 16384, 16384}));
  ASSERT_TRUE(Engine.PlaySound(ramp, {}));
  const std::vector<float> out = Render(6);
  EXPECT_FLOAT_EQ(out[0], 0.0f);
  EXPECT_FLOAT_EQ(out[2], 0.25f);
  EXPECT_FLOAT_EQ(out[4], 0.5f);
}

TEST_F(CadenzaSound, SoundsAddUpAndTheSumIsClipped) {
  const std::string quarter = Folder.Write("quarter.wav", ConstantWave(44100, 16, {8192}, 100));
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(Engine.PlaySound(quarter, {}));
  EXPECT_FLOAT_EQ(Render(10)[10], 0.5f);
  Engine.StopSound();
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(Engine.PlaySound(quarter, {}));
  EXPECT_FLOAT_EQ(Render(10)[10], 1.0f);
}

TEST_F(CadenzaSound, TooManySoundsDropTheOldest) {
  const std::string quarter = Folder.Write("quarter.wav", ConstantWave(44100, 16, {8192}, 100));
  for (size_t i = 0; i < TCadenzaMixer::MaxVoices + 8; ++i) ASSERT_TRUE(Engine.PlaySound(quarter, {}));
  EXPECT_EQ(Engine.Mixer().SoundsPlaying(), TCadenzaMixer::MaxVoices);
}

TEST_F(CadenzaSound, ReservedSoundsPlayFromTheCacheUntilCancelled) {
  const std::string path = Folder.Write("cursor.wav", ConstantWave(44100, 16, {8192}, 100));
  ASSERT_TRUE(Engine.ReserveSound(path));
  std::filesystem::remove(path);
  EXPECT_TRUE(Engine.PlaySound(path, {}));
  EXPECT_GT(SoundingFrames(Render(200)), 0u);
  EXPECT_TRUE(Engine.CancelSound(path));
  EXPECT_FALSE(Engine.PlaySound(path, {}));
  EXPECT_EQ(SoundingFrames(Render(200)), 0u);
}

TEST_F(CadenzaSound, TermWaveSilencesAndForgetsUntilInitWave) {
  const std::string path = Folder.Write("cursor.wav", ConstantWave(44100, 16, {8192}, 1000));
  ASSERT_TRUE(Engine.ReserveSound(path));
  ASSERT_TRUE(Engine.PlaySound(path, {}));
  Engine.TermWave();
  EXPECT_EQ(SoundingFrames(Render(200)), 0u);
  EXPECT_FALSE(Engine.IsReserved(path));
  EXPECT_FALSE(Engine.PlaySound(path, {}));
  Engine.InitWave();
  EXPECT_TRUE(Engine.PlaySound(path, {}));
}

TEST_F(CadenzaSound, UnplayableFilesPlayNothing) {
  const std::string good = Folder.Write("good.wav", ConstantWave(44100, 16, {8192}, 1000));
  const std::string files[] = {
      Folder.File("missing.wav"),
      Folder.Write("text.wav", {'h', 'e', 'l', 'l', 'o'}),
      Folder.Write("empty.wav", {}),
      Folder.File(""),  // the folder itself
  };
  ASSERT_TRUE(Engine.PlaySound(good, {}));
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    EXPECT_FALSE(Engine.PlaySound(file, {}));
    EXPECT_FALSE(Engine.ReserveSound(file));
    EXPECT_FALSE(TCadenzaEngine::IsValidWave(file));
  }
  // The sound already playing is untouched.
  EXPECT_EQ(Engine.Mixer().SoundsPlaying(), 1u);
  EXPECT_FLOAT_EQ(Render(10)[0], 0.25f);
}

}  // namespace
