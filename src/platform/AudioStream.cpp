// The movie sound's way to the speakers: an SDL audio device fed by its own queue, so that the
// movie code pushes samples as it decodes them and nothing runs on the audio thread but SDL.
#include <SDL.h>

#include "platform/Platform.h"

namespace {

// A little over 20 ms per device period at 44100 Hz: short enough for the picture to stay in
// step, long enough not to crackle on a busy machine.
constexpr Uint16 DeviceSamples = 1024;

class SdlAudioStream final : public AudioStream {
 public:
  SdlAudioStream(SDL_AudioDeviceID Device, int Channels) : Device_(Device), Channels_(Channels) {}

  ~SdlAudioStream() override {
    SDL_CloseAudioDevice(Device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  SdlAudioStream(const SdlAudioStream&) = delete;
  SdlAudioStream& operator=(const SdlAudioStream&) = delete;

  void Queue(const int16_t* Samples, size_t Frames) override {
    if (Frames == 0) return;
    // A failed queue (device lost) leaves the movie silent; the picture goes on.
    SDL_QueueAudio(Device_, Samples, Uint32(Frames * FrameBytes()));
  }

  size_t QueuedFrames() override { return SDL_GetQueuedAudioSize(Device_) / FrameBytes(); }

 private:
  size_t FrameBytes() const { return size_t(Channels_) * sizeof(int16_t); }

  SDL_AudioDeviceID Device_;
  int Channels_;
};

}  // namespace

std::unique_ptr<AudioStream> OpenAudioStream(int Rate, int Channels, bool Headless) {
  if (Headless || Rate <= 0 || Channels <= 0 || Channels > 8) return nullptr;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
  SDL_AudioSpec want{};
  want.freq = Rate;
  want.format = AUDIO_S16SYS;
  want.channels = Uint8(Channels);
  want.samples = DeviceSamples;
  // No changes allowed: SDL converts to whatever the device really runs at.
  SDL_AudioSpec have{};
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  SDL_PauseAudioDevice(device, 0);
  return std::make_unique<SdlAudioStream>(device, Channels);
}
