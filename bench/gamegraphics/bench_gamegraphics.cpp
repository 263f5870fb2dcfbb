// Text and window composing of the system graphic: 1,000 characters of mixed Shift-JIS text
// per iteration (glyphs cached after the first), and a message-sized window.
#include "data/GameFolder.h"
#include "graphics/GR_System.h"

#include <benchmark/benchmark.h>

#include "BenchPictures.h"

#include <string>
#include <vector>

namespace {

// Twenty lines, each of 25 half-width and 25 full-width characters (50 characters a line).
std::vector<std::string> ThousandCharacters() {
  const std::string Half = "Tessera draws text 0123456";   // 25 characters below
  const std::string Full[] = {"\x82\xA0", "\x82\xA2", "\x82\xA4", "\x8A\xBF", "\x8E\x9A", "\x83\x41", "\x81\x42"};
  std::vector<std::string> Lines;
  for (int Line = 0; Line < 20; ++Line) {
    std::string Text;
    for (int i = 0; i < 25; ++i) {
      Text += Half[size_t((i + Line) % 25)];
      Text += Full[size_t((i + Line) % 7)];
    }
    Lines.push_back(Text);
  }
  return Lines;
}

struct TBenchContext {
  TGameFolder Folder{"/nonexistent"};
  TLcfSystemGraphic Graphic{Folder};
  TPrismSheet Sheet;
  TBenchContext() {
    Graphic.AssignImage(BenchSystemImage());
    Sheet.SetSize(640, 20 * 16 + 4);
  }
};

void BM_DrawText1000Characters(benchmark::State& State) {
  TBenchContext Context;
  const auto Lines = ThousandCharacters();
  for (auto _ : State) {
    for (size_t Line = 0; Line < Lines.size(); ++Line)
      Context.Graphic.DrawText(Context.Sheet, 2, int32_t(Line) * 16, Lines[Line], int32_t(Line % 20));
    benchmark::ClobberMemory();
  }
  State.SetItemsProcessed(State.iterations() * 1000);
}
BENCHMARK(BM_DrawText1000Characters)->Unit(benchmark::kMicrosecond);

// The first sight of every glyph: a new font object each iteration, so every glyph is
// rasterised by FreeType.
void BM_RasteriseFiftyNewGlyphs(benchmark::State& State) {
  const auto Lines = ThousandCharacters();
  for (auto _ : State) {
    State.PauseTiming();
    TGlyphFont Font;
    State.ResumeTiming();
    for (size_t i = 0; i + 1 < Lines[0].size(); ++i) {
      const uint8_t Byte = uint8_t(Lines[0][i]);
      benchmark::DoNotOptimize(IsLeadByte(Byte) ? Font.Glyph(uint16_t(Byte << 8 | uint8_t(Lines[0][++i])))
                                                : Font.Glyph(Byte));
    }
  }
}
BENCHMARK(BM_RasteriseFiftyNewGlyphs)->Unit(benchmark::kMicrosecond);

void BM_DrawMessageWindow(benchmark::State& State) {
  TBenchContext Context;
  for (auto _ : State) {
    Context.Graphic.DrawWindow(Context.Sheet, 0, 0, 320, 80);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawMessageWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
