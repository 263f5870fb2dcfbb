// Everything the player needs from the operating system, behind one interface: the clock, window
// events, presenting the 16-bit board, sampling keys, mouse buttons and joystick, message boxes.
// Two implementations: SDL2 for people, headless for tests and batch runs. Game code receives a
// Platform& and never sees SDL.
#pragma once

#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Keys are named by the virtual-key codes that game key maps are written in; each
// implementation translates its own key codes into these.
namespace VirtualKey {
constexpr uint8_t Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Alt = 18,
                  Escape = 27, Space = 32, Left = 37, Up = 38, Right = 39, Down = 40,
                  PrintScreen = 44, Insert = 45, Delete = 46;
constexpr uint8_t Digit(int d) { return uint8_t('0' + d); }
constexpr uint8_t Letter(char c) { return uint8_t(c >= 'a' ? c - 'a' + 'A' : c); }
constexpr uint8_t Numpad(int d) { return uint8_t(96 + d); }
constexpr uint8_t F(int n) { return uint8_t(111 + n); }
}  // namespace VirtualKey

using KeySet = std::bitset<256>;

// A view of a 16-bit 5-6-5 image; Pitch counts pixels per row.
struct BoardView {
  const uint16_t* Pixels = nullptr;
  int Width = 0, Height = 0, Pitch = 0;
};

enum class TScreenMode { smWindow, smFullScreen };

// How the board is shown: in a window of 1x (320x240) or 2x (640x480), or full screen on the
// desktop. Scaling is always by whole multiples, the rest letterboxed in black.
struct Presentation {
  TScreenMode Mode = TScreenMode::smWindow;
  bool Zoom = true;
};

// A key that went down, reported with the state of Alt at that moment, so that the display can
// act on F4, F5, F12 and Alt+Enter at frame boundaries.
struct KeyPress {
  uint8_t Key = 0;
  bool Alt = false;
};

struct WindowEvents {
  bool CloseRequested = false;
  std::vector<KeyPress> KeysPressed;
};

// A joystick or game pad in the form the input code calibrates: axes from 0 to 65535 with the
// centre at 32767, buttons numbered from bit 0 (button 1 decides, button 2 cancels).
struct JoystickState {
  uint32_t X = 32767, Y = 32767;
  uint32_t Buttons = 0;
};

// The devices as of one sample. WentDown holds every key that was pressed at any moment since
// the previous sample, so a press shorter than a frame is never lost.
struct InputSample {
  bool Active = true;
  KeySet KeysDown, KeysWentDown;
  bool MouseLeft = false, MouseRight = false;
  bool MouseLeftWentDown = false, MouseRightWentDown = false;
  std::optional<JoystickState> Joystick;
};

struct PlatformOptions {
  bool Headless = false;
  // Headless only: the clock advances by the sleeps and event pumps the game asks for instead
  // of real time, so runs are reproducible and as fast as the machine allows.
  bool FastClock = false;
  std::string Caption = "tessera";
  Presentation InitialPresentation;
};

class Platform {
 public:
  virtual ~Platform() = default;

  virtual uint64_t Millis() = 0;
  virtual void Sleep(uint32_t Ms) = 0;

  // Delivers the pending window events without waiting.
  virtual WindowEvents Pump() = 0;
  // Waits until a window event arrives or TimeoutMs pass (used while the game is inactive).
  virtual void WaitEvent(uint32_t TimeoutMs) = 0;
  // Whether the game window has the focus (always true headless).
  virtual bool Active() = 0;

  virtual void SetPresentation(const Presentation& How) = 0;
  virtual void Present(const BoardView& Board) = 0;
  virtual void SetCaption(std::string_view Caption) = 0;

  virtual InputSample SampleInput() = 0;
  // Whether a key is held now; does not disturb what the next sample reports.
  virtual bool IsKeyDown(uint8_t Key) = 0;
  // Presses or releases a key as if the user had, for replayed input.
  virtual void InjectKey(uint8_t Key, bool Down) = 0;

  virtual void ShowMessage(std::string_view Caption, std::string_view Text) = 0;

  virtual bool Headless() const = 0;
};

std::unique_ptr<Platform> MakeSdlPlatform(const PlatformOptions& Options);
std::unique_ptr<Platform> MakeHeadlessPlatform(const PlatformOptions& Options);

// A message box before any window exists (start-up failures); stderr only when headless or
// without a display.
void ShowMessageWithoutWindow(std::string_view Caption, std::string_view Text, bool Headless);

// SDL when a display is available and headless was not asked for; headless otherwise.
std::unique_ptr<Platform> MakePlatform(const PlatformOptions& Options);

// A stream of sound samples played as they are queued (movie sound). Signed 16-bit, interleaved.
class AudioStream {
 public:
  virtual ~AudioStream() = default;
  virtual void Queue(const int16_t* Samples, size_t Frames) = 0;
  // Frames queued but not yet played.
  virtual size_t QueuedFrames() = 0;
};

// Nothing when headless or when no audio device can be opened; the caller then goes on silent.
std::unique_ptr<AudioStream> OpenAudioStream(int Rate, int Channels, bool Headless);
