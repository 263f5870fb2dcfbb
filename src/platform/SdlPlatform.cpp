// The platform for people: one SDL window showing the board scaled by whole multiples with
// nearest-neighbour sampling and black letterbox bars, desktop full screen (no video-mode
// switch), keyboard, mouse buttons and game controllers with hot-plug.
#include <SDL.h>

#include <array>
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <utility>

#include "platform/KeyTracker.h"
#include "platform/Platform.h"
#include "platform/TextCodec.h"

namespace {

constexpr int BoardWidth = 320, BoardHeight = 240;

// SDL scancodes to the virtual-key codes of game key maps. Scancodes follow the key's place on
// the keyboard, so the letter keys of the default map sit where players expect them.
const std::array<std::pair<SDL_Scancode, uint8_t>, 40> FixedKeys = {{
    {SDL_SCANCODE_BACKSPACE, VirtualKey::Back}, {SDL_SCANCODE_TAB, VirtualKey::Tab},
    {SDL_SCANCODE_RETURN, VirtualKey::Return}, {SDL_SCANCODE_KP_ENTER, VirtualKey::Return},
    {SDL_SCANCODE_LSHIFT, VirtualKey::Shift}, {SDL_SCANCODE_RSHIFT, VirtualKey::Shift},
    {SDL_SCANCODE_LCTRL, VirtualKey::Control}, {SDL_SCANCODE_RCTRL, VirtualKey::Control},
    {SDL_SCANCODE_LALT, VirtualKey::Alt}, {SDL_SCANCODE_RALT, VirtualKey::Alt},
    {SDL_SCANCODE_ESCAPE, VirtualKey::Escape}, {SDL_SCANCODE_SPACE, VirtualKey::Space},
    {SDL_SCANCODE_LEFT, VirtualKey::Left}, {SDL_SCANCODE_UP, VirtualKey::Up},
    {SDL_SCANCODE_RIGHT, VirtualKey::Right}, {SDL_SCANCODE_DOWN, VirtualKey::Down},
    {SDL_SCANCODE_PRINTSCREEN, VirtualKey::PrintScreen}, {SDL_SCANCODE_INSERT, VirtualKey::Insert},
    {SDL_SCANCODE_DELETE, VirtualKey::Delete},
    {SDL_SCANCODE_KP_0, VirtualKey::Numpad(0)}, {SDL_SCANCODE_KP_1, VirtualKey::Numpad(1)},
    {SDL_SCANCODE_KP_2, VirtualKey::Numpad(2)}, {SDL_SCANCODE_KP_3, VirtualKey::Numpad(3)},
    {SDL_SCANCODE_KP_4, VirtualKey::Numpad(4)}, {SDL_SCANCODE_KP_5, VirtualKey::Numpad(5)},
    {SDL_SCANCODE_KP_6, VirtualKey::Numpad(6)}, {SDL_SCANCODE_KP_7, VirtualKey::Numpad(7)},
    {SDL_SCANCODE_KP_8, VirtualKey::Numpad(8)}, {SDL_SCANCODE_KP_9, VirtualKey::Numpad(9)},
    {SDL_SCANCODE_F1, VirtualKey::F(1)}, {SDL_SCANCODE_F2, VirtualKey::F(2)},
    {SDL_SCANCODE_F3, VirtualKey::F(3)}, {SDL_SCANCODE_F4, VirtualKey::F(4)},
    {SDL_SCANCODE_F5, VirtualKey::F(5)}, {SDL_SCANCODE_F6, VirtualKey::F(6)},
    {SDL_SCANCODE_F7, VirtualKey::F(7)}, {SDL_SCANCODE_F8, VirtualKey::F(8)},
    {SDL_SCANCODE_F9, VirtualKey::F(9)}, {SDL_SCANCODE_F10, VirtualKey::F(10)},
    {SDL_SCANCODE_F12, VirtualKey::F(12)},
}};

std::array<uint8_t, SDL_NUM_SCANCODES> BuildKeyTable() {
  std::array<uint8_t, SDL_NUM_SCANCODES> table{};
  for (auto [scancode, key] : FixedKeys) table[scancode] = key;
  table[SDL_SCANCODE_F11] = VirtualKey::F(11);
  for (int i = 0; i < 26; ++i) table[SDL_SCANCODE_A + i] = uint8_t('A' + i);
  for (int d = 1; d <= 9; ++d) table[SDL_SCANCODE_1 + d - 1] = VirtualKey::Digit(d);
  table[SDL_SCANCODE_0] = VirtualKey::Digit(0);
  return table;
}

// Game-controller axes run -32768..32767; the input code expects 0..65535.
uint32_t AxisToJoystick(int16_t value) { return uint32_t(int32_t(value) + 32768); }

class SdlPlatform final : public Platform {
 public:
  explicit SdlPlatform(const PlatformOptions& options) : Keys_(BuildKeyTable()) {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS) != 0) {
      throw std::runtime_error(std::string("SDL: ") + SDL_GetError());
    }
    How_ = options.InitialPresentation;
    const auto [w, h] = WindowSize();
    Window_ = SDL_CreateWindow(Cp932ToUtf8(options.Caption).c_str(), SDL_WINDOWPOS_CENTERED,
                               SDL_WINDOWPOS_CENTERED, w, h,
                               SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!Window_) throw std::runtime_error(std::string("SDL window: ") + SDL_GetError());
    SDL_SetWindowMinimumSize(Window_, BoardWidth, BoardHeight);
    Renderer_ = SDL_CreateRenderer(Window_, -1, RendererFlags());
    if (!Renderer_) Renderer_ = SDL_CreateRenderer(Window_, -1, SDL_RENDERER_SOFTWARE);
    if (!Renderer_) throw std::runtime_error(std::string("SDL renderer: ") + SDL_GetError());
    SDL_RenderSetLogicalSize(Renderer_, BoardWidth, BoardHeight);
    SDL_RenderSetIntegerScale(Renderer_, SDL_TRUE);
    Texture_ = SDL_CreateTexture(Renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                 BoardWidth, BoardHeight);
    if (!Texture_) throw std::runtime_error(std::string("SDL texture: ") + SDL_GetError());
    ApplyPresentation();
    ClearWindow();
  }

  ~SdlPlatform() override {
    for (auto* pad : Pads_) SDL_GameControllerClose(pad);
    if (Texture_) SDL_DestroyTexture(Texture_);
    if (Renderer_) SDL_DestroyRenderer(Renderer_);
    if (Window_) SDL_DestroyWindow(Window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS);
  }

  uint64_t Millis() override { return SDL_GetTicks64(); }
  void Sleep(uint32_t ms) override { SDL_Delay(ms); }

  WindowEvents Pump() override {
    WindowEvents events = std::exchange(Pending_, {});
    SDL_Event event;
    while (SDL_PollEvent(&event)) Handle(event, events);
    return events;
  }

  void WaitEvent(uint32_t timeoutMs) override {
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, int(timeoutMs))) Handle(event, Pending_);
  }

  bool Active() override { return Active_; }

  void SetPresentation(const Presentation& how) override {
    const bool changed = how.Mode != How_.Mode || how.Zoom != How_.Zoom;
    How_ = how;
    if (changed) ApplyPresentation();
  }

  void Present(const BoardView& board) override {
    if (!board.Pixels) return;
    SDL_UpdateTexture(Texture_, nullptr, board.Pixels, board.Pitch * int(sizeof(uint16_t)));
    SDL_SetRenderDrawColor(Renderer_, 0, 0, 0, 255);
    SDL_RenderClear(Renderer_);
    SDL_RenderCopy(Renderer_, Texture_, nullptr, nullptr);
    SDL_RenderPresent(Renderer_);
  }

  void SetCaption(std::string_view caption) override {
    SDL_SetWindowTitle(Window_, Cp932ToUtf8(caption).c_str());
  }

  InputSample SampleInput() override {
    InputSample sample = Tracker_.Take(Active_);
    sample.Joystick = ReadPads();
    return sample;
  }

  bool IsKeyDown(uint8_t key) override { return Tracker_.IsDown(key); }

  void InjectKey(uint8_t key, bool down) override {
    if (down && !Tracker_.IsDown(key)) {
      Pending_.KeysPressed.push_back({key, Tracker_.IsDown(VirtualKey::Alt)});
    }
    Tracker_.Key(key, down);
  }

  void ShowMessage(std::string_view caption, std::string_view text) override {
    const std::string title = Cp932ToUtf8(caption), body = Cp932ToUtf8(text);
    std::cerr << title << ": " << body << std::endl;
    if (How_.Mode == TScreenMode::smFullScreen) {
      How_.Mode = TScreenMode::smWindow;
      ApplyPresentation();
    }
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), body.c_str(), Window_);
  }

  bool Headless() const override { return false; }

 private:
  // Vertical sync only where the display runs at the game's own 60 Hz; at other rates waiting
  // for the blank would fight the frame schedule.
  Uint32 RendererFlags() const {
    Uint32 flags = SDL_RENDERER_ACCELERATED;
    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(Window_);
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 && mode.refresh_rate == 60) {
      flags |= SDL_RENDERER_PRESENTVSYNC;
    }
    return flags;
  }

  std::pair<int, int> WindowSize() const {
    return How_.Zoom ? std::pair{BoardWidth * 2, BoardHeight * 2} : std::pair{BoardWidth, BoardHeight};
  }

  void ApplyPresentation() {
    if (How_.Mode == TScreenMode::smFullScreen) {
      SDL_SetWindowFullscreen(Window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
      SDL_ShowCursor(SDL_DISABLE);
    } else {
      SDL_SetWindowFullscreen(Window_, 0);
      SDL_ShowCursor(SDL_ENABLE);
      const auto [w, h] = WindowSize();
      SDL_SetWindowSize(Window_, w, h);
      SDL_SetWindowPosition(Window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
  }

  void ClearWindow() {
    SDL_SetRenderDrawColor(Renderer_, 0, 0, 0, 255);
    SDL_RenderClear(Renderer_);
    SDL_RenderPresent(Renderer_);
  }

  void Handle(const SDL_Event& event, WindowEvents& events) {
    switch (event.type) {
      case SDL_QUIT:
        events.CloseRequested = true;
        break;
      case SDL_WINDOWEVENT:
        HandleWindow(event.window, events);
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        const uint8_t key = Keys_[event.key.keysym.scancode];
        if (key == 0) break;
        const bool down = event.type == SDL_KEYDOWN;
        if (down && !event.key.repeat) {
          events.KeysPressed.push_back({key, (event.key.keysym.mod & KMOD_ALT) != 0});
        }
        Tracker_.Key(key, down);
        break;
      }
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT || event.button.button == SDL_BUTTON_RIGHT) {
          Tracker_.Mouse(event.button.button == SDL_BUTTON_RIGHT, event.type == SDL_MOUSEBUTTONDOWN);
        }
        break;
      case SDL_CONTROLLERDEVICEADDED:
        if (SDL_GameController* pad = SDL_GameControllerOpen(event.cdevice.which)) Pads_.push_back(pad);
        break;
      case SDL_CONTROLLERDEVICEREMOVED:
        RemovePad(event.cdevice.which);
        break;
      default:
        break;
    }
  }

  void HandleWindow(const SDL_WindowEvent& window, WindowEvents& events) {
    switch (window.event) {
      case SDL_WINDOWEVENT_CLOSE:
        events.CloseRequested = true;
        break;
      case SDL_WINDOWEVENT_FOCUS_LOST:
        Active_ = false;
        Tracker_.ReleaseAll();
        break;
      case SDL_WINDOWEVENT_FOCUS_GAINED:
        Active_ = true;
        break;
      default:
        break;
    }
  }

  void RemovePad(SDL_JoystickID id) {
    for (auto it = Pads_.begin(); it != Pads_.end(); ++it) {
      if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(*it)) == id) {
        SDL_GameControllerClose(*it);
        Pads_.erase(it);
        return;
      }
    }
  }

  // The first connected pad counts: its left stick and d-pad steer, south decides, east
  // cancels, start decides too.
  std::optional<JoystickState> ReadPads() {
    if (Pads_.empty() || !Active_) return std::nullopt;
    SDL_GameController* pad = Pads_.front();
    JoystickState state;
    state.X = AxisToJoystick(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX));
    state.Y = AxisToJoystick(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY));
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT)) state.X = 0;
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) state.X = 65535;
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP)) state.Y = 0;
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN)) state.Y = 65535;
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_A)) state.Buttons |= 1u << 0;
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_B)) state.Buttons |= 1u << 1;
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_START)) state.Buttons |= 1u << 2;
    return state;
  }

  std::array<uint8_t, SDL_NUM_SCANCODES> Keys_;
  Presentation How_;
  SDL_Window* Window_ = nullptr;
  SDL_Renderer* Renderer_ = nullptr;
  SDL_Texture* Texture_ = nullptr;
  std::vector<SDL_GameController*> Pads_;
  KeyTracker Tracker_;
  WindowEvents Pending_;
  bool Active_ = true;
};

bool DisplayAvailable() {
  const char* x = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (wayland && *wayland);
}

}  // namespace

std::unique_ptr<Platform> MakeSdlPlatform(const PlatformOptions& options) {
  return std::make_unique<SdlPlatform>(options);
}

void ShowMessageWithoutWindow(std::string_view caption, std::string_view text, bool headless) {
  const std::string title = Cp932ToUtf8(caption), body = Cp932ToUtf8(text);
  std::cerr << title << ": " << body << std::endl;
  if (headless || !DisplayAvailable()) return;
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), body.c_str(), nullptr);
}

std::unique_ptr<Platform> MakePlatform(const PlatformOptions& options) {
  if (options.Headless || !DisplayAvailable()) return MakeHeadlessPlatform(options);
  try {
    return MakeSdlPlatform(options);
  } catch (const std::exception& error) {
    std::cerr << "tessera: no window (" << error.what() << "), running headless" << std::endl;
    return MakeHeadlessPlatform(options);
  }
}
