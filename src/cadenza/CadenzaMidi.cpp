#include "cadenza/CadenzaMidi.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

uint32_t Be32(const uint8_t* P) { return uint32_t(P[0]) << 24 | P[1] << 16 | P[2] << 8 | P[3]; }
uint16_t Be16(const uint8_t* P) { return uint16_t(P[0] << 8 | P[1]); }

// Meta events whose length the synthesiser's reader insists on; any other length fails the
// whole song there, so it is refused here already.
struct FixedMeta {
  uint8_t Type;
  uint32_t Length;
};
constexpr FixedMeta FixedMetas[] = {{0x51, 3}, {0x54, 5}, {0x58, 4}, {0x59, 2}};

bool MetaLengthFits(uint8_t Type, uint32_t Length) {
  for (const FixedMeta& meta : FixedMetas)
    if (meta.Type == Type) return meta.Length == Length;
  return true;
}

// Reads events of one track chunk, keeping to its bounds. The rules are those of the
// synthesiser's own reader, so that a song accepted here is a song it can load.
class TrackReader {
 public:
  explicit TrackReader(std::span<const uint8_t> Track) : Track_(Track) {}

  // Ticks from the track's start to its end-of-track event, or nothing when an event is
  // malformed or the end-of-track event is missing.
  std::optional<uint64_t> Duration() {
    uint64_t ticks = 0;
    while (!Ended_) {
      const auto delta = Length();
      if (!delta) return std::nullopt;
      ticks += *delta;
      if (!Event()) return std::nullopt;
    }
    return ticks;
  }

 private:
  bool Event() {
    if (At_ >= Track_.size()) return false;
    const uint8_t status = Track_[At_];
    if (status < 0x80) {
      // Running status: the data bytes repeat the previous channel message's status.
      if (Running_ == 0) return false;
      return SkipData(DataBytes(Running_));
    }
    ++At_;
    if (status == 0xFF) {
      Running_ = 0;
      if (At_ >= Track_.size()) return false;
      const uint8_t type = Track_[At_++];
      const auto length = Length();
      if (!length || !MetaLengthFits(type, *length) || !Skip(*length)) return false;
      Ended_ = type == 0x2F;  // end of track: anything after it is ignored
    } else if (status == 0xF0) {
      Running_ = 0;
      const auto length = Length();
      if (!length || !Skip(*length)) return false;
    } else if (status > 0xF0) {
      return false;  // escapes, system common and real-time bytes: not in a playable file
    } else {
      Running_ = status;
      if (!SkipData(DataBytes(status))) return false;
    }
    return true;
  }

  static size_t DataBytes(uint8_t Status) {
    const uint8_t kind = Status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
  }

  // A variable-length quantity of at most four bytes.
  std::optional<uint32_t> Length() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      if (At_ >= Track_.size()) return std::nullopt;
      const uint8_t byte = Track_[At_++];
      value = value << 7 | (byte & 0x7F);
      if ((byte & 0x80) == 0) return value;
    }
    return std::nullopt;
  }

  // Channel message data are 7-bit values. A note or controller number of 128 or more makes the
  // synthesiser refuse the event and try it again for ever, so it is refused here.
  bool SkipData(size_t Count) {
    if (Track_.size() - At_ < Count) return false;
    for (size_t i = 0; i < Count; ++i)
      if (Track_[At_ + i] >= 0x80) return false;
    At_ += Count;
    return true;
  }

  bool Skip(size_t Count) {
    if (Track_.size() - At_ < Count) return false;
    At_ += Count;
    return true;
  }

  std::span<const uint8_t> Track_;
  size_t At_ = 0;
  uint8_t Running_ = 0;
  bool Ended_ = false;
};

}  // namespace

bool IsPlayableMidi(std::span<const uint8_t> Bytes) {
  if (Bytes.size() < 14 || std::memcmp(Bytes.data(), "MThd", 4) != 0) return false;
  const uint32_t headerSize = Be32(&Bytes[4]);
  if (headerSize != 6) return false;
  const uint16_t format = Be16(&Bytes[8]);
  const uint16_t tracks = Be16(&Bytes[10]);
  const uint16_t division = Be16(&Bytes[12]);
  if (format > 2 || tracks < 1 || tracks > CadenzaMaxMidiTracks) return false;
  if (division == 0 || (division & 0x8000) != 0) return false;

  size_t at = 8 + headerSize;
  int found = 0;
  uint64_t longest = 0;
  while (found < tracks) {
    if (Bytes.size() - at < 8) return false;
    const uint32_t size = Be32(&Bytes[at + 4]);
    if (size > Bytes.size() - at - 8) return false;
    if (std::memcmp(&Bytes[at], "MTrk", 4) == 0) {
      const auto duration = TrackReader(Bytes.subspan(at + 8, size)).Duration();
      if (!duration) return false;
      longest = std::max(longest, *duration);
      ++found;
    }
    at += 8 + size;
  }
  return longest > 0;
}
