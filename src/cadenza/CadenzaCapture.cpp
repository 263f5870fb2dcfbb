#include "cadenza/CadenzaCapture.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr uint64_t MaxDataBytes = 0xFFFFFFFFull - 36;  // what a RIFF size field can describe
constexpr int Channels = 2;
constexpr int BytesPerSample = 2;

void PutLe(uint8_t* At, uint32_t Value, int Bytes) {
  for (int i = 0; i < Bytes; ++i) At[i] = uint8_t(Value >> (8 * i));
}

}  // namespace

TCadenzaCapture::TCadenzaCapture(const std::string& Path, int Rate)
    : File_(std::fopen(Path.c_str(), "wb")), Rate_(Rate) {
  if (File_) WriteHeader(0);
}

TCadenzaCapture::~TCadenzaCapture() {
  if (!File_) return;
  std::fseek(File_.get(), 0, SEEK_SET);
  WriteHeader(uint32_t(DataBytes_));
}

void TCadenzaCapture::WriteHeader(uint32_t DataBytes) {
  uint8_t header[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
  PutLe(header + 4, 36 + DataBytes, 4);
  PutLe(header + 16, 16, 4);
  PutLe(header + 20, 1, 2);  // PCM
  PutLe(header + 22, Channels, 2);
  PutLe(header + 24, uint32_t(Rate_), 4);
  PutLe(header + 28, uint32_t(Rate_ * Channels * BytesPerSample), 4);
  PutLe(header + 32, Channels * BytesPerSample, 2);
  PutLe(header + 34, 8 * BytesPerSample, 2);
  std::copy_n("data", 4, header + 36);
  PutLe(header + 40, DataBytes, 4);
  std::fwrite(header, 1, sizeof header, File_.get());
}

void TCadenzaCapture::Append(std::span<const float> Frames) {
  if (!File_) return;
  const uint64_t room = (MaxDataBytes - DataBytes_) / BytesPerSample;
  const size_t count = size_t(std::min<uint64_t>(Frames.size(), room));
  std::vector<uint8_t> bytes(count * BytesPerSample);
  for (size_t i = 0; i < count; ++i) {
    const float clamped = std::clamp(Frames[i], -1.0f, 1.0f);
    PutLe(&bytes[i * 2], uint32_t(uint16_t(int16_t(std::lrint(clamped * 32767.0f)))), 2);
  }
  DataBytes_ += std::fwrite(bytes.data(), 1, bytes.size(), File_.get());
}
