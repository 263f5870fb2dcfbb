// Writes stereo float frames as a 16-bit PCM WAV file. The sizes in the header are filled in
// when the writer closes; until then the file holds placeholder sizes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

class TCadenzaCapture {
 public:
  TCadenzaCapture(const std::string& Path, int Rate);
  ~TCadenzaCapture();
  TCadenzaCapture(const TCadenzaCapture&) = delete;
  TCadenzaCapture& operator=(const TCadenzaCapture&) = delete;

  bool IsOpen() const { return File_ != nullptr; }
  // Frames interleaved left, right, in -1..1.
  void Append(std::span<const float> Frames);

 private:
  struct FileCloser {
    void operator()(FILE* File) const { std::fclose(File); }
  };
  void WriteHeader(uint32_t DataBytes);

  std::unique_ptr<FILE, FileCloser> File_;
  int Rate_;
  uint64_t DataBytes_ = 0;
};
