// The zlib stream functions wrapped for the picture readers and writers: an inflater that
// fills caller buffers piece by piece (so no output is ever larger than the picture needs) and
// a one-piece deflate at the default level.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class TInflater {
 public:
  enum class Result { Ended, Full, Starved, Failed };

  TInflater();   // raises EPrismImageError("Zlib Error") when inflation cannot start
  ~TInflater();
  TInflater(const TInflater&) = delete;
  TInflater& operator=(const TInflater&) = delete;

  void SetInput(std::span<const uint8_t> Input);
  size_t InputLeft() const;
  bool Ended() const { return FEnded; }
  // Inflates into Out until it is full, the stream ends, the input runs out or the data is
  // broken. Produced receives the number of bytes written.
  Result Fill(uint8_t* Out, size_t Size, size_t& Produced);
  Result Fill(uint8_t* Out, size_t Size) {
    size_t Ignored;
    return Fill(Out, Size, Ignored);
  }
  // True when no output at all follows what has been taken so far.
  bool AtEnd();

 private:
  struct State;
  std::unique_ptr<State> S;
  bool FEnded = false;
};

std::vector<uint8_t> Deflate(std::span<const uint8_t> Raw);
