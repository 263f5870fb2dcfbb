// The exported C functions: each takes the library-wide lock and forwards to the one engine.
// The engine is created by CadenzaCreate and freed by CadenzaRelease, or at the latest when the
// library is unloaded, so that no output thread outlives the code it runs.
#include "cadenza/Cadenza.h"

#include "cadenza/CadenzaEngine.h"

#include <mutex>

namespace {

constexpr int32_t Version = 0x0100;

std::mutex ApiLock;
std::unique_ptr<TCadenzaEngine> Engine;

template <typename Action>
int32_t WithEngine(Action&& Do) {
  std::lock_guard lock(ApiLock);
  if (!Engine) return 0;
  return Do(*Engine) ? 1 : 0;
}

// A null path is treated as a missing file.
std::string PathOf(const char* Path) { return Path != nullptr ? Path : ""; }

}  // namespace

extern "C" {

int32_t CadenzaGetVersion(void) { return Version; }

int32_t CadenzaCreate(void) {
  std::lock_guard lock(ApiLock);
  if (!Engine) Engine = std::make_unique<TCadenzaEngine>(TCadenzaOutput::Automatic);
  return 1;
}

int32_t CadenzaRelease(void) {
  std::unique_ptr<TCadenzaEngine> released;
  std::lock_guard lock(ApiLock);
  released = std::move(Engine);
  return released ? 1 : 0;
}

int32_t CadenzaInitMidi(void) { return WithEngine([](TCadenzaEngine& E) { return E.InitMidi(); }); }
int32_t CadenzaTermMidi(void) { return WithEngine([](TCadenzaEngine& E) { return E.TermMidi(); }); }
int32_t CadenzaInitWave(void) { return WithEngine([](TCadenzaEngine& E) { return E.InitWave(); }); }
int32_t CadenzaTermWave(void) { return WithEngine([](TCadenzaEngine& E) { return E.TermWave(); }); }

int32_t CadenzaPlayMusic(const char* Path) {
  return WithEngine([&](TCadenzaEngine& E) { return E.PlayMusic(PathOf(Path)); });
}
int32_t CadenzaFadeInMusic(int32_t Milliseconds) {
  return WithEngine([&](TCadenzaEngine& E) { return E.FadeInMusic(Milliseconds); });
}
int32_t CadenzaFadeOutMusic(int32_t Milliseconds) {
  return WithEngine([&](TCadenzaEngine& E) { return E.FadeOutMusic(Milliseconds); });
}
int32_t CadenzaStopMusic(void) { return WithEngine([](TCadenzaEngine& E) { return E.StopMusic(); }); }
int32_t CadenzaSetMusicVolume(int32_t Volume) {
  return WithEngine([&](TCadenzaEngine& E) { return E.SetMusicVolume(Volume); });
}
int32_t CadenzaSetMusicSpeed(int32_t Tempo) {
  return WithEngine([&](TCadenzaEngine& E) { return E.SetMusicSpeed(Tempo); });
}
int32_t CadenzaSetMusicPanpot(int32_t Balance) {
  return WithEngine([&](TCadenzaEngine& E) { return E.SetMusicPanpot(Balance); });
}
int32_t CadenzaGetMusicPlaying(void) {
  return WithEngine([](TCadenzaEngine& E) { return E.MusicPlaying(); });
}
int32_t CadenzaGetMusicLooping(void) {
  return WithEngine([](TCadenzaEngine& E) { return E.MusicLooping(); });
}
int32_t CadenzaGetMidiTick(void) {
  std::lock_guard lock(ApiLock);
  return Engine ? Engine->MidiTick() : 0;
}
int32_t CadenzaCheckValidMidi(const char* Path) {
  return TCadenzaEngine::IsValidMidi(PathOf(Path)) ? 1 : 0;
}

int32_t CadenzaPlaySound(const char* Path) { return CadenzaPlaySoundEx(Path, 100, 100, 50); }
int32_t CadenzaPlaySoundEx(const char* Path, int32_t Volume, int32_t Tempo, int32_t Balance) {
  return WithEngine([&](TCadenzaEngine& E) {
    return E.PlaySound(PathOf(Path), TCadenzaLevels{Volume, Tempo, Balance});
  });
}
int32_t CadenzaStopSound(void) { return WithEngine([](TCadenzaEngine& E) { return E.StopSound(); }); }
int32_t CadenzaReserveSound(const char* Path) {
  return WithEngine([&](TCadenzaEngine& E) { return E.ReserveSound(PathOf(Path)); });
}
int32_t CadenzaCancelSound(const char* Path) {
  return WithEngine([&](TCadenzaEngine& E) { return E.CancelSound(PathOf(Path)); });
}
// Caching is reserving: both keep the decoded sound until it is cancelled.
int32_t CadenzaCacheSound(const char* Path) { return CadenzaReserveSound(Path); }
int32_t CadenzaCheckValidWave(const char* Path) {
  return TCadenzaEngine::IsValidWave(PathOf(Path)) ? 1 : 0;
}

}  // extern "C"
