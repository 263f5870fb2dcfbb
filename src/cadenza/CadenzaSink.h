// Where the mix goes: an SDL audio device that pulls frames from the mixer on its own thread,
// or, headless or without a device, a null sink whose thread pulls at real-time pace and can
// write everything it mixed to a 16-bit stereo WAV file.
#pragma once

#include "cadenza/CadenzaMixer.h"

#include <memory>
#include <string>

class TCadenzaSink {
 public:
  virtual ~TCadenzaSink() = default;
};

// Nothing when SDL audio cannot start or no device opens.
std::unique_ptr<TCadenzaSink> OpenCadenzaSdlSink(TCadenzaMixer& Mixer);

// CapturePath empty: no capture. A capture file that cannot be created is skipped silently.
std::unique_ptr<TCadenzaSink> OpenCadenzaNullSink(TCadenzaMixer& Mixer, const std::string& CapturePath);
