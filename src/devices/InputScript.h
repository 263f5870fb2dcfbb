// Replayed input: a text file of timed key presses, one per line, "FRAME KEY down|up", frames
// counted from 1 as the display runs them. Keys: Down, Left, Right, Up, Decision, Cancel, Shift,
// Ctrl, F4, F5, F9, F10, F12, in any letter case. '#' starts a comment.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

class EInputScript : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TInputEvent {
  uint64_t Frame = 0;
  uint8_t Key = 0;
  bool Down = false;
};

class TInputScript {
 public:
  // Throws EInputScript naming the file and line of the first malformed line.
  static TInputScript Parse(std::string_view text, const std::string& fileName);
  static TInputScript Load(const std::string& fileName);

  // Presses and releases the keys of Frame on the platform, in file order.
  void Apply(uint64_t frame, Platform& device);

  const std::vector<TInputEvent>& Events() const { return Events_; }

 private:
  std::vector<TInputEvent> Events_;  // sorted by frame, file order kept within a frame
  size_t Next_ = 0;
};
