#include "platform/BmpDecoder.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* Surface) const { SDL_FreeSurface(Surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

uint32_t ReadLe(std::span<const uint8_t> Data, size_t Offset, size_t Bytes) {
  uint32_t Value = 0;
  for (size_t i = 0; i < Bytes; ++i) Value |= uint32_t(Data[Offset + i]) << (8 * i);
  return Value;
}

// The loader allocates the whole surface before reading pixels, so a header that promises more
// than the file holds is refused here. Run-length files cannot be bounded exactly (one escape
// can skip many rows), so they get a generous bound: 4 Mi pixels plus 1024 per file byte.
const char* CheckHeader(std::span<const uint8_t> Data, int32_t MaxSide) {
  constexpr size_t FileHeader = 14;
  if (Data.size() < FileHeader + 12 || Data[0] != 'B' || Data[1] != 'M') return "not a BMP file";
  uint32_t PixelOffset = ReadLe(Data, 10, 4);
  uint32_t InfoSize = ReadLe(Data, FileHeader, 4);
  int64_t Width, Height;
  uint32_t Bits, Compression = 0;
  if (InfoSize == 12) {
    Width = int16_t(ReadLe(Data, FileHeader + 4, 2));
    Height = int16_t(ReadLe(Data, FileHeader + 6, 2));
    Bits = ReadLe(Data, FileHeader + 10, 2);
  } else {
    if (InfoSize < 16 || Data.size() < FileHeader + 20) return "truncated BMP header";
    Width = int32_t(ReadLe(Data, FileHeader + 4, 4));
    Height = int32_t(ReadLe(Data, FileHeader + 8, 4));
    Bits = ReadLe(Data, FileHeader + 14, 2);
    if (InfoSize >= 20 && Data.size() >= FileHeader + 20) Compression = ReadLe(Data, FileHeader + 16, 4);
  }
  if (Height < 0) Height = -Height;
  if (Width <= 0 || Height <= 0 || Width > MaxSide || Height > MaxSide) return "BMP size out of range";
  if (Bits == 0 || Bits > 32) return "unsupported BMP depth";
  constexpr uint32_t BiRgb = 0, BiBitfields = 3;
  if (Compression == BiRgb || Compression == BiBitfields) {
    uint64_t RowBytes = ((uint64_t(Width) * Bits + 31) / 32) * 4;
    if (PixelOffset > Data.size() || RowBytes * uint64_t(Height) > Data.size() - PixelOffset)
      return "BMP pixel data truncated";
  } else if (uint64_t(Width) * uint64_t(Height) > (uint64_t(4) << 20) + 1024 * uint64_t(Data.size())) {
    return "BMP run-length data too short for its size";
  }
  return nullptr;
}

void CopyIndexed(const SDL_Surface& Surface, DecodedBmp& Image) {
  const SDL_Palette* Palette = Surface.format->palette;
  if (Palette)
    for (int i = 0; i < Palette->ncolors && i < 256; ++i)
      Image.Palette.push_back({Palette->colors[i].r, Palette->colors[i].g, Palette->colors[i].b});
  int Bits = Surface.format->BitsPerPixel;
  Image.BitsPerPixel = 8;
  Image.Pixels.resize(size_t(Image.Width) * Image.Height);
  for (int y = 0; y < Image.Height; ++y) {
    const uint8_t* Row = static_cast<const uint8_t*>(Surface.pixels) + size_t(y) * Surface.pitch;
    uint8_t* Out = Image.Pixels.data() + size_t(y) * Image.Width;
    if (Bits == 8) {
      std::memcpy(Out, Row, size_t(Image.Width));
      continue;
    }
    // Packed 1- or 4-bit rows, most significant bits first.
    int PerByte = 8 / Bits, Mask = (1 << Bits) - 1;
    for (int x = 0; x < Image.Width; ++x)
      Out[x] = uint8_t((Row[x / PerByte] >> ((PerByte - 1 - x % PerByte) * Bits)) & Mask);
  }
}

bool CopyTrueColour(SDL_Surface& Surface, DecodedBmp& Image) {
  SurfacePtr Converted(SDL_ConvertSurfaceFormat(&Surface, SDL_PIXELFORMAT_BGR24, 0));
  if (!Converted) return false;
  Image.BitsPerPixel = 24;
  size_t RowBytes = size_t(Image.Width) * 3;
  Image.Pixels.resize(RowBytes * Image.Height);
  for (int y = 0; y < Image.Height; ++y)
    std::memcpy(Image.Pixels.data() + y * RowBytes,
                static_cast<const uint8_t*>(Converted->pixels) + size_t(y) * Converted->pitch, RowBytes);
  return true;
}

}  // namespace

BmpResult DecodeBmp(std::span<const uint8_t> Data, int32_t MaxSide) {
  BmpResult Result;
  if (const char* Problem = CheckHeader(Data, MaxSide)) {
    Result.Error = Problem;
    return Result;
  }
  if (Data.size() > size_t(INT32_MAX)) {
    Result.Error = "BMP file too large";
    return Result;
  }
  SDL_RWops* Stream = SDL_RWFromConstMem(Data.data(), int(Data.size()));
  SurfacePtr Surface(Stream ? SDL_LoadBMP_RW(Stream, 1) : nullptr);
  if (!Surface) {
    Result.Error = SDL_GetError();
    return Result;
  }
  DecodedBmp& Image = Result.Image;
  Image.Width = Surface->w;
  Image.Height = Surface->h;
  Image.SourceBitsPerPixel = int(ReadLe(Data, 14, 4)) == 12 ? int(ReadLe(Data, 24, 2)) : int(ReadLe(Data, 28, 2));
  if (Image.Width > MaxSide || Image.Height > MaxSide) {
    Result.Error = "BMP size out of range";
    return Result;
  }
  if (SDL_ISPIXELFORMAT_INDEXED(Surface->format->format) && Surface->format->BitsPerPixel <= 8 &&
      8 % Surface->format->BitsPerPixel == 0) {
    CopyIndexed(*Surface, Image);
  } else if (!CopyTrueColour(*Surface, Image)) {
    Result.Error = SDL_GetError();
    return Result;
  }
  Result.Ok = true;
  return Result;
}
