// Songs through the engine and the installed General MIDI sound font, rendered synchronously.
// The songs are made here: 120 beats a minute and 480 ticks a quarter note, so 960 ticks a second.
#include "cadenza/CadenzaEngine.h"
#include "cadenza/AudioFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace AudioFixtures;

namespace {

constexpr size_t Rate = CadenzaOutputRate;
constexpr double TicksPerSecond = 960;

std::vector<float> Render(TCadenzaEngine& Engine, double Seconds) {
  std::vector<float> out(size_t(Seconds * Rate) * 2);
  Engine.Mixer().Render(out);
  return out;
}

float Peak(const std::vector<float>& Out, size_t From = 0) {
  float peak = 0;
  for (size_t i = From; i < Out.size(); ++i) peak = std::max(peak, std::fabs(Out[i]));
  return peak;
}

class CadenzaMusic : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Engine.InitMidi()) << "the General MIDI sound font must be installed";
    // Two quarter notes: the song lasts one second, then wraps.
    SongPath = Folder.Write("song.mid", Song(2));
  }

  ScratchFolder Folder;
  std::string SongPath;
  TCadenzaEngine Engine{TCadenzaOutput::Manual};
};

TEST_F(CadenzaMusic, PlaysAudibleMusicAndReportsTicksAndLooping) {
  ASSERT_TRUE(Engine.PlayMusic(SongPath));
  const std::vector<float> first = Render(Engine, 0.5);
  EXPECT_GT(Peak(first), 0.02f);
  EXPECT_TRUE(Engine.MusicPlaying());
  EXPECT_FALSE(Engine.MusicLooping());
  EXPECT_NEAR(Engine.MidiTick(), 0.5 * TicksPerSecond, 20);

  Render(Engine, 0.75);  // 1.25 s in: wrapped a quarter of a second ago
  EXPECT_TRUE(Engine.MusicPlaying());
  EXPECT_TRUE(Engine.MusicLooping());
  EXPECT_NEAR(Engine.MidiTick(), 0.25 * TicksPerSecond, 20);
  EXPECT_GT(Peak(Render(Engine, 0.25)), 0.02f);
}

TEST_F(CadenzaMusic, TempoChangesTheSpeedOfTicks) {
  struct Case {
    int Tempo;
    double Ticks;  // after 0.5 s
  } cases[] = {{150, 720}, {50, 240}, {100, 480}, {400, 720}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Tempo);
    ASSERT_TRUE(Engine.PlayMusic(SongPath));
    Engine.SetMusicSpeed(c.Tempo);
    Render(Engine, 0.5);
    EXPECT_NEAR(Engine.MidiTick(), c.Ticks, 20);
  }
}

TEST(CadenzaMusicLevels, VolumeAndBalanceScaleTheSynthOutput) {
  // Two engines render the same song from the same start; only the levels differ, so each
  // sample of the second is the first one's times volume times the side's balance factor.
  ScratchFolder folder;
  const std::string song = folder.Write("song.mid", Song(2, 3));
  TCadenzaEngine plain{TCadenzaOutput::Manual}, levelled{TCadenzaOutput::Manual};
  for (TCadenzaEngine* engine : {&plain, &levelled}) {
    ASSERT_TRUE(engine->InitMidi());
    ASSERT_TRUE(engine->PlayMusic(song));
  }
  levelled.SetMusicVolume(60);
  levelled.SetMusicPanpot(25);  // left full, right half
  const std::vector<float> a = Render(plain, 0.3), b = Render(levelled, 0.3);
  ASSERT_GT(Peak(a), 0.02f);
  for (size_t i = 0; i < a.size(); i += 2) {
    ASSERT_NEAR(b[i], a[i] * 0.6f, 1e-6f) << i;
    ASSERT_NEAR(b[i + 1], a[i + 1] * 0.3f, 1e-6f) << i;
  }
}

TEST(CadenzaMusicLevels, FadeInRampsFromSilence) {
  ScratchFolder folder;
  const std::string song = folder.Write("song.mid", Song(2));
  TCadenzaEngine plain{TCadenzaOutput::Manual}, faded{TCadenzaOutput::Manual};
  for (TCadenzaEngine* engine : {&plain, &faded}) {
    ASSERT_TRUE(engine->InitMidi());
    ASSERT_TRUE(engine->PlayMusic(song));
  }
  ASSERT_TRUE(faded.FadeInMusic(200));  // 8820 frames
  const std::vector<float> a = Render(plain, 0.3), b = Render(faded, 0.3);
  for (size_t frame = 0; frame < a.size() / 2; ++frame) {
    const float gain = std::min(1.0f, float(frame) / 8820.0f);
    ASSERT_NEAR(b[frame * 2], a[frame * 2] * gain, 1e-4f) << frame;
  }
}

TEST_F(CadenzaMusic, FadeOutEndsTheSong) {
  ASSERT_TRUE(Engine.PlayMusic(SongPath));
  Render(Engine, 0.1);
  ASSERT_TRUE(Engine.FadeOutMusic(100));
  EXPECT_TRUE(Engine.MusicPlaying());
  const std::vector<float> out = Render(Engine, 0.3);
  EXPECT_FALSE(Engine.MusicPlaying());
  EXPECT_EQ(Engine.MidiTick(), 0);
  EXPECT_EQ(Peak(out, size_t(0.11 * Rate) * 2), 0.0f);
  EXPECT_FALSE(Engine.FadeOutMusic(100));
}

TEST_F(CadenzaMusic, StopSilencesAtOnce) {
  ASSERT_TRUE(Engine.PlayMusic(SongPath));
  Render(Engine, 0.1);
  EXPECT_TRUE(Engine.StopMusic());
  EXPECT_FALSE(Engine.MusicPlaying());
  EXPECT_EQ(Peak(Render(Engine, 0.1)), 0.0f);
}

TEST_F(CadenzaMusic, AnUnplayableSongReplacesTheMusicWithSilence) {
  std::vector<uint8_t> truncated = Song(2);
  truncated.resize(truncated.size() - 5);
  const std::string files[] = {
      Folder.File("missing.mid"),
      Folder.Write("truncated.mid", truncated),
      Folder.Write("sound.mid", ConstantWave(8000, 8, {1}, 10)),
      Folder.Write("empty.mid", Song(0)),
  };
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(Engine.PlayMusic(SongPath));
    Render(Engine, 0.05);
    EXPECT_FALSE(Engine.PlayMusic(file));
    EXPECT_FALSE(Engine.MusicPlaying());
    EXPECT_FALSE(Engine.MusicLooping());
    EXPECT_EQ(Peak(Render(Engine, 0.05)), 0.0f);
    EXPECT_FALSE(TCadenzaEngine::IsValidMidi(file));
  }
}

TEST(CadenzaMusicFont, WithoutASoundFontSongsPlayNothing) {
  ScratchFolder folder;
  const std::string song = folder.Write("song.mid", Song(2));
  setenv("TESSERA_SOUNDFONT", folder.File("none.sf2").c_str(), 1);
  TCadenzaEngine engine{TCadenzaOutput::Manual};
  EXPECT_FALSE(engine.InitMidi());
  unsetenv("TESSERA_SOUNDFONT");
  EXPECT_FALSE(engine.PlayMusic(song));
  EXPECT_FALSE(engine.MusicPlaying());
  EXPECT_EQ(Peak(Render(engine, 0.05)), 0.0f);
}

}  // namespace
