// An audio library that records the calls the game makes, one line per call.
#pragma once

#include <string>
#include <vector>

#include "devices/AudioLibrary.h"

class TRecordingAudio : public TAudioLibrary {
 public:
  int32_t CadenzaPlayMusic(const std::string& path) override { return Log("PlayMusic " + path); }
  int32_t CadenzaFadeInMusic(int32_t ms) override { return Log("FadeInMusic " + std::to_string(ms)); }
  int32_t CadenzaFadeOutMusic(int32_t ms) override { return Log("FadeOutMusic " + std::to_string(ms)); }
  int32_t CadenzaStopMusic() override { return Log("StopMusic"); }
  int32_t CadenzaSetMusicVolume(int32_t v) override { return Log("Volume " + std::to_string(v)); }
  int32_t CadenzaSetMusicSpeed(int32_t v) override { return Log("Speed " + std::to_string(v)); }
  int32_t CadenzaSetMusicPanpot(int32_t v) override { return Log("Panpot " + std::to_string(v)); }
  int32_t CadenzaGetMusicPlaying() override { return 0; }
  int32_t CadenzaGetMusicLooping() override { return 0; }
  int32_t CadenzaGetMidiTick() override { return 0; }
  int32_t CadenzaPlaySoundEx(const std::string& path, int32_t volume, int32_t tempo, int32_t balance) override {
    return Log("PlaySound " + path + " " + std::to_string(volume) + " " + std::to_string(tempo) + " " +
               std::to_string(balance));
  }
  int32_t CadenzaStopSound() override { return Log("StopSound"); }
  int32_t CadenzaReserveSound(const std::string& path) override { return Log("Reserve " + path); }
  int32_t CadenzaCancelSound(const std::string& path) override { return Log("Cancel " + path); }

  std::vector<std::string> Take() { return std::exchange(Calls, {}); }
  std::vector<std::string> Calls;

 private:
  int32_t Log(std::string call) {
    Calls.push_back(std::move(call));
    return 0;
  }
};
