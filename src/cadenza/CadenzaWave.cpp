#include "cadenza/CadenzaWave.h"

#include <cstring>
#include <string_view>

namespace {

constexpr uint16_t FormatPcm = 1;
constexpr uint16_t FormatExtensible = 0xFFFE;
constexpr int MaxRate = 384000;

uint16_t Le16(const uint8_t* P) { return uint16_t(P[0] | P[1] << 8); }
uint32_t Le32(const uint8_t* P) { return uint32_t(P[0] | P[1] << 8 | P[2] << 16 | uint32_t(P[3]) << 24); }

bool IsTag(const uint8_t* P, std::string_view Tag) { return std::memcmp(P, Tag.data(), 4) == 0; }

struct WaveFormat {
  uint16_t Tag = 0;
  int Channels = 0;
  int Rate = 0;
  int Bits = 0;
};

std::optional<WaveFormat> ReadFormat(std::span<const uint8_t> Chunk) {
  if (Chunk.size() < 16) return std::nullopt;
  WaveFormat format{Le16(&Chunk[0]), Le16(&Chunk[2]), int(Le32(&Chunk[4])), Le16(&Chunk[14])};
  // The extensible form names the real encoding in the first two bytes of its sub-format GUID.
  if (format.Tag == FormatExtensible) {
    if (Chunk.size() < 40) return std::nullopt;
    format.Tag = Le16(&Chunk[24]);
  }
  if (format.Tag != FormatPcm) return std::nullopt;
  if (format.Channels < 1 || format.Channels > 2) return std::nullopt;
  if (format.Rate < 1 || format.Rate > MaxRate) return std::nullopt;
  if (format.Bits != 8 && format.Bits != 16) return std::nullopt;
  return format;
}

float Sample8(const uint8_t* P) { return (float(*P) - 128.0f) / 128.0f; }
float Sample16(const uint8_t* P) { return float(int16_t(Le16(P))) / 32768.0f; }

TCadenzaPcm ConvertData(const WaveFormat& Format, std::span<const uint8_t> Data) {
  const size_t bytesPerSample = size_t(Format.Bits / 8);
  const size_t frameBytes = bytesPerSample * size_t(Format.Channels);
  const size_t samples = Data.size() / frameBytes * size_t(Format.Channels);
  TCadenzaPcm pcm{Format.Rate, Format.Channels, {}};
  pcm.Samples.resize(samples);
  auto* convert = Format.Bits == 8 ? Sample8 : Sample16;
  for (size_t i = 0; i < samples; ++i) pcm.Samples[i] = convert(&Data[i * bytesPerSample]);
  return pcm;
}

}  // namespace

std::optional<TCadenzaPcm> DecodeCadenzaWave(std::span<const uint8_t> Bytes) {
  if (Bytes.size() < 12 || !IsTag(&Bytes[0], "RIFF") || !IsTag(&Bytes[8], "WAVE"))
    return std::nullopt;
  std::optional<WaveFormat> format;
  size_t at = 12;
  while (Bytes.size() - at >= 8) {
    const uint8_t* header = &Bytes[at];
    const size_t left = Bytes.size() - at - 8;
    const size_t size = Le32(header + 4);
    // Writers that stream often leave the data size too large or unset: play what is there.
    std::span<const uint8_t> body = Bytes.subspan(at + 8, size < left ? size : left);
    if (IsTag(header, "fmt ")) {
      format = ReadFormat(body);
      if (!format) return std::nullopt;
    } else if (IsTag(header, "data")) {
      if (!format) return std::nullopt;
      TCadenzaPcm pcm = ConvertData(*format, body);
      if (pcm.Frames() == 0) return std::nullopt;
      return pcm;
    }
    if (size >= left) break;
    at += 8 + size + (size & 1);  // chunks are padded to an even length
    if (at > Bytes.size()) break;
  }
  return std::nullopt;
}
