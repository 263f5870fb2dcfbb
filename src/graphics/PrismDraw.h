// The display component: owns the 320x240 screen board every scene draws on, presents it in a
// window or full screen, paces the game at a fixed frame rate with frame skipping when behind,
// drives the game loop, handles the display keys (F4, Alt+Enter, F5, F12) at frame boundaries
// and turns an escaped error into a message box and a non-zero exit.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/Platform.h"

class TPrismBoard;

// Control flow, not errors: the application is closing (silent), or the game returns to its
// title (F12 and the script's return-to-title).
class EPrismDrawAbort : public std::exception {
 public:
  const char* what() const noexcept override { return "Abort"; }
};
class EPrismDrawReset : public std::exception {
 public:
  const char* what() const noexcept override { return "Reset"; }
};

class TPrismDraw {
 public:
  // The game's screen: every board, scene and full-screen picture has this size.
  static constexpr int32_t ScreenWidth = 320, ScreenHeight = 240;

  explicit TPrismDraw(Platform& platform);
  ~TPrismDraw();

  // Properties set by the main window before Initialize.
  int FrameRate() const { return FrameRate_; }
  void SetFrameRate(int value);
  int MaxLag() const { return MaxLag_; }
  void SetMaxLag(int value);
  TScreenMode ScreenMode() const { return ScreenMode_; }
  void SetScreenMode(TScreenMode value);
  void ToggleScreenMode();
  bool ScreenZoom() const { return ScreenZoom_; }
  void SetScreenZoom(bool value);
  bool UseMovie = true;
  std::function<void()> OnMain;

  TPrismBoard& Board() { return *Board_; }
  Platform& Device() { return Platform_; }

  void Initialize();
  uint64_t Elapsed();
  int FrameLag();
  void ResetTiming();
  void WaitFrame();
  void Present();
  void ProcessMessages();
  [[noreturn]] void Reset();

  // Runs the game loop until the application closes. Returns the process exit code: 0 for a
  // normal end, 1 when an error escaped (after its message was shown). Title is the caption of
  // that message box.
  int Run(const std::string& title);

  // Frames are numbered from 1 in the order the display runs them, counting the frames inside
  // fades, transitions and waits too. OnFrameBegin runs before a frame's game work (replayed
  // input goes in here), OnFrameEnd after its drawing (screenshots, the frame limit).
  uint64_t FrameNumber() const { return FrameNumber_; }
  std::function<void(uint64_t frame)> OnFrameBegin, OnFrameEnd;
  // The Print Screen key, handled at a frame boundary like the other display keys.
  std::function<void()> OnScreenshotKey;

  // Ends the loop after the current frame, as closing the window does; for the frame limit.
  void RequestClose() { CloseRequested_ = true; }

 private:
  void HandleKey(const KeyPress& key);
  void ApplyPresentation();

  Platform& Platform_;
  std::unique_ptr<TPrismBoard> Board_;
  int FrameRate_ = 20;
  int MaxLag_ = 4;
  TScreenMode ScreenMode_ = TScreenMode::smFullScreen;
  bool ScreenZoom_ = false;
  uint64_t StartTime_ = 0;
  uint64_t FrameBase_ = 0;
  int FrameCount_ = 0;
  double FrameInterval_ = 50.0;
  bool InMain_ = false;
  bool CloseRequested_ = false;
  uint64_t FrameNumber_ = 1;
};
