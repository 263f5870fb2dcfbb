#include "graphics/PrismBlit.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define PRISM_X86 1
#endif

namespace {

using RowKernel = void (*)(uint16_t*, const uint8_t*, int32_t, const uint16_t*, uint32_t);

// ---- portable kernels: no branch on the pixel values ----

void OpaqueRow(uint16_t* D, const uint8_t* S, int32_t N, const uint16_t* C, uint32_t) {
  int32_t i = 0;
  for (; i + 4 <= N; i += 4) {
    uint32_t Four;
    std::memcpy(&Four, S + i, 4);
    uint64_t Words = uint64_t(C[Four & 255]) | uint64_t(C[(Four >> 8) & 255]) << 16 |
                     uint64_t(C[(Four >> 16) & 255]) << 32 | uint64_t(C[Four >> 24]) << 48;
    std::memcpy(D + i, &Words, 8);
  }
  for (; i < N; ++i) D[i] = C[S[i]];
}

void KeyedRow(uint16_t* D, const uint8_t* S, int32_t N, const uint16_t* C, uint32_t) {
  for (int32_t i = 0; i < N; ++i) {
    uint16_t Keep = uint16_t(-uint16_t(S[i] == 0));
    D[i] = uint16_t((C[S[i]] & ~Keep) | (D[i] & Keep));
  }
}

void BlendRow(uint16_t* D, const uint8_t* S, int32_t N, const uint16_t* C, uint32_t W) {
  for (int32_t i = 0; i < N; ++i) D[i] = Blend565(C[S[i]], D[i], W);
}

void KeyedBlendRow(uint16_t* D, const uint8_t* S, int32_t N, const uint16_t* C, uint32_t W) {
  for (int32_t i = 0; i < N; ++i) {
    uint16_t Keep = uint16_t(-uint16_t(S[i] == 0));
    D[i] = uint16_t((Blend565(C[S[i]], D[i], W) & ~Keep) | (D[i] & Keep));
  }
}

#ifdef PRISM_X86

// ---- AVX2 kernels: sixteen pixels per step ----
// The colour table is gathered as 32-bit words at 2-byte steps (the table's padding keeps the
// read at index 255 inside it) and the upper halves are masked off before packing.

__attribute__((target("avx2"))) inline __m256i Gather16(const uint16_t* C, __m128i Indices) {
  const __m256i Low = _mm256_set1_epi32(0xFFFF);
  const int* Base = reinterpret_cast<const int*>(C);
  __m256i A = _mm256_i32gather_epi32(Base, _mm256_cvtepu8_epi32(Indices), 2);
  __m256i B = _mm256_i32gather_epi32(Base, _mm256_cvtepu8_epi32(_mm_srli_si128(Indices, 8)), 2);
  __m256i Packed = _mm256_packus_epi32(_mm256_and_si256(A, Low), _mm256_and_si256(B, Low));
  return _mm256_permute4x64_epi64(Packed, 0xD8);
}

__attribute__((target("avx2"))) inline __m256i KeepMask(__m128i Indices) {
  return _mm256_cmpeq_epi16(_mm256_cvtepu8_epi16(Indices), _mm256_setzero_si256());
}

__attribute__((target("avx2"))) inline __m256i Blend16(__m256i S, __m256i D, __m256i W, __m256i V) {
  const __m256i Six = _mm256_set1_epi16(63), Five = _mm256_set1_epi16(31);
  __m256i R = _mm256_srli_epi16(
      _mm256_add_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(S, 11), W), _mm256_mullo_epi16(_mm256_srli_epi16(D, 11), V)), 8);
  __m256i G = _mm256_srli_epi16(
      _mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi16(S, 5), Six), W),
                       _mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi16(D, 5), Six), V)),
      8);
  __m256i B = _mm256_srli_epi16(
      _mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(S, Five), W), _mm256_mullo_epi16(_mm256_and_si256(D, Five), V)), 8);
  return _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(R, 11), _mm256_slli_epi16(G, 5)), B);
}

template <bool Keyed, bool Blended>
__attribute__((target("avx2"))) void WideRow(uint16_t* D, const uint8_t* S, int32_t N, const uint16_t* C, uint32_t W) {
  const __m256i WV = _mm256_set1_epi16(int16_t(W)), VV = _mm256_set1_epi16(int16_t(257 - W));
  int32_t i = 0;
  for (; i + 16 <= N; i += 16) {
    __m128i Indices = _mm_loadu_si128(reinterpret_cast<const __m128i*>(S + i));
    __m256i Colour = Gather16(C, Indices);
    __m256i* Out = reinterpret_cast<__m256i*>(D + i);
    if (Blended || Keyed) {
      __m256i Old = _mm256_loadu_si256(Out);
      if (Blended) Colour = Blend16(Colour, Old, WV, VV);
      if (Keyed) Colour = _mm256_blendv_epi8(Colour, Old, KeepMask(Indices));
    }
    _mm256_storeu_si256(Out, Colour);
  }
  for (; i < N; ++i) PlotPixel<Keyed, Blended>(D[i], S[i], C, W);
}

#endif

struct KernelSet {
  RowKernel Opaque, Keyed, Blend, KeyedBlend;
  const char* Name;
};

constexpr KernelSet Portable{OpaqueRow, KeyedRow, BlendRow, KeyedBlendRow, "portable"};

KernelSet Detect() {
#ifdef PRISM_X86
  if (__builtin_cpu_supports("avx2"))
    return {WideRow<false, false>, WideRow<true, false>, WideRow<false, true>, WideRow<true, true>, "avx2"};
#endif
  return Portable;
}

bool ForcePortable = false;

// Chosen on first use, so that a draw made while other globals are being built still works.
const KernelSet& Active() {
  static const KernelSet Best = Detect();
  return ForcePortable ? Portable : Best;
}

}  // namespace

void BlitRow(uint16_t* Dest, const uint8_t* Source, int32_t N, const TPixelRule& Rule) {
  const KernelSet& K = Active();
  uint32_t W = uint32_t(Rule.Opacity) + 1;
  if (Rule.Opacity >= 255)
    (Rule.Keyed ? K.Keyed : K.Opaque)(Dest, Source, N, Rule.Colors, W);
  else
    (Rule.Keyed ? K.KeyedBlend : K.Blend)(Dest, Source, N, Rule.Colors, W);
}

const char* BlitKernelName() { return Active().Name; }

bool UsePortableBlit(bool Portable) {
  bool Previous = ForcePortable;
  ForcePortable = Portable;
  return Previous;
}
