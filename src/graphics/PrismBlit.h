// The per-pixel rules every sheet-to-board draw uses, and the row kernels of the plain draw.
// A source index becomes its colour-table entry; with keying, index 0 leaves the destination
// as it is; below full opacity the two 5-6-5 words are mixed channel by channel with weights
// w = Opacity + 1 and 257 - w (16-bit sums shifted right by 8). The row kernels pick wide
// instructions at run time when the processor has them.
#pragma once

#include <cstdint>

struct TPixelRule {
  const uint16_t* Colors;   // 256 entries followed by padding (TPrismSheet::ColorTable)
  bool Keyed;
  int32_t Opacity;          // 255 opaque
};

inline uint16_t Blend565(uint16_t Source, uint16_t Dest, uint32_t W) {
  uint32_t V = 257 - W;
  uint32_t R = ((Source >> 11) * W + (Dest >> 11) * V) >> 8;
  uint32_t G = (((Source >> 5) & 63) * W + ((Dest >> 5) & 63) * V) >> 8;
  uint32_t B = ((Source & 31) * W + (Dest & 31) * V) >> 8;
  return uint16_t(R << 11 | G << 5 | B);
}

// One pixel by the rule; the transforms (stretch, zoom, rotation, wave) plot with this.
template <bool Keyed, bool Blended>
inline void PlotPixel(uint16_t& Dest, uint8_t Index, const uint16_t* Colors, uint32_t W) {
  if (Keyed && Index == 0) return;
  Dest = Blended ? Blend565(Colors[Index], Dest, W) : Colors[Index];
}

// Draws N indices from Source onto Dest by the rule.
void BlitRow(uint16_t* Dest, const uint8_t* Source, int32_t N, const TPixelRule& Rule);

// Which row kernels run on this processor ("avx2" or "portable"), for benchmarks and reports.
const char* BlitKernelName();
// Forces the portable kernels (benchmarks compare both); returns the previous setting.
bool UsePortableBlit(bool Portable);
