// A stand-in for libcadenza.so that records the last call it received, for the bridge tests.
// Built several times: with a distinct version number per copy, and with one function hidden
// by a version script to make an incomplete library. Plain C strings only: C++ library
// templates would bring process-unique symbols that keep the library from ever unloading, and
// a library that stays loaded answers every later load by its plain name.
#include <cstdint>
#include <cstdio>

#define FAKE_API extern "C" __attribute__((visibility("default")))

namespace {

char LastCall[512];

int32_t Record(const char* Name, const char* Arguments = "") {
  std::snprintf(LastCall, sizeof LastCall, "%s(%s)", Name, Arguments);
  return 7;
}

struct Number {
  explicit Number(int32_t Value) { std::snprintf(Text, sizeof Text, "%d", int(Value)); }
  operator const char*() const { return Text; }
  char Text[16];
};

}  // namespace

FAKE_API const char* FakeCadenzaLastCall() { return LastCall; }

FAKE_API int32_t CadenzaGetVersion() { return FAKE_VERSION; }
FAKE_API int32_t CadenzaCreate() { return Record("CadenzaCreate"); }
FAKE_API int32_t CadenzaRelease() { return Record("CadenzaRelease"); }
FAKE_API int32_t CadenzaInitMidi() { return Record("CadenzaInitMidi"); }
FAKE_API int32_t CadenzaTermMidi() { return Record("CadenzaTermMidi"); }
FAKE_API int32_t CadenzaInitWave() { return Record("CadenzaInitWave"); }
FAKE_API int32_t CadenzaTermWave() { return Record("CadenzaTermWave"); }
FAKE_API int32_t CadenzaPlayMusic(const char* Path) { return Record("CadenzaPlayMusic", Path); }
FAKE_API int32_t CadenzaFadeInMusic(int32_t Ms) { return Record("CadenzaFadeInMusic", Number(Ms)); }
FAKE_API int32_t CadenzaFadeOutMusic(int32_t Ms) { return Record("CadenzaFadeOutMusic", Number(Ms)); }
FAKE_API int32_t CadenzaStopMusic() { return Record("CadenzaStopMusic"); }
FAKE_API int32_t CadenzaSetMusicVolume(int32_t V) { return Record("CadenzaSetMusicVolume", Number(V)); }
FAKE_API int32_t CadenzaSetMusicSpeed(int32_t T) { return Record("CadenzaSetMusicSpeed", Number(T)); }
FAKE_API int32_t CadenzaSetMusicPanpot(int32_t B) { return Record("CadenzaSetMusicPanpot", Number(B)); }
FAKE_API int32_t CadenzaGetMusicPlaying() { return Record("CadenzaGetMusicPlaying"); }
FAKE_API int32_t CadenzaGetMusicLooping() { return Record("CadenzaGetMusicLooping"); }
FAKE_API int32_t CadenzaGetMidiTick() { return Record("CadenzaGetMidiTick"); }
FAKE_API int32_t CadenzaCheckValidMidi(const char* Path) { return Record("CadenzaCheckValidMidi", Path); }
FAKE_API int32_t CadenzaPlaySound(const char* Path) { return Record("CadenzaPlaySound", Path); }
FAKE_API int32_t CadenzaPlaySoundEx(const char* Path, int32_t V, int32_t T, int32_t B) {
  char arguments[400];
  std::snprintf(arguments, sizeof arguments, "%s,%d,%d,%d", Path, int(V), int(T), int(B));
  return Record("CadenzaPlaySoundEx", arguments);
}
FAKE_API int32_t CadenzaStopSound() { return Record("CadenzaStopSound"); }
FAKE_API int32_t CadenzaReserveSound(const char* Path) { return Record("CadenzaReserveSound", Path); }
FAKE_API int32_t CadenzaCancelSound(const char* Path) { return Record("CadenzaCancelSound", Path); }
FAKE_API int32_t CadenzaCacheSound(const char* Path) { return Record("CadenzaCacheSound", Path); }
FAKE_API int32_t CadenzaCheckValidWave(const char* Path) { return Record("CadenzaCheckValidWave", Path); }
