// The main loop's own cost per frame: one pass with a scene that does nothing, on the headless
// platform with the fast clock, so only the loop, the input poll and the frame wait are timed.
#include <benchmark/benchmark.h>

#include "GameFixture.h"
#include "devices/CadenzaBridge.h"
#include "shell/GameMain.h"
#include "shell/Scene.h"

namespace {

class TIdleScene : public TLcfScene {
 public:
  using TLcfScene::TLcfScene;
  void Update() override {}
  void Draw() override {}
};

void BM_LoopFrame(benchmark::State& state) {
  PlatformOptions options;
  options.Headless = true;
  options.FastClock = true;
  auto device = MakeHeadlessPlatform(options);
  TCadenzaBridge audio;
  TTestFolder root;
  TProgramValues values;
  values.GameFolder = WriteMinimalGame(root) + "/";
  values.Words = {"x", "x", "Window"};
  TFormLcfGameMain form(*device, audio, values);
  TGame& game = form.Game();
  for (auto& scene : game.Scenes) scene = std::make_unique<TIdleScene>(game);

  uint64_t frames = 0;
  const uint64_t warmup = 21;  // the reset's calm frames
  game.Draw->OnFrameEnd = [&](uint64_t frame) {
    if (frame <= warmup) return;
    ++frames;
    if (!state.KeepRunning()) game.Draw->RequestClose();
  };
  form.Run();
  state.SetItemsProcessed(int64_t(frames));
}
BENCHMARK(BM_LoopFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
