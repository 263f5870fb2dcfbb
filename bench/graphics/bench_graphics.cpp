// Sheet drawing and picture decoding against the references they must beat: the platform
// library's 8-bit to 5-6-5 blits, libpng and a bare zlib inflate of the same data.
#include "graphics/PrismBlit.h"
#include "graphics/PrismBoard.h"
#include "graphics/PrismPng.h"
#include "graphics/PrismSheet.h"
#include "graphics/PrismXyz.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <png.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <random>

namespace {

constexpr int ScreenW = 320, ScreenH = 240;

// A sheet of random colours with KeyedShare of its pixels at index 0, scattered.
void FillSheet(TPrismSheet& Sheet, int W, int H, double KeyedShare, uint32_t Seed) {
  std::mt19937 Random(Seed);
  std::uniform_real_distribution<double> Share(0, 1);
  std::uniform_int_distribution<int> Index(1, 255), Channel(0, 255);
  Sheet.SetSize(W, H);
  for (uint8_t& P : Sheet.Pixels) P = Share(Random) < KeyedShare ? 0 : uint8_t(Index(Random));
  for (int i = 0; i < 256; ++i) Sheet.SetPaletteEntry(i, uint8_t(Channel(Random)), uint8_t(Channel(Random)), uint8_t(Channel(Random)));
  Sheet.UpdatePalette();
}

struct SurfaceDeleter {
  void operator()(SDL_Surface* S) const { SDL_FreeSurface(S); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

Surface SdlCopyOf(const TPrismSheet& Sheet) {
  Surface S(SDL_CreateRGBSurfaceWithFormat(0, Sheet.Width(), Sheet.Height(), 8, SDL_PIXELFORMAT_INDEX8));
  SDL_Color Colours[256];
  for (int i = 0; i < 256; ++i) Colours[i] = {Sheet.Palette[i].Red, Sheet.Palette[i].Green, Sheet.Palette[i].Blue, 255};
  SDL_SetPaletteColors(S->format->palette, Colours, 0, 256);
  for (int y = 0; y < Sheet.Height(); ++y)
    std::memcpy(static_cast<uint8_t*>(S->pixels) + y * S->pitch, Sheet.ScanLine(y), size_t(Sheet.Width()));
  return S;
}

void DrawSheet(benchmark::State& State, bool Keyed, int Opacity, bool Portable) {
  TPrismSheet Sheet;
  FillSheet(Sheet, ScreenW, ScreenH, 0.3, 1);
  Sheet.Transparent = Keyed;
  Sheet.Opacity = Opacity;
  TPrismBoard Board(ScreenW, ScreenH);
  bool Previous = UsePortableBlit(Portable);
  for (auto _ : State) {
    Board.Draw(0, 0, Sheet.GetBounds(), Sheet);
    benchmark::DoNotOptimize(Board.ScanLine(0));
  }
  State.SetLabel(BlitKernelName());
  UsePortableBlit(Previous);
}

void SdlBlit(benchmark::State& State, bool Keyed) {
  TPrismSheet Sheet;
  FillSheet(Sheet, ScreenW, ScreenH, 0.3, 1);
  Surface Source = SdlCopyOf(Sheet);
  if (Keyed) SDL_SetColorKey(Source.get(), SDL_TRUE, 0);
  Surface Dest(SDL_CreateRGBSurfaceWithFormat(0, ScreenW, ScreenH, 16, SDL_PIXELFORMAT_RGB565));
  SDL_BlitSurface(Source.get(), nullptr, Dest.get(), nullptr);   // builds the blit map once
  for (auto _ : State) {
    SDL_BlitSurface(Source.get(), nullptr, Dest.get(), nullptr);
    benchmark::DoNotOptimize(Dest->pixels);
  }
}

void BM_KeyedDraw(benchmark::State& S) { DrawSheet(S, true, 255, false); }
void BM_KeyedDrawPortable(benchmark::State& S) { DrawSheet(S, true, 255, true); }
void BM_SdlKeyedBlit(benchmark::State& S) { SdlBlit(S, true); }
void BM_OpaqueDraw(benchmark::State& S) { DrawSheet(S, false, 255, false); }
void BM_OpaqueDrawPortable(benchmark::State& S) { DrawSheet(S, false, 255, true); }
void BM_SdlOpaqueBlit(benchmark::State& S) { SdlBlit(S, false); }
void BM_BlendDraw(benchmark::State& S) { DrawSheet(S, false, 128, false); }
void BM_BlendDrawPortable(benchmark::State& S) { DrawSheet(S, false, 128, true); }
void BM_KeyedBlendDraw(benchmark::State& S) { DrawSheet(S, true, 128, false); }

void BM_DrawRotate(benchmark::State& State) {
  TPrismSheet Sheet;
  FillSheet(Sheet, ScreenW, ScreenH, 0.3, 2);
  Sheet.Transparent = true;
  TPrismBoard Board(ScreenW, ScreenH);
  uint8_t Angle = 0;
  for (auto _ : State) {
    Board.DrawRotate(160, 120, 1.0, Angle += 7, 120, 160, Sheet.GetBounds(), Sheet);
    benchmark::DoNotOptimize(Board.ScanLine(0));
  }
}

void BM_DrawWave(benchmark::State& State) {
  TPrismSheet Sheet;
  FillSheet(Sheet, ScreenW, ScreenH, 0.3, 3);
  Sheet.Transparent = true;
  TPrismBoard Board(ScreenW, ScreenH);
  int Phase = 0;
  for (auto _ : State) {
    Board.DrawWave(160, 120, 1.0, Phase += 8, 32, 8, 120, 160, Sheet.GetBounds(), Sheet);
    benchmark::DoNotOptimize(Board.ScanLine(0));
  }
}

// A 640x480 picture with the texture of game art: flat areas, gradients and some noise.
TPrismBitmap PictureForDecoding() {
  TPrismBitmap Bitmap;
  Bitmap.Allocate(640, 480, 8);
  std::mt19937 Random(7);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      uint8_t Value = uint8_t(((x / 40) * 16 + (y / 30)) & 0xFF);
      if ((x * 7 + y * 3) % 11 == 0) Value = uint8_t(Random() & 0xFF);
      Bitmap.ScanLine(y)[x] = Value;
    }
  for (int i = 0; i < 256; ++i) Bitmap.Palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 3), 0};
  return Bitmap;
}

void BM_PngDecode(benchmark::State& State) {
  std::vector<uint8_t> File = EncodePng(PictureForDecoding());
  for (auto _ : State) benchmark::DoNotOptimize(DecodePng(File));
  State.counters["file_bytes"] = double(File.size());
}

struct MemoryReader {
  const uint8_t* Data;
  size_t Size, Pos;
};

void ReadFromMemory(png_structp Png, png_bytep Out, png_size_t Length) {
  auto* Reader = static_cast<MemoryReader*>(png_get_io_ptr(Png));
  if (Reader->Size - Reader->Pos < Length) png_error(Png, "read past end");
  std::memcpy(Out, Reader->Data + Reader->Pos, Length);
  Reader->Pos += Length;
}

// libpng reading the same file into 8-bit rows with its palette, the work DecodePng does.
void LibpngDecode(const std::vector<uint8_t>& File, std::vector<uint8_t>& Pixels) {
  png_structp Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop Info = png_create_info_struct(Png);
  MemoryReader Reader{File.data(), File.size(), 0};
  if (setjmp(png_jmpbuf(Png))) {
    png_destroy_read_struct(&Png, &Info, nullptr);
    return;
  }
  png_set_read_fn(Png, &Reader, ReadFromMemory);
  png_read_info(Png, Info);
  png_uint_32 W = png_get_image_width(Png, Info), H = png_get_image_height(Png, Info);
  png_colorp Palette;
  int Count;
  png_get_PLTE(Png, Info, &Palette, &Count);
  Pixels.resize(size_t(W) * H);
  std::vector<png_bytep> Rows(H);
  for (png_uint_32 y = 0; y < H; ++y) Rows[y] = Pixels.data() + size_t(y) * W;
  png_read_image(Png, Rows.data());
  png_read_end(Png, nullptr);
  png_destroy_read_struct(&Png, &Info, nullptr);
}

void BM_LibpngDecode(benchmark::State& State) {
  std::vector<uint8_t> File = EncodePng(PictureForDecoding());
  std::vector<uint8_t> Pixels;
  for (auto _ : State) {
    LibpngDecode(File, Pixels);
    benchmark::DoNotOptimize(Pixels.data());
  }
}

void BM_XyzDecode(benchmark::State& State) {
  std::vector<uint8_t> File = EncodeXyz(PictureForDecoding());
  for (auto _ : State) benchmark::DoNotOptimize(DecodeXyz(File));
}

// The floor for XYZ: one inflate of the same payload into a buffer allocated once.
void BM_RawInflate(benchmark::State& State) {
  std::vector<uint8_t> File = EncodeXyz(PictureForDecoding());
  std::vector<uint8_t> Out(768 + 640 * 480);
  for (auto _ : State) {
    z_stream Z{};
    inflateInit(&Z);
    Z.next_in = File.data() + 8;
    Z.avail_in = uInt(File.size() - 8);
    Z.next_out = Out.data();
    Z.avail_out = uInt(Out.size());
    inflate(&Z, Z_FINISH);
    inflateEnd(&Z);
    benchmark::DoNotOptimize(Out.data());
  }
}

}  // namespace

BENCHMARK(BM_KeyedDraw);
BENCHMARK(BM_KeyedDrawPortable);
BENCHMARK(BM_SdlKeyedBlit);
BENCHMARK(BM_OpaqueDraw);
BENCHMARK(BM_OpaqueDrawPortable);
BENCHMARK(BM_SdlOpaqueBlit);
BENCHMARK(BM_BlendDraw);
BENCHMARK(BM_BlendDrawPortable);
BENCHMARK(BM_KeyedBlendDraw);
BENCHMARK(BM_DrawRotate);
BENCHMARK(BM_DrawWave);
BENCHMARK(BM_PngDecode);
BENCHMARK(BM_LibpngDecode);
BENCHMARK(BM_XyzDecode);
BENCHMARK(BM_RawInflate);
