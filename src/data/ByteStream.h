// Byte streams for the chunked game files: a checked reader over a file held whole in memory
// and a growing writer. Every read checks what is left first, so a damaged or hostile file ends
// in EReadError ("Stream read error") and never in a read past the end or a huge allocation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using TBytes = std::vector<uint8_t>;

// A failure with one of the system's fixed message texts ("Invalid Switch", ...).
class ELcfError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that cannot be opened: "Cannot open file <name>".
class EFileError : public ELcfError {
 public:
  explicit EFileError(const std::string& FileName);
};

// A damaged game file. The message stays the fixed text; where it happened travels beside it
// so that tools can name the offset and the record path.
class EReadError : public ELcfError {
 public:
  EReadError() : ELcfError("Stream read error") {}
  EReadError(size_t Offset) : ELcfError("Stream read error"), Offset(Offset) {}

  size_t Offset = 0;
  std::string Path;  // "System.Musics.Title", built outward while the error unwinds
  void AddPathPrefix(std::string_view Name);
};

class TByteReader {
 public:
  TByteReader() = default;
  explicit TByteReader(std::span<const uint8_t> Data) : Begin(Data.data()), Pos(Data.data()), End(Data.data() + Data.size()), Origin(Data.data()) {}
  explicit TByteReader(const TBytes& Data) : TByteReader(std::span<const uint8_t>(Data)) {}

  size_t Remaining() const { return size_t(End - Pos); }
  bool AtEnd() const { return Pos == End; }
  size_t Position() const { return size_t(Pos - Begin); }
  size_t Size() const { return size_t(End - Begin); }
  // Offset from the start of the outermost reader, for error reports.
  size_t FileOffset() const { return size_t(Pos - Origin); }

  // A compressed integer: 7 bits a byte, most significant first, bit 7 set on all but the last.
  // Any number of bytes is accepted; only the low 32 bits remain.
  uint32_t Ber() {
    uint32_t Value = 0;
    for (;;) {
      if (Pos == End) Fail();
      const uint8_t B = *Pos++;
      Value = (Value << 7) | (B & 0x7F);
      if (!(B & 0x80)) return Value;
    }
  }
  int32_t BerInt() { return int32_t(Ber()); }

  // The compressed integer at the start of an integer chunk's payload. A payload that ends
  // inside the integer gives the bits read so far instead of reading on into the neighbour.
  int32_t BerWithinPayload() {
    uint32_t Value = 0;
    while (Pos != End) {
      const uint8_t B = *Pos++;
      Value = (Value << 7) | (B & 0x7F);
      if (!(B & 0x80)) break;
    }
    return int32_t(Value);
  }

  uint8_t Byte() {
    if (Pos == End) Fail();
    return *Pos++;
  }

  std::span<const uint8_t> Bytes(size_t N) {
    if (N > Remaining()) Fail();
    const uint8_t* P = Pos;
    Pos += N;
    return {P, N};
  }
  std::span<const uint8_t> Rest() { return Bytes(Remaining()); }

  // A length-prefixed string; the length is checked against what is left before copying.
  std::string BerString() {
    const uint32_t N = Ber();
    const auto B = Bytes(N);
    return std::string(reinterpret_cast<const char*>(B.data()), B.size());
  }

  // A bounded reader over the next N bytes; this reader moves past them at once, so a chunk
  // can never read its neighbour and its parent always continues at its end.
  TByteReader Sub(size_t N) {
    if (N > Remaining()) Fail();
    TByteReader R;
    R.Begin = R.Pos = Pos;
    R.End = Pos + N;
    R.Origin = Origin;
    Pos += N;
    return R;
  }

  void Skip(size_t N) { Bytes(N); }
  void Seek(size_t Position) {
    if (Position > Size()) Fail();
    Pos = Begin + Position;
  }

  [[noreturn]] void Fail() const;

 private:
  const uint8_t* Begin = nullptr;
  const uint8_t* Pos = nullptr;
  const uint8_t* End = nullptr;
  const uint8_t* Origin = nullptr;
};

class TByteWriter {
 public:
  void Ber(uint32_t Value) {
    uint8_t Tmp[5];
    const size_t N = BerLength(Value);
    for (size_t I = 0; I < N; ++I) Tmp[I] = uint8_t(((Value >> (7 * (N - 1 - I))) & 0x7F) | (I + 1 < N ? 0x80 : 0));
    Data.insert(Data.end(), Tmp, Tmp + N);
  }
  void BerInt(int32_t Value) { Ber(uint32_t(Value)); }
  void Byte(uint8_t B) { Data.push_back(B); }
  void Bytes(std::span<const uint8_t> B) { Data.insert(Data.end(), B.begin(), B.end()); }
  void Bytes(std::string_view S) { Data.insert(Data.end(), S.begin(), S.end()); }
  void Zeros(size_t N) { Data.resize(Data.size() + N, 0); }
  void BerString(std::string_view S) {
    Ber(uint32_t(S.size()));
    Bytes(S);
  }

  // A chunk whose size is known only after its payload: BeginChunk writes the id, EndChunk
  // puts the payload's size in front of it.
  size_t BeginChunk(uint32_t Id) {
    Ber(Id);
    return Data.size();
  }
  void EndChunk(size_t Mark);

  // 1 to 5: one byte per started group of 7 bits, a negative value taking 5.
  static size_t BerLength(uint32_t Value) {
    size_t N = 1;
    for (int K = 1; K <= 4; ++K)
      if (Value >> (7 * K)) ++N;
    return N;
  }

  size_t Size() const { return Data.size(); }
  const TBytes& Buffer() const { return Data; }
  TBytes Take() { return std::move(Data); }
  void Clear() { Data.clear(); }

 private:
  TBytes Data;
};

// The stream helpers under their system names.
inline int32_t ReadBerInt(TByteReader& Stream) { return Stream.BerInt(); }
// WithSize puts the integer's own byte count before it: the size and payload of an integer chunk.
void WriteBerInt(TByteWriter& Stream, int32_t Value, bool WithSize = false);
inline std::string ReadBerString(TByteReader& Stream) { return Stream.BerString(); }
inline void WriteBerString(TByteWriter& Stream, std::string_view Text) { Stream.BerString(Text); }

// The whole file in memory; EFileError when it cannot be read.
TBytes ReadWholeFile(const std::string& FileName);
// Writes through a temporary file renamed over the target, so a failure never leaves half a file.
void WriteWholeFile(const std::string& FileName, std::span<const uint8_t> Data);
