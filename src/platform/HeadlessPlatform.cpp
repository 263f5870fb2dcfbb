// The platform without a window or audio device: for tests, batch runs and machines without a
// display. Message boxes go to stderr. With the fast clock, time is what the game itself waits
// for, so a run gives the same frames whatever the machine's speed.
#include <chrono>
#include <iostream>
#include <thread>

#include "platform/KeyTracker.h"
#include "platform/Platform.h"

namespace {

class HeadlessPlatform final : public Platform {
 public:
  explicit HeadlessPlatform(const PlatformOptions& options)
      : Fast_(options.FastClock), Start_(std::chrono::steady_clock::now()) {}

  uint64_t Millis() override {
    if (Fast_) return VirtualMs_;
    return uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - Start_)
                        .count());
  }

  void Sleep(uint32_t ms) override {
    if (Fast_) {
      VirtualMs_ += ms;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }

  // A pump stands for the millisecond a real event check would take, so that waiting loops
  // that only pump still see time pass.
  WindowEvents Pump() override {
    if (Fast_) VirtualMs_ += 1;
    WindowEvents events;
    events.KeysPressed.swap(PendingPresses_);
    return events;
  }

  void WaitEvent(uint32_t timeoutMs) override { Sleep(timeoutMs); }
  bool Active() override { return true; }

  void SetPresentation(const Presentation&) override {}
  void Present(const BoardView&) override {}
  void SetCaption(std::string_view) override {}

  InputSample SampleInput() override { return Keys_.Take(true); }

  bool IsKeyDown(uint8_t key) override { return Keys_.IsDown(key); }

  void InjectKey(uint8_t key, bool down) override {
    if (down && !Keys_.IsDown(key)) {
      PendingPresses_.push_back({key, Keys_.IsDown(VirtualKey::Alt)});
    }
    Keys_.Key(key, down);
  }

  void ShowMessage(std::string_view caption, std::string_view text) override {
    std::cerr << caption << ": " << text << std::endl;
  }

  bool Headless() const override { return true; }

 private:
  bool Fast_;
  std::chrono::steady_clock::time_point Start_;
  uint64_t VirtualMs_ = 0;
  KeyTracker Keys_;
  std::vector<KeyPress> PendingPresses_;
};

}  // namespace

std::unique_ptr<Platform> MakeHeadlessPlatform(const PlatformOptions& options) {
  return std::make_unique<HeadlessPlatform>(options);
}
