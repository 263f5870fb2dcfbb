// The calls the game makes on the music and sound library. The bridge that loads the real
// library implements it; tests record the calls with their own implementation.
#pragma once

#include <cstdint>
#include <string>

class TAudioLibrary {
 public:
  virtual ~TAudioLibrary() = default;

  virtual int32_t CadenzaPlayMusic(const std::string& Path) = 0;
  virtual int32_t CadenzaFadeInMusic(int32_t Milliseconds) = 0;
  virtual int32_t CadenzaFadeOutMusic(int32_t Milliseconds) = 0;
  virtual int32_t CadenzaStopMusic() = 0;
  virtual int32_t CadenzaSetMusicVolume(int32_t Volume) = 0;
  virtual int32_t CadenzaSetMusicSpeed(int32_t Tempo) = 0;
  virtual int32_t CadenzaSetMusicPanpot(int32_t Balance) = 0;
  virtual int32_t CadenzaGetMusicPlaying() = 0;
  virtual int32_t CadenzaGetMusicLooping() = 0;
  virtual int32_t CadenzaGetMidiTick() = 0;
  virtual int32_t CadenzaPlaySoundEx(const std::string& Path, int32_t Volume, int32_t Tempo,
                                     int32_t Balance) = 0;
  virtual int32_t CadenzaStopSound() = 0;
  virtual int32_t CadenzaReserveSound(const std::string& Path) = 0;
  virtual int32_t CadenzaCancelSound(const std::string& Path) = 0;
};
