// A platform for tests whose clock moves only when the test or the game says so: sleeps and
// event waits advance it, and each event pump costs PumpCostMs (a stall can be staged by
// raising it). Presents are counted; keys and close requests are queued by the test.
#pragma once

#include <vector>

#include "platform/KeyTracker.h"
#include "platform/Platform.h"

class TFakePlatform : public Platform {
 public:
  uint64_t Millis() override { return Now; }
  void Sleep(uint32_t ms) override { Now += ms; }
  WindowEvents Pump() override {
    Now += PumpCostMs;
    ++Pumps;
    WindowEvents events;
    events.CloseRequested = CloseNow;
    events.KeysPressed.swap(Presses);
    return events;
  }
  void WaitEvent(uint32_t ms) override { Now += ms; }
  bool Active() override { return true; }
  void SetPresentation(const Presentation& how) override { Shown = how; }
  void Present(const BoardView& board) override {
    ++Presents;
    LastBoard = board;
  }
  void SetCaption(std::string_view caption) override { Caption = caption; }
  InputSample SampleInput() override { return Keys.Take(true); }
  bool IsKeyDown(uint8_t key) override { return Keys.IsDown(key); }
  void InjectKey(uint8_t key, bool down) override {
    if (down && !Keys.IsDown(key)) Presses.push_back({key, Keys.IsDown(VirtualKey::Alt)});
    Keys.Key(key, down);
  }
  void ShowMessage(std::string_view caption, std::string_view text) override {
    Messages.push_back(std::string(caption) + ": " + std::string(text));
  }
  bool Headless() const override { return true; }

  uint64_t Now = 0;
  uint32_t PumpCostMs = 0;
  int Pumps = 0, Presents = 0;
  bool CloseNow = false;
  Presentation Shown;
  BoardView LastBoard;
  std::string Caption;
  std::vector<std::string> Messages;
  std::vector<KeyPress> Presses;
  KeyTracker Keys;
};
