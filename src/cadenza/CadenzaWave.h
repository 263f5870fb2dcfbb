// Decoding of WAV sound files into the float samples the mixer plays. Accepted: RIFF/WAVE with
// PCM data of 8 (unsigned) or 16 (signed) bits per sample, one or two channels, any rate from
// 1 Hz to 384 kHz; the extensible header form is accepted when it carries PCM. Anything else is
// refused as a whole, so a broken sound plays nothing rather than noise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// A decoded sound: interleaved samples in -1..1 at the file's own rate.
struct TCadenzaPcm {
  int Rate = 0;
  int Channels = 0;
  std::vector<float> Samples;

  size_t Frames() const { return Channels > 0 ? Samples.size() / size_t(Channels) : 0; }
};

std::optional<TCadenzaPcm> DecodeCadenzaWave(std::span<const uint8_t> Bytes);
