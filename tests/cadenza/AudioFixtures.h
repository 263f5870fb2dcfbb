// Small WAV and MIDI files made in memory for the audio tests and benchmarks, and a scratch
// folder that removes itself.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace AudioFixtures {

inline void PutLe(std::vector<uint8_t>& Out, uint32_t Value, int Bytes) {
  for (int i = 0; i < Bytes; ++i) Out.push_back(uint8_t(Value >> (8 * i)));
}
inline void PutBe(std::vector<uint8_t>& Out, uint32_t Value, int Bytes) {
  for (int i = Bytes - 1; i >= 0; --i) Out.push_back(uint8_t(Value >> (8 * i)));
}
inline void PutTag(std::vector<uint8_t>& Out, const char* Tag) {
  for (int i = 0; i < 4; ++i) Out.push_back(uint8_t(Tag[i]));
}

// A PCM WAV file; Samples are raw values (unsigned for 8 bits, signed for 16), interleaved.
inline std::vector<uint8_t> Wave(int Rate, int Channels, int Bits, const std::vector<int>& Samples) {
  const uint32_t dataBytes = uint32_t(Samples.size() * size_t(Bits / 8));
  std::vector<uint8_t> out;
  PutTag(out, "RIFF");
  PutLe(out, 36 + dataBytes, 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutLe(out, 16, 4);
  PutLe(out, 1, 2);
  PutLe(out, uint32_t(Channels), 2);
  PutLe(out, uint32_t(Rate), 4);
  PutLe(out, uint32_t(Rate * Channels * Bits / 8), 4);
  PutLe(out, uint32_t(Channels * Bits / 8), 2);
  PutLe(out, uint32_t(Bits), 2);
  PutTag(out, "data");
  PutLe(out, dataBytes, 4);
  for (int sample : Samples) PutLe(out, uint32_t(sample), Bits / 8);
  return out;
}

// Frames frames in which every channel holds its constant value of Values.
inline std::vector<uint8_t> ConstantWave(int Rate, int Bits, std::vector<int> Values, int Frames) {
  std::vector<int> samples;
  for (int i = 0; i < Frames; ++i) samples.insert(samples.end(), Values.begin(), Values.end());
  return Wave(Rate, int(Values.size()), Bits, samples);
}

// A 16-bit sine tone at half level, for the benchmark's sounds.
inline std::vector<uint8_t> ToneWave(int Rate, int Channels, double Hertz, int Frames) {
  std::vector<int> samples;
  for (int i = 0; i < Frames; ++i)
    for (int c = 0; c < Channels; ++c)
      samples.push_back(int(std::lround(16000 * std::sin(2 * 3.14159265358979 * Hertz * i / Rate))));
  return Wave(Rate, Channels, 16, samples);
}

// A variable-length quantity as MIDI files write times and lengths.
inline void PutVlq(std::vector<uint8_t>& Out, uint32_t Value) {
  uint8_t bytes[4];
  int count = 0;
  do {
    bytes[count++] = uint8_t(Value & 0x7F);
    Value >>= 7;
  } while (Value != 0 && count < 4);
  while (count > 1) Out.push_back(bytes[--count] | 0x80);
  Out.push_back(bytes[0]);
}

// A format-0 song at 120 beats a minute with Division ticks a quarter note: on each of
// Channels channels (piano, strings, ...), Notes quarter notes of chords, so a quarter note is
// 0.5 s and Division ticks.
inline std::vector<uint8_t> Song(int Notes, int Channels = 1, int Division = 480) {
  std::vector<uint8_t> track;
  const uint8_t tempo[] = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20};  // 500000 us a quarter
  track.insert(track.end(), std::begin(tempo), std::end(tempo));
  const uint8_t programs[] = {0, 48, 32, 24, 73, 56, 19, 11};
  for (int c = 0; c < Channels; ++c) {
    PutVlq(track, 0);
    track.push_back(uint8_t(0xC0 | c));
    track.push_back(programs[c % 8]);
  }
  for (int n = 0; n < Notes; ++n) {
    const int key = 60 + (n * 5) % 12;
    for (int c = 0; c < Channels; ++c) {
      for (int interval : {0, 4, 7}) {
        PutVlq(track, 0);
        track.insert(track.end(), {uint8_t(0x90 | c), uint8_t(key + interval - 12 * (c % 2)), 100});
      }
    }
    for (int c = 0; c < Channels; ++c) {
      for (int interval : {0, 4, 7}) {
        PutVlq(track, c == 0 && interval == 0 ? uint32_t(Division) : 0);
        track.insert(track.end(), {uint8_t(0x80 | c), uint8_t(key + interval - 12 * (c % 2)), 0});
      }
    }
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
  std::vector<uint8_t> out;
  PutTag(out, "MThd");
  PutBe(out, 6, 4);
  PutBe(out, 0, 2);
  PutBe(out, 1, 2);
  PutBe(out, uint32_t(Division), 2);
  PutTag(out, "MTrk");
  PutBe(out, uint32_t(track.size()), 4);
  out.insert(out.end(), track.begin(), track.end());
  return out;
}

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "cadenza-XXXXXX").string();
    Path_ = mkdtemp(pattern.data());
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string File(const std::string& Name) const { return (Path_ / Name).string(); }
  std::string Write(const std::string& Name, const std::vector<uint8_t>& Bytes) const {
    std::ofstream(File(Name), std::ios::binary)
        .write(reinterpret_cast<const char*>(Bytes.data()), std::streamsize(Bytes.size()));
    return File(Name);
  }

 private:
  std::filesystem::path Path_;
};

}  // namespace AudioFixtures
