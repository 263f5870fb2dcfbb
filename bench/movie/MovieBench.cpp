// What a movie costs: a 320x240 MPEG-1 program stream with MP2 sound, made here with FFmpeg's
// encoders, played through the display as the game plays it. The real-time run reports the
// share of one core it used while the movie ran at its own speed; the fast runs decode it
// as quickly as possible and report the same share as CPU time over the movie's length.
#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <memory>

#include "graphics/PrismDraw.h"
#include "graphics/PrismMovie.h"
#include "movie/MovieMaker.h"
#include "platform/Platform.h"

namespace {

constexpr int Seconds = 4, FrameRate = 30;

const std::string& BenchMovie() {
  static const std::string path = [] {
    const auto file = std::filesystem::temp_directory_path() / "tessera-bench-movie.mpg";
    TMovieRecipe recipe;
    recipe.Width = 320;
    recipe.Height = 240;
    recipe.FrameRate = FrameRate;
    recipe.Frames = Seconds * FrameRate;
    recipe.MaxBFrames = 2;
    // Moving gradients: every block changes from picture to picture, as in a real movie.
    recipe.Pixel = [](int frame, int x, int y) {
      return TMovieRgb{uint8_t(x + frame * 4), uint8_t(y + frame * 2), uint8_t((x ^ y) + frame)};
    };
    recipe.AudioCodec = "mp2";
    recipe.SampleRate = 44100;
    MakeMovie(file.string(), recipe);
    return file.string();
  }();
  return path;
}

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Takes the sound as a device would, without playing it.
struct TDiscardSound : AudioStream {
  void Queue(const int16_t*, size_t Frames) override { Queued += Frames; }
  size_t QueuedFrames() override { return 0; }
  size_t Queued = 0;
};

void PlayAndReport(benchmark::State& State, bool Fast, bool WithSound) {
  const std::string& movie = BenchMovie();
  PlatformOptions options;
  options.Headless = true;
  options.FastClock = Fast;
  auto device = MakeHeadlessPlatform(options);
  TPrismDraw draw(*device);
  draw.SetFrameRate(60);
  draw.SetMaxLag(20);
  draw.Initialize();
  TPrismMovie player(draw);
  TDiscardSound sound;
  double cpu = 0;
  for (auto _ : State) {
    const double start = ThreadCpuSeconds();
    const bool played = player.PlayMovie(movie, 0, 0, 320, 240, WithSound ? &sound : nullptr);
    cpu += ThreadCpuSeconds() - start;
    if (!played) State.SkipWithError("the bench movie did not play");
  }
  const double movieSeconds = double(Seconds) * double(State.iterations());
  State.counters["core_percent"] = 100.0 * cpu / movieSeconds;
  State.counters["sound_frames"] = double(sound.Queued);
}

void BM_MovieRealTime(benchmark::State& State) { PlayAndReport(State, false, false); }
void BM_MovieFast(benchmark::State& State) { PlayAndReport(State, true, false); }
void BM_MovieFastWithSound(benchmark::State& State) { PlayAndReport(State, true, true); }

}  // namespace

BENCHMARK(BM_MovieRealTime)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MovieFast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MovieFastWithSound)->Unit(benchmark::kMillisecond);
