// What the field scene draws each frame: the 22x17 cells of a 20x15 view scrolled by half a
// tile (lower layer of water, terrain auto-tiles and plain tiles, upper layer half filled),
// 30 character sprites with index 0 transparent, some half-transparent or in a bush, and a
// message window of four lines of text composed and drawn over the view.
#include "data/GameFolder.h"
#include "database/LD_ChipSet.h"
#include "graphics/GR_CharSet.h"
#include "graphics/GR_ChipSet.h"
#include "graphics/GR_System.h"

#include <benchmark/benchmark.h>

#include "BenchPictures.h"

#include <array>
#include <string>
#include <vector>

namespace {

// Pixels with an index-0 dot in every 8x8 square, so nothing counts as solid or empty and
// every draw goes through the colour-keyed path.
TPrismBitmap Picture(int32_t W, int32_t H) {
  TPrismBitmap B;
  B.Allocate(W, H, 8);
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) B.ScanLine(y)[x] = (x % 8 == 3 && y % 8 == 5) ? 0 : uint8_t(1 + (x * 13 + y * 7) % 250);
  for (int i = 0; i < 256; ++i) B.Palette[size_t(i)] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 3), 0};
  return B;
}


constexpr int32_t Columns = 22, Rows = 17, ScrollOffset = 8;

// A lower layer that mixes every kind of lower tile, and an upper layer with every other cell
// showing an object.
struct TView {
  std::array<int32_t, Columns * Rows> Lower{}, Upper{};
  TView() {
    for (int32_t I = 0; I < Columns * Rows; ++I) {
      switch (I % 4) {
        case 0: Lower[size_t(I)] = (I % 3) * 1000 + (I % 16) * 50 + I % 47; break;  // water
        case 1: Lower[size_t(I)] = 4000 + (I % 12) * 50 + I % 47; break;            // terrain
        case 2: Lower[size_t(I)] = 3000 + (I % 3) * 50; break;                      // animated
        default: Lower[size_t(I)] = 5000 + I % 144; break;                          // plain
      }
      Upper[size_t(I)] = I % 2 ? 10001 + I % 143 : 10000;
    }
  }
};

struct TFieldContext {
  TGameFolder Folder{"/nonexistent"};
  TLcfChipSetItem Record;
  TLcfChipSetGraphic Chips{Folder};
  TLcfCharSetGraphic Sprites{Folder};
  TLcfSystemGraphic System{Folder};
  TPrismSheet Window;
  TPrismBoard Board{320, 240};
  TView View;

  TFieldContext() {
    Chips.AssignImage(Picture(480, 256), "Bench");
    Chips.ChipSet = &Record;
    Chips.SetTransparent(true);
    Sprites.Names = {"A", "B"};
    for (int i = 0; i < 2; ++i) {
      Sprites.Sheets.push_back(std::make_unique<TPrismSheet>());
      Sprites.Sheets.back()->SetSize(288, 256);
      Sprites.Sheets.back()->AssignBitmap(Picture(288, 256));
      Sprites.Used.push_back(1);
    }
    Sprites.Transparent = true;
    System.AssignImage(BenchSystemImage());
    Window.SetSize(320, 80);
    Window.Transparent = true;
  }

  void DrawTiles(int32_t Counter) {
    for (int32_t R = 0; R < Rows; ++R)
      for (int32_t C = 0; C < Columns; ++C) {
        const int32_t X = (C - 1) * 16 - ScrollOffset, Y = (R - 1) * 16 - ScrollOffset;
        Chips.DrawTile(Board, X, Y, 16, View.Lower[size_t(R * Columns + C)], Counter);
        Chips.DrawTile(Board, X, Y, 16, View.Upper[size_t(R * Columns + C)], Counter);
      }
  }

  void DrawSprites(int32_t Counter) {
    for (int32_t I = 0; I < 30; ++I) {
      Sprites.Level = I % 5 == 0 ? 3 : 0;
      const int32_t Mode = I % 7 == 0 ? TLcfCharSetGraphic::BushShallow : TLcfCharSetGraphic::BushNone;
      Sprites.DrawFrame(Board, 12 + (I * 53) % 300, 32 + (I * 37) % 200, Mode, (Counter / 8 + I) % 4, I % 4, I % 8, I % 2);
    }
  }

  void DrawMessage(const std::vector<std::string>& Lines) {
    Window.Clear();
    System.DrawWindow(Window, 0, 0, 320, 80);
    for (size_t L = 0; L < Lines.size(); ++L) System.DrawText(Window, 8, 8 + int32_t(L) * 16, Lines[L], 0);
    Board.Draw(0, 160, Window.GetBounds(), Window);
  }
};

// Four message lines of mixed half- and full-width characters.
std::vector<std::string> MessageLines() {
  const std::string Line = "Tessera \x82\xA0\x82\xA2\x82\xA4\x8A\xBF\x8E\x9A text line, 0123";
  return {Line, Line, Line, Line};
}

void BM_FieldFrameTilesSpritesAndMessage(benchmark::State& State) {
  TFieldContext Context;
  const auto Lines = MessageLines();
  int32_t Counter = 0;
  for (auto _ : State) {
    Context.DrawTiles(Counter);
    Context.DrawSprites(Counter);
    Context.DrawMessage(Lines);
    ++Counter;
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FieldFrameTilesSpritesAndMessage)->Unit(benchmark::kMicrosecond);

void BM_TileViewBothLayers(benchmark::State& State) {
  TFieldContext Context;
  int32_t Counter = 0;
  for (auto _ : State) {
    Context.DrawTiles(Counter++);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TileViewBothLayers)->Unit(benchmark::kMicrosecond);

void BM_ThirtySprites(benchmark::State& State) {
  TFieldContext Context;
  int32_t Counter = 0;
  for (auto _ : State) {
    Context.DrawSprites(Counter++);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ThirtySprites)->Unit(benchmark::kMicrosecond);

void BM_MessageWindowWithText(benchmark::State& State) {
  TFieldContext Context;
  const auto Lines = MessageLines();
  for (auto _ : State) {
    Context.DrawMessage(Lines);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MessageWindowWithText)->Unit(benchmark::kMicrosecond);

}  // namespace
