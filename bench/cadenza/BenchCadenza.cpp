// Mixing cost: one second of output with eight WAV sounds and a song, rendered in the blocks
// the output device asks for. The counter "core_percent" is the CPU time spent per second of
// audio, as a percentage of one core.
#include "cadenza/CadenzaEngine.h"
#include "cadenza/AudioFixtures.h"

#include <benchmark/benchmark.h>

#include <ctime>

using namespace AudioFixtures;

namespace {

constexpr size_t BlockFrames = 1024;

struct Scene {
  ScratchFolder Folder;
  TCadenzaEngine Engine{TCadenzaOutput::Manual};
  std::vector<std::string> Sounds;
  std::string Song;

  Scene() {
    Engine.InitMidi();
    Engine.InitWave();
    // Eight sounds of every accepted shape, each longer than the second rendered.
    const struct {
      int Rate, Channels;
    } shapes[] = {{11025, 1}, {22050, 1}, {22050, 2}, {44100, 1}, {44100, 2}, {48000, 2}, {32000, 1}, {8000, 1}};
    for (size_t i = 0; i < std::size(shapes); ++i) {
      const std::string name = "sound" + std::to_string(i) + ".wav";
      Sounds.push_back(Folder.Write(name, ToneWave(shapes[i].Rate, shapes[i].Channels, 220.0 * double(i + 1),
                                                   shapes[i].Rate * 3 / 2)));
      Engine.ReserveSound(Sounds.back());
    }
    // Eight instruments playing three-note chords: 24 notes at once.
    Song = Folder.Write("song.mid", AudioFixtures::Song(16, 8));
  }

  void RenderSecond(std::vector<float>& Block) {
    for (size_t done = 0; done < CadenzaOutputRate; done += BlockFrames) {
      Engine.Mixer().Render(Block);
      benchmark::DoNotOptimize(Block.data());
    }
  }
};

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Each iteration renders one second of audio, so CPU seconds per iteration times 100 is the
// share of one core that real-time output would take.
class CorePercent {
 public:
  explicit CorePercent(benchmark::State& State) : State_(State), Start_(ThreadCpuSeconds()) {}
  ~CorePercent() {
    if (State_.iterations() > 0)
      State_.counters["core_percent"] = 100.0 * (ThreadCpuSeconds() - Start_) / double(State_.iterations());
  }

 private:
  benchmark::State& State_;
  double Start_;
};

void BM_EightSoundsAndSong(benchmark::State& State) {
  Scene scene;
  std::vector<float> block(BlockFrames * 2);
  scene.Engine.PlayMusic(scene.Song);
  {
    CorePercent measure(State);
    for (auto _ : State) {
      for (const std::string& sound : scene.Sounds) scene.Engine.PlaySound(sound, {80, 100, 50});
      scene.RenderSecond(block);
      scene.Engine.StopSound();
    }
  }
  if (!scene.Engine.MusicPlaying()) State.SkipWithError("the song did not play");
}
BENCHMARK(BM_EightSoundsAndSong)->Unit(benchmark::kMillisecond);

void BM_SongOnly(benchmark::State& State) {
  Scene scene;
  std::vector<float> block(BlockFrames * 2);
  scene.Engine.PlayMusic(scene.Song);
  CorePercent measure(State);
  for (auto _ : State) scene.RenderSecond(block);
}
BENCHMARK(BM_SongOnly)->Unit(benchmark::kMillisecond);

void BM_EightSoundsOnly(benchmark::State& State) {
  Scene scene;
  std::vector<float> block(BlockFrames * 2);
  CorePercent measure(State);
  for (auto _ : State) {
    for (const std::string& sound : scene.Sounds) scene.Engine.PlaySound(sound, {80, 120, 30});
    scene.RenderSecond(block);
    scene.Engine.StopSound();
  }
}
BENCHMARK(BM_EightSoundsOnly)->Unit(benchmark::kMillisecond);

}  // namespace
