// The library as one object: the mixer, the output it feeds, the synthesiser's life and the
// cache of reserved sounds. Each exported function is one call on it. Calls come from one game
// thread; files are read and decoded here, outside the mixer's lock.
#pragma once

#include "cadenza/CadenzaMixer.h"
#include "cadenza/CadenzaSink.h"

#include <map>
#include <memory>
#include <string>

enum class TCadenzaOutput {
  Automatic,  // SDL audio, or the null sink when headless or no device opens
  Manual,     // no output thread: the owner calls Mixer().Render itself (tests, benchmarks)
};

class TCadenzaEngine {
 public:
  static constexpr size_t MaxMidiBytes = 4u << 20;
  static constexpr size_t MaxWaveBytes = 128u << 20;

  explicit TCadenzaEngine(TCadenzaOutput Output);
  ~TCadenzaEngine();
  TCadenzaEngine(const TCadenzaEngine&) = delete;
  TCadenzaEngine& operator=(const TCadenzaEngine&) = delete;

  bool InitMidi();
  bool TermMidi();
  // Sounds play only between InitWave and TermWave; TermWave also drops the reserved sounds.
  bool InitWave();
  bool TermWave();

  // A song that cannot be read replaces the current one with silence.
  bool PlayMusic(const std::string& Path);
  bool FadeInMusic(int Milliseconds) { return Mixer_.FadeInMusic(Milliseconds); }
  bool FadeOutMusic(int Milliseconds) { return Mixer_.FadeOutMusic(Milliseconds); }
  bool StopMusic();
  bool SetMusicVolume(int Volume);
  bool SetMusicSpeed(int Tempo);
  bool SetMusicPanpot(int Balance);
  bool MusicPlaying() const { return Mixer_.MusicPlaying(); }
  bool MusicLooping() const { return Mixer_.MusicLooped(); }
  int MidiTick() const { return Mixer_.MidiTick(); }
  static bool IsValidMidi(const std::string& Path);

  bool PlaySound(const std::string& Path, const TCadenzaLevels& Levels);
  bool StopSound();
  // Keeps the decoded sound until CancelSound. A path is reserved or not: reserving it twice
  // and cancelling once drops it, and a sound that is playing finishes regardless.
  bool ReserveSound(const std::string& Path);
  bool CancelSound(const std::string& Path);
  bool IsReserved(const std::string& Path) const { return Reserved_.count(Path) != 0; }
  static bool IsValidWave(const std::string& Path);

  TCadenzaMixer& Mixer() { return Mixer_; }

 private:
  TCadenzaMixer Mixer_;
  std::map<std::string, std::shared_ptr<const TCadenzaPcm>> Reserved_;
  bool WaveReady_ = false;
  // Declared last: the output stops pulling from the mixer before anything else goes.
  std::unique_ptr<TCadenzaSink> Sink_;
};

// The decoded sound at Path, or nothing when it is missing or not a playable WAV file.
std::shared_ptr<const TCadenzaPcm> LoadCadenzaSound(const std::string& Path);
