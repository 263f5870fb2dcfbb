#include "cadenza/CadenzaSink.h"

#include "cadenza/CadenzaCapture.h"

#include <SDL.h>

#include <chrono>
#include <condition_variable>
#include <optional>
#include <thread>
#include <vector>

namespace {

constexpr int BlockFrames = 1024;

class SdlSink final : public TCadenzaSink {
 public:
  explicit SdlSink(SDL_AudioDeviceID Device) : Device_(Device) { SDL_PauseAudioDevice(Device_, 0); }
  ~SdlSink() override {
    // Closing waits for a running callback, so the mixer is not touched afterwards.
    SDL_CloseAudioDevice(Device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  static void Pull(void* Mixer, Uint8* Stream, int Bytes) {
    static_cast<TCadenzaMixer*>(Mixer)->Render(
        std::span<float>(reinterpret_cast<float*>(Stream), size_t(Bytes) / sizeof(float)));
  }

 private:
  SDL_AudioDeviceID Device_;
};

// Pulls one block per block-length of wall time. A thread that fell behind (a loaded machine)
// catches up at once, so the captured mix keeps in step with the game; after a stall longer than
// MaxLag (a suspended process) it restarts the schedule instead of mixing a burst.
class NullSink final : public TCadenzaSink {
 public:
  NullSink(TCadenzaMixer& Mixer, const std::string& CapturePath) : Mixer_(Mixer) {
    if (!CapturePath.empty()) Capture_.emplace(CapturePath, CadenzaOutputRate);
    Thread_ = std::thread([this] { Run(); });
  }
  ~NullSink() override {
    {
      std::lock_guard lock(Lock_);
      Stopping_ = true;
    }
    Wake_.notify_all();
    Thread_.join();
  }

 private:
  using Clock = std::chrono::steady_clock;
  static constexpr auto MaxLag = std::chrono::seconds(1);

  void Run() {
    std::vector<float> block(BlockFrames * 2);
    const auto blockTime = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(double(BlockFrames) / CadenzaOutputRate));
    auto due = Clock::now();
    for (;;) {
      {
        std::unique_lock lock(Lock_);
        if (Wake_.wait_until(lock, due, [this] { return Stopping_; })) return;
      }
      Mixer_.Render(block);
      if (Capture_) Capture_->Append(block);
      due += blockTime;
      if (Clock::now() - due > MaxLag) due = Clock::now();
    }
  }

  TCadenzaMixer& Mixer_;
  std::optional<TCadenzaCapture> Capture_;
  std::mutex Lock_;
  std::condition_variable Wake_;
  bool Stopping_ = false;
  std::thread Thread_;
};

}  // namespace

std::unique_ptr<TCadenzaSink> OpenCadenzaSdlSink(TCadenzaMixer& Mixer) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
  SDL_AudioSpec want{};
  want.freq = CadenzaOutputRate;
  want.format = AUDIO_F32SYS;
  want.channels = 2;
  want.samples = BlockFrames;
  want.callback = &SdlSink::Pull;
  want.userdata = &Mixer;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to whatever the device wants, the mixer keeps one format.
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  return std::make_unique<SdlSink>(device);
}

std::unique_ptr<TCadenzaSink> OpenCadenzaNullSink(TCadenzaMixer& Mixer, const std::string& CapturePath) {
  return std::make_unique<NullSink>(Mixer, CapturePath);
}
