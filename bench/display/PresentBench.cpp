// Presenting one frame: the board converted, uploaded and scaled into a 2x window (needs a
// display: run under xvfb-run when there is none), and the headless frame overhead.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "graphics/PrismBoard.h"
#include "graphics/PrismDraw.h"

namespace {

void FillPattern(TPrismBoard& board) {
  for (int y = 0; y < board.Height(); ++y) {
    uint16_t* row = board.ScanLine(y);
    for (int x = 0; x < board.Width(); ++x) row[x] = uint16_t(x * 97 + y * 31);
  }
}

void BM_PresentWindow2x(benchmark::State& state) {
  if (!std::getenv("DISPLAY")) {
    state.SkipWithError("no display: run under xvfb-run");
    return;
  }
  PlatformOptions options;
  options.InitialPresentation = {TScreenMode::smWindow, true};
  std::unique_ptr<Platform> device;
  try {
    device = MakeSdlPlatform(options);
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
    return;
  }
  TPrismDraw draw(*device);
  draw.SetScreenMode(TScreenMode::smWindow);
  draw.SetScreenZoom(true);
  FillPattern(draw.Board());
  for (auto _ : state) {
    draw.Present();
    device->Pump();
  }
}
BENCHMARK(BM_PresentWindow2x)->Unit(benchmark::kMicrosecond);

// The display's own cost of one frame headless with the fast clock: pacing and event pumps.
void BM_HeadlessFrame(benchmark::State& state) {
  PlatformOptions options;
  options.Headless = true;
  options.FastClock = true;
  auto device = MakeHeadlessPlatform(options);
  TPrismDraw draw(*device);
  draw.SetFrameRate(60);
  draw.SetMaxLag(20);
  draw.Initialize();
  for (auto _ : state) {
    draw.Present();
    draw.WaitFrame();
  }
}
BENCHMARK(BM_HeadlessFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
