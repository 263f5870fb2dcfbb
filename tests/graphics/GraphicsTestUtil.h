// Builders shared by the graphics tests: sheets whose colour for index i is simply i, and
// pictures assembled byte by byte.
#pragma once

#include "graphics/PrismSheet.h"

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

// A 5-6-5 word from its three channels.
constexpr uint16_t Rgb565(int R, int G, int B) { return uint16_t(R << 11 | G << 5 | B); }

// Sets palette entry Index so that it converts (neutral tone, brightness 100) to Word.
inline void SetWord(TPrismSheet& Sheet, int Index, uint16_t Word) {
  Sheet.SetPaletteEntry(Index, uint8_t((Word >> 11) << 3), uint8_t(((Word >> 5) & 63) << 2), uint8_t((Word & 31) << 3));
}

// A W x H sheet holding the given indices; index i draws as the 5-6-5 word i (for i < 32 only
// blue is set, so the colour equals the index).
inline void MakeIndexSheet(TPrismSheet& Sheet, int W, int H, const std::vector<uint8_t>& Indices) {
  Sheet.SetSize(W, H);
  Sheet.Pixels = Indices;
  for (int i = 0; i < 32; ++i) SetWord(Sheet, i, uint16_t(i));
  Sheet.UpdatePalette();
}

inline void PutBig32(std::vector<uint8_t>& Out, uint32_t V) {
  for (int Shift = 24; Shift >= 0; Shift -= 8) Out.push_back(uint8_t(V >> Shift));
}

inline void PutLe(std::vector<uint8_t>& Out, uint32_t V, int Bytes) {
  for (int i = 0; i < Bytes; ++i) Out.push_back(uint8_t(V >> (8 * i)));
}

inline void AppendChunk(std::vector<uint8_t>& Out, const std::string& Type, const std::vector<uint8_t>& Data) {
  PutBig32(Out, uint32_t(Data.size()));
  size_t Start = Out.size();
  Out.insert(Out.end(), Type.begin(), Type.end());
  Out.insert(Out.end(), Data.begin(), Data.end());
  PutBig32(Out, uint32_t(crc32(0, &Out[Start], uInt(Out.size() - Start))));
}

inline std::vector<uint8_t> PngSignature() { return {137, 80, 78, 71, 13, 10, 26, 10}; }

inline std::vector<uint8_t> Ihdr(uint32_t W, uint32_t H, uint8_t Depth, uint8_t ColourType, uint8_t Interlace = 0) {
  std::vector<uint8_t> D;
  PutBig32(D, W);
  PutBig32(D, H);
  D.insert(D.end(), {Depth, ColourType, 0, 0, Interlace});
  return D;
}

inline std::vector<uint8_t> Compress(const std::vector<uint8_t>& Raw, int Level = Z_DEFAULT_COMPRESSION) {
  uLongf Size = compressBound(uLong(Raw.size()));
  std::vector<uint8_t> Out(Size);
  compress2(Out.data(), &Size, Raw.data(), uLong(Raw.size()), Level);
  Out.resize(Size);
  return Out;
}
