#include "graphics/PrismMovie.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <random>
#include <set>

#include "FakePlatform.h"
#include "TestFolder.h"
#include "graphics/PrismBoard.h"
#include "graphics/PrismDraw.h"
#include "movie/MovieMaker.h"

namespace {

// What the board held before the movie; far from every colour the test movies use.
constexpr uint16_t Backdrop = 0x1234;

struct Rgb565 {
  int R5, G6, B5;
};
Rgb565 Split(uint16_t Pixel) { return {Pixel >> 11, (Pixel >> 5) & 63, Pixel & 31}; }

// A movie colour lands in 5-6-5 as its top bits; encoding and bilinear scaling may move a
// channel by a step or two.
bool Near(uint16_t Pixel, TMovieRgb Colour) {
  const Rgb565 p = Split(Pixel);
  return std::abs(p.R5 - (Colour.Red >> 3)) <= 2 && std::abs(p.G6 - (Colour.Green >> 2)) <= 3 &&
         std::abs(p.B5 - (Colour.Blue >> 3)) <= 2;
}

// Picture i of the counting movie has red 25*i: red 5-bit levels 0, 3, 6, ... 28, three steps
// apart, so the nearest level names the picture.
TMovieRgb CountingColour(int Frame) { return {uint8_t(25 * Frame), uint8_t(255 - 25 * Frame), 128}; }
int PictureShown(uint16_t Pixel) { return int(std::lround(Split(Pixel).R5 * 8.0 / 25.0)); }

struct TCaptureSound : AudioStream {
  void Queue(const int16_t* Samples, size_t Frames) override {
    this->Samples.insert(this->Samples.end(), Samples, Samples + Frames * 2);
  }
  size_t QueuedFrames() override { return 0; }
  std::vector<int16_t> Samples;
};

PlatformOptions FastHeadless() {
  PlatformOptions options;
  options.Headless = true;
  options.FastClock = true;
  return options;
}

// A headless platform on the fast clock: a movie runs as fast as the machine allows, but its
// pictures are still timed by the display's frame clock.
struct HeadlessMovie : ::testing::Test {
  HeadlessMovie()
      : Device(MakeHeadlessPlatform(FastHeadless())), Draw(*Device), Movie(Draw) {
    Draw.SetFrameRate(60);
    Draw.SetMaxLag(20);
    Draw.Initialize();
    for (int32_t y = 0; y < Draw.Board().Height(); ++y) {
      std::fill_n(Draw.Board().ScanLine(y), Draw.Board().Width(), Backdrop);
    }
  }

  bool BoardIsBackdrop() {
    for (int32_t y = 0; y < Draw.Board().Height(); ++y) {
      const uint16_t* row = Draw.Board().ScanLine(y);
      if (!std::all_of(row, row + Draw.Board().Width(), [](uint16_t p) { return p == Backdrop; })) {
        return false;
      }
    }
    return true;
  }

  std::string Make(const std::string& Name, const TMovieRecipe& Recipe) {
    const std::string path = Folder / Name;
    MakeMovie(path, Recipe);
    return path;
  }

  TTestFolder Folder;
  std::unique_ptr<Platform> Device;
  TPrismDraw Draw;
  TPrismMovie Movie;
};

struct Format {
  const char* Name;
  const char* Container;
  const char* VideoCodec;
};
constexpr Format Formats[] = {
    {"clip.mpg", "mpeg", "mpeg1video"},
    {"clip.avi", "avi", "mjpeg"},
    {"clip4.avi", "avi", "mpeg4"},
};

TMovieRecipe Recipe(const Format& Kind) {
  TMovieRecipe recipe;
  recipe.Container = Kind.Container;
  recipe.VideoCodec = Kind.VideoCodec;
  return recipe;
}

}  // namespace

// Ten pictures at 25 per second last 400 ms: 24 display frames at 60 per second. Each picture is
// due at 40 ms times its number, so each shows for two or three display frames, in order.
TEST_F(HeadlessMovie, PlaysEveryPictureInOrderByItsTimeAndEnds) {
  for (const Format& kind : Formats) {
    SCOPED_TRACE(kind.Name);
    if (!HaveEncoder(kind.VideoCodec)) continue;
    TMovieRecipe recipe = Recipe(kind);
    recipe.Pixel = [](int frame, int, int) { return CountingColour(frame); };
    const std::string path = Make(kind.Name, recipe);

    std::vector<int> shown;
    // The first frame to end is the game's own, before the movie began.
    Draw.OnFrameEnd = [&](uint64_t) {
      const uint16_t pixel = Draw.Board().ScanLine(0)[0];
      if (pixel != Backdrop) shown.push_back(PictureShown(pixel));
    };
    const uint64_t before = Draw.FrameNumber();
    EXPECT_TRUE(Movie.PlayMovie(path, 0, 0, 0, 0));
    const uint64_t frames = Draw.FrameNumber() - before;
    Draw.OnFrameEnd = nullptr;

    EXPECT_GE(frames, 23u);
    EXPECT_LE(frames, 26u);
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    EXPECT_EQ(std::set<int>(shown.begin(), shown.end()), (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    for (int picture = 0; picture < 10; ++picture) {
      const auto count = std::count(shown.begin(), shown.end(), picture);
      EXPECT_TRUE(count == 2 || count == 3) << "picture " << picture << " shown " << count;
    }
    EXPECT_FALSE(Movie.MoviePlaying());
    EXPECT_TRUE(BoardIsBackdrop()) << "the game screen comes back after the movie";
  }
}

// The movie covers its rectangle, clipped to the board, scaled to the asked size (the movie's
// own 64x48 for sizes of 0 or less), and nothing else.
TEST_F(HeadlessMovie, CoversItsRectangleClippedToTheBoard) {
  struct Case {
    int32_t X, Y, Width, Height;
    TRect Covered;
  };
  const Case cases[] = {
      {100, 50, 0, 0, {100, 50, 164, 98}},
      {100, 50, -5, 96, {100, 50, 164, 146}},
      {10, 20, 128, 96, {10, 20, 138, 116}},
      {300, 220, 64, 48, {300, 220, 320, 240}},
      {-32, -16, 64, 48, {0, 0, 32, 32}},
      {0, 0, 320, 240, {0, 0, 320, 240}},
      {400, 0, 64, 48, {}},
  };
  const TMovieRgb colour{200, 40, 120};
  const std::string path = Make("solid.mpg", TMovieRecipe{});
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "at " << c.X << "," << c.Y << " size " << c.Width << "x" << c.Height);
    int checked = 0;
    Draw.OnFrameEnd = [&](uint64_t) {
      // The first frame to end is the game's own; the second shows the movie's first picture.
      if (++checked != 2) return;
      EXPECT_TRUE(Movie.MoviePlaying());
      const int32_t w = c.Width > 0 ? c.Width : 64, h = c.Height > 0 ? c.Height : 48;
      EXPECT_EQ(Movie.MovieRect(), (TRect{c.X, c.Y, c.X + w, c.Y + h}));
      int wrong = 0;
      for (int32_t y = 0; y < 240; ++y) {
        for (int32_t x = 0; x < 320; ++x) {
          const bool inside = x >= c.Covered.Left && x < c.Covered.Right && y >= c.Covered.Top &&
                              y < c.Covered.Bottom;
          const uint16_t pixel = Draw.Board().ScanLine(y)[x];
          wrong += inside ? !Near(pixel, colour) : pixel != Backdrop;
        }
      }
      EXPECT_EQ(wrong, 0);
    };
    EXPECT_TRUE(Movie.PlayMovie(path, c.X, c.Y, c.Width, c.Height));
    EXPECT_GE(checked, 2);
    EXPECT_EQ(Movie.MovieRect(), TRect{});
    EXPECT_TRUE(BoardIsBackdrop());
  }
  Draw.OnFrameEnd = nullptr;
}

// The tone is resampled to 16-bit stereo at 44100 Hz: 0.4 s of it is 17640 frames, the same on
// both channels, with the RMS of a sine of amplitude 8000 (8000 / sqrt 2 = 5657).
TEST_F(HeadlessMovie, SoundGoesToTheStreamAsStereoAt44100) {
  struct Case {
    const char* Name;
    const char* Container;
    const char* VideoCodec;
    const char* AudioCodec;
    int SampleRate;
    size_t Fewest, Most;
  };
  // Uncompressed sound comes through whole; MP2 pads its last frame of 1152 samples.
  const Case cases[] = {
      {"tone.avi", "avi", "mjpeg", "pcm_s16le", 22050, 17640 - 64, 17640 + 64},
      {"tone.mpg", "mpeg", "mpeg1video", "mp2", 44100, 17640 - 64, 18432 + 2304},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    if (!HaveEncoder(c.VideoCodec) || !HaveEncoder(c.AudioCodec)) continue;
    TMovieRecipe recipe;
    recipe.Container = c.Container;
    recipe.VideoCodec = c.VideoCodec;
    recipe.AudioCodec = c.AudioCodec;
    recipe.SampleRate = c.SampleRate;
    const std::string path = Make(c.Name, recipe);
    TCaptureSound sound;
    EXPECT_TRUE(Movie.PlayMovie(path, 0, 0, 0, 0, &sound));
    const size_t frames = sound.Samples.size() / 2;
    EXPECT_GE(frames, c.Fewest);
    EXPECT_LE(frames, c.Most);
    double sum = 0;
    int differ = 0;
    for (size_t i = 0; i < frames; ++i) {
      differ += sound.Samples[2 * i] != sound.Samples[2 * i + 1];
      sum += double(sound.Samples[2 * i]) * sound.Samples[2 * i];
    }
    EXPECT_EQ(differ, 0);
    EXPECT_NEAR(std::sqrt(sum / double(std::max<size_t>(frames, 1))), 5657.0, 600.0);
  }
}

// A file that cannot be opened or decoded is skipped at once: no display frame runs and the
// board keeps the game screen.
TEST_F(HeadlessMovie, UnplayableFilesAreSkipped) {
  const std::string good = Make("good.mpg", TMovieRecipe{});
  std::string goodBytes;
  {
    std::ifstream in(good, std::ios::binary);
    goodBytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  std::mt19937 random(7);
  std::string garbage(65536, '\0');
  for (char& byte : garbage) byte = char(random());
  struct Case {
    const char* Name;
    std::string Bytes;
  };
  const Case cases[] = {
      {"empty.mpg", ""},
      {"garbage.mpg", garbage},
      {"garbage.avi", "RIFF\x10\0\0\0AVI LIST" + garbage},
      {"header.mpg", goodBytes.substr(0, 40)},
      {"text.mpg", "This is not a movie.\n"},
      {"playlist.mpg", "#EXTM3U\n#EXTINF:1,\nhttp://127.0.0.1:9/x.mpg\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string path = Folder.Write(c.Name, c.Bytes);
    const uint64_t before = Draw.FrameNumber();
    EXPECT_FALSE(Movie.PlayMovie(path, 0, 0, 0, 0));
    EXPECT_EQ(Draw.FrameNumber(), before);
    EXPECT_TRUE(BoardIsBackdrop());
    EXPECT_FALSE(Movie.MoviePlaying());
  }
  EXPECT_FALSE(Movie.PlayMovie(Folder / "missing.mpg", 0, 0, 0, 0));
  Draw.UseMovie = false;
  const uint64_t before = Draw.FrameNumber();
  EXPECT_FALSE(Movie.PlayMovie(good, 0, 0, 0, 0)) << "movies are off";
  EXPECT_EQ(Draw.FrameNumber(), before);
}

// The movie sound's device: none headless; otherwise it holds what was queued, counted in
// frames of 16-bit samples for every channel (SDL's silent driver stands in for a sound card).
TEST(MovieSound, TheDeviceCountsQueuedFramesOfAllChannels) {
  EXPECT_EQ(OpenAudioStream(44100, 2, true), nullptr);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const std::unique_ptr<AudioStream> sound = OpenAudioStream(44100, 2, false);
  ASSERT_NE(sound, nullptr);
  const std::vector<int16_t> second(44100 * 2, 100);
  sound->Queue(second.data(), 44100);
  // The silent driver takes its samples in real time, a period at a time.
  EXPECT_LE(sound->QueuedFrames(), 44100u);
  EXPECT_GT(sound->QueuedFrames(), 22050u);
}

// A movie damaged after its start plays what it can and ends; nothing it holds can crash it or
// keep it going past a few seconds of display frames.
TEST_F(HeadlessMovie, DamagedMoviesEndSafely) {
  for (const Format& kind : Formats) {
    if (!HaveEncoder(kind.VideoCodec)) continue;
    TMovieRecipe recipe = Recipe(kind);
    recipe.Frames = 30;
    recipe.Pixel = [](int frame, int x, int y) {
      return TMovieRgb{uint8_t(x * 4 + frame), uint8_t(y * 5), uint8_t(frame * 8)};
    };
    const std::string path = Make(kind.Name, recipe);
    std::string bytes;
    {
      std::ifstream in(path, std::ios::binary);
      bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::mt19937 random(11);
    int played = 0;
    for (int damage = 0; damage < 24; ++damage) {
      SCOPED_TRACE(testing::Message() << kind.Name << " damage " << damage);
      std::string damaged = bytes;
      if (damage % 3 == 0) {
        damaged.resize(damaged.size() * size_t(damage + 1) / 26);
      } else {
        const size_t from = bytes.size() / 8 + random() % (bytes.size() * 3 / 4);
        const size_t count = 1 + random() % (damage % 3 == 1 ? 8 : 512);
        for (size_t i = from; i < std::min(damaged.size(), from + count); ++i) damaged[i] = char(random());
      }
      const std::string file = Folder.Write(std::string("damaged-") + kind.Name, damaged);
      const uint64_t before = Draw.FrameNumber();
      played += Movie.PlayMovie(file, 10, 10, 0, 0);
      EXPECT_LE(Draw.FrameNumber() - before, 600u);
      EXPECT_TRUE(BoardIsBackdrop());
    }
    // Most damage leaves the start of the movie intact, and that part plays.
    EXPECT_GE(played, 12) << kind.Name;
  }
}

namespace {

// The game loop on a platform whose window can be closed and whose keys can be pressed.
struct LoopMovie : ::testing::Test {
  LoopMovie() : Draw(Device), Movie(Draw) {
    Draw.SetFrameRate(60);
    Draw.SetMaxLag(20);
    Draw.Initialize();
    Draw.Board().FillRect({0, 0, 320, 240}, TPrismRgb{0, 0, 0});
  }
  TTestFolder Folder;
  TFakePlatform Device;
  TPrismDraw Draw;
  TPrismMovie Movie;
};

}  // namespace

// No key ends a movie, but F12 returns to the title and closing the window ends the game, both
// in the middle of a movie; the movie lets go of the screen on the way out.
TEST_F(LoopMovie, ResetAndCloseEndAMovieThroughTheDisplay) {
  const std::string path = Folder / "long.mpg";
  TMovieRecipe recipe;
  recipe.Frames = 100;
  MakeMovie(path, recipe);
  struct Case {
    const char* Name;
    bool PressF12;
    int Entries;
  };
  const Case cases[] = {{"F12", true, 2}, {"close", false, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Device.CloseNow = false;
    int entries = 0, framesInMovie = 0;
    bool returned = false, playingAfter = true;
    Draw.OnMain = [&] {
      if (++entries > 1) {
        Device.CloseNow = true;
        return;
      }
      try {
        Movie.PlayMovie(path, 0, 0, 0, 0);
        returned = true;
      } catch (...) {
        playingAfter = Movie.MoviePlaying();
        throw;
      }
    };
    Draw.OnFrameEnd = [&](uint64_t) {
      if (entries != 1 || ++framesInMovie != 5) return;
      // Keys other than F12 do nothing to a movie.
      Device.InjectKey(VirtualKey::Return, true);
      Device.InjectKey(VirtualKey::Escape, true);
      if (c.PressF12) {
        Device.InjectKey(VirtualKey::F(12), true);
      } else {
        Device.CloseNow = true;
      }
    };
    EXPECT_EQ(Draw.Run("test"), 0);
    EXPECT_FALSE(returned);
    EXPECT_FALSE(playingAfter);
    EXPECT_EQ(entries, c.Entries);
    EXPECT_LT(framesInMovie, 10);
    EXPECT_EQ(Draw.Board().ScanLine(0)[0], 0) << "the board under the movie is given back";
    Device.InjectKey(VirtualKey::Return, false);
    Device.InjectKey(VirtualKey::Escape, false);
    Device.InjectKey(VirtualKey::F(12), false);
    Device.Presses.clear();
  }
}
