// The player's side of the music and sound library: loads libcadenza.so at run time, resolves
// its 25 functions by name and offers them as member functions. A library that lacks any one of
// them does not count as loaded. Until a library is loaded every call does nothing and answers 0.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "devices/AudioLibrary.h"

class TCadenzaBridge : public TAudioLibrary {
 public:
  static constexpr const char* LibraryName = "libcadenza.so";

  TCadenzaBridge();
  ~TCadenzaBridge() override;  // unloads the library
  TCadenzaBridge(const TCadenzaBridge&) = delete;
  TCadenzaBridge& operator=(const TCadenzaBridge&) = delete;

  // Does nothing when a library is loaded. Otherwise tries the plain name (the dynamic loader's
  // search path, which includes the player's own folder), the player's own folder by name, then
  // PackageFolder/libcadenza.so when PackageFolder is not empty. Returns Loaded().
  bool Load(const std::string& PackageFolder);
  bool Loaded() const;
  // Why each place of the last attempt failed, for diagnostics; empty after a success.
  const std::string& LastError() const { return LastError_; }

  int32_t CadenzaGetVersion();
  int32_t CadenzaCreate();
  int32_t CadenzaRelease();
  int32_t CadenzaInitMidi();
  int32_t CadenzaTermMidi();
  int32_t CadenzaInitWave();
  int32_t CadenzaTermWave();

  int32_t CadenzaPlayMusic(const std::string& Path) override;
  int32_t CadenzaFadeInMusic(int32_t Milliseconds) override;
  int32_t CadenzaFadeOutMusic(int32_t Milliseconds) override;
  int32_t CadenzaStopMusic() override;
  int32_t CadenzaSetMusicVolume(int32_t Volume) override;
  int32_t CadenzaSetMusicSpeed(int32_t Tempo) override;
  int32_t CadenzaSetMusicPanpot(int32_t Balance) override;
  int32_t CadenzaGetMusicPlaying() override;
  int32_t CadenzaGetMusicLooping() override;
  int32_t CadenzaGetMidiTick() override;
  int32_t CadenzaCheckValidMidi(const std::string& Path);

  int32_t CadenzaPlaySound(const std::string& Path);
  int32_t CadenzaPlaySoundEx(const std::string& Path, int32_t Volume, int32_t Tempo, int32_t Balance) override;
  int32_t CadenzaStopSound() override;
  int32_t CadenzaReserveSound(const std::string& Path) override;
  int32_t CadenzaCancelSound(const std::string& Path) override;
  int32_t CadenzaCacheSound(const std::string& Path);
  int32_t CadenzaCheckValidWave(const std::string& Path);

  struct Functions;

 private:
  bool TryLoad(const std::string& File);
  static std::string ProgramFolder();
  void NoteFailure(const std::string& Reason);

  struct HandleCloser {
    void operator()(void* Handle) const;
  };
  std::unique_ptr<void, HandleCloser> Handle_;
  std::unique_ptr<Functions> Functions_;
  std::string LastError_;
};
