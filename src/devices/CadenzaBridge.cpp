#include "devices/CadenzaBridge.h"

#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <type_traits>

using NoArgs = int32_t (*)();
using IntArg = int32_t (*)(int32_t);
using PathArg = int32_t (*)(const char*);
using SoundArgs = int32_t (*)(const char*, int32_t, int32_t, int32_t);

struct TCadenzaBridge::Functions {
  NoArgs GetVersion, Create, Release, InitMidi, TermMidi, InitWave, TermWave;
  PathArg PlayMusic;
  IntArg FadeInMusic, FadeOutMusic;
  NoArgs StopMusic;
  IntArg SetMusicVolume, SetMusicSpeed, SetMusicPanpot;
  NoArgs GetMusicPlaying, GetMusicLooping, GetMidiTick;
  PathArg CheckValidMidi, PlaySound;
  SoundArgs PlaySoundEx;
  NoArgs StopSound;
  PathArg ReserveSound, CancelSound, CacheSound, CheckValidWave;
};

namespace {

using Functions = TCadenzaBridge::Functions;

// Where each exported name lands: the symbol's address is stored in its slot with the slot's
// own function type.
struct Binding {
  const char* Name;
  void (*Store)(Functions&, void* Symbol);
};

template <auto Slot>
void Store(Functions& Table, void* Symbol) {
  using Pointer = std::remove_reference_t<decltype(Table.*Slot)>;
  Table.*Slot = reinterpret_cast<Pointer>(Symbol);
}

const std::array<Binding, 25>& Bindings() {
  static const std::array<Binding, 25> table = {{
      {"CadenzaGetVersion", &Store<&Functions::GetVersion>},
      {"CadenzaCreate", &Store<&Functions::Create>},
      {"CadenzaRelease", &Store<&Functions::Release>},
      {"CadenzaInitMidi", &Store<&Functions::InitMidi>},
      {"CadenzaTermMidi", &Store<&Functions::TermMidi>},
      {"CadenzaInitWave", &Store<&Functions::InitWave>},
      {"CadenzaTermWave", &Store<&Functions::TermWave>},
      {"CadenzaPlayMusic", &Store<&Functions::PlayMusic>},
      {"CadenzaFadeInMusic", &Store<&Functions::FadeInMusic>},
      {"CadenzaFadeOutMusic", &Store<&Functions::FadeOutMusic>},
      {"CadenzaStopMusic", &Store<&Functions::StopMusic>},
      {"CadenzaSetMusicVolume", &Store<&Functions::SetMusicVolume>},
      {"CadenzaSetMusicSpeed", &Store<&Functions::SetMusicSpeed>},
      {"CadenzaSetMusicPanpot", &Store<&Functions::SetMusicPanpot>},
      {"CadenzaGetMusicPlaying", &Store<&Functions::GetMusicPlaying>},
      {"CadenzaGetMusicLooping", &Store<&Functions::GetMusicLooping>},
      {"CadenzaGetMidiTick", &Store<&Functions::GetMidiTick>},
      {"CadenzaCheckValidMidi", &Store<&Functions::CheckValidMidi>},
      {"CadenzaPlaySound", &Store<&Functions::PlaySound>},
      {"CadenzaPlaySoundEx", &Store<&Functions::PlaySoundEx>},
      {"CadenzaStopSound", &Store<&Functions::StopSound>},
      {"CadenzaReserveSound", &Store<&Functions::ReserveSound>},
      {"CadenzaCancelSound", &Store<&Functions::CancelSound>},
      {"CadenzaCacheSound", &Store<&Functions::CacheSound>},
      {"CadenzaCheckValidWave", &Store<&Functions::CheckValidWave>},
  }};
  return table;
}

std::string DlError() {
  const char* message = dlerror();
  return message != nullptr ? message : "unknown loader error";
}

}  // namespace

void TCadenzaBridge::HandleCloser::operator()(void* Handle) const { dlclose(Handle); }

TCadenzaBridge::TCadenzaBridge() = default;

// The library stops its own output when it is unloaded, so closing the handle is enough.
TCadenzaBridge::~TCadenzaBridge() {
  Functions_.reset();
  Handle_.reset();
}

// Every place tried says why it failed, so the message names the real culprit.
void TCadenzaBridge::NoteFailure(const std::string& Reason) {
  if (!LastError_.empty()) LastError_ += "; ";
  LastError_ += Reason;
}

bool TCadenzaBridge::Load(const std::string& PackageFolder) {
  if (Loaded()) return true;
  LastError_.clear();
  if (TryLoad(LibraryName)) return true;
  // The player's own folder is on its run path; it is tried by name as well, because a loader
  // that is called through a sanitizer's interceptor or a copy of the player without its run
  // path would not look there.
  if (const std::string own = ProgramFolder(); !own.empty() && TryLoad(own + "/" + LibraryName)) return true;
  if (PackageFolder.empty()) return false;
  const bool endsInDelimiter = PackageFolder.back() == '/';
  return TryLoad(PackageFolder + (endsInDelimiter ? "" : "/") + LibraryName);
}

std::string TCadenzaBridge::ProgramFolder() {
  char buffer[4096];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return {};
  const std::string path(buffer, size_t(length));
  return path.substr(0, path.rfind('/'));
}

bool TCadenzaBridge::Loaded() const { return Handle_ != nullptr; }

bool TCadenzaBridge::TryLoad(const std::string& File) {
  std::unique_ptr<void, HandleCloser> handle(dlopen(File.c_str(), RTLD_NOW | RTLD_LOCAL));
  if (!handle) {
    NoteFailure(DlError());
    return false;
  }
  auto functions = std::make_unique<Functions>();
  for (const Binding& binding : Bindings()) {
    void* symbol = dlsym(handle.get(), binding.Name);
    if (symbol == nullptr) {
      NoteFailure(File + " lacks " + binding.Name);
      return false;
    }
    binding.Store(*functions, symbol);
  }
  Handle_ = std::move(handle);
  Functions_ = std::move(functions);
  LastError_.clear();
  return true;
}

namespace {

template <typename Pointer, typename... Args>
int32_t Call(const std::unique_ptr<Functions>& Table, Pointer Functions::*Slot, Args... Arguments) {
  return Table ? ((*Table).*Slot)(Arguments...) : 0;
}

}  // namespace

int32_t TCadenzaBridge::CadenzaGetVersion() { return Call(Functions_, &Functions::GetVersion); }
int32_t TCadenzaBridge::CadenzaCreate() { return Call(Functions_, &Functions::Create); }
int32_t TCadenzaBridge::CadenzaRelease() { return Call(Functions_, &Functions::Release); }
int32_t TCadenzaBridge::CadenzaInitMidi() { return Call(Functions_, &Functions::InitMidi); }
int32_t TCadenzaBridge::CadenzaTermMidi() { return Call(Functions_, &Functions::TermMidi); }
int32_t TCadenzaBridge::CadenzaInitWave() { return Call(Functions_, &Functions::InitWave); }
int32_t TCadenzaBridge::CadenzaTermWave() { return Call(Functions_, &Functions::TermWave); }

int32_t TCadenzaBridge::CadenzaPlayMusic(const std::string& Path) {
  return Call(Functions_, &Functions::PlayMusic, Path.c_str());
}
int32_t TCadenzaBridge::CadenzaFadeInMusic(int32_t Milliseconds) {
  return Call(Functions_, &Functions::FadeInMusic, Milliseconds);
}
int32_t TCadenzaBridge::CadenzaFadeOutMusic(int32_t Milliseconds) {
  return Call(Functions_, &Functions::FadeOutMusic, Milliseconds);
}
int32_t TCadenzaBridge::CadenzaStopMusic() { return Call(Functions_, &Functions::StopMusic); }
int32_t TCadenzaBridge::CadenzaSetMusicVolume(int32_t Volume) {
  return Call(Functions_, &Functions::SetMusicVolume, Volume);
}
int32_t TCadenzaBridge::CadenzaSetMusicSpeed(int32_t Tempo) {
  return Call(Functions_, &Functions::SetMusicSpeed, Tempo);
}
int32_t TCadenzaBridge::CadenzaSetMusicPanpot(int32_t Balance) {
  return Call(Functions_, &Functions::SetMusicPanpot, Balance);
}
int32_t TCadenzaBridge::CadenzaGetMusicPlaying() { return Call(Functions_, &Functions::GetMusicPlaying); }
int32_t TCadenzaBridge::CadenzaGetMusicLooping() { return Call(Functions_, &Functions::GetMusicLooping); }
int32_t TCadenzaBridge::CadenzaGetMidiTick() { return Call(Functions_, &Functions::GetMidiTick); }
int32_t TCadenzaBridge::CadenzaCheckValidMidi(const std::string& Path) {
  return Call(Functions_, &Functions::CheckValidMidi, Path.c_str());
}

int32_t TCadenzaBridge::CadenzaPlaySound(const std::string& Path) {
  return Call(Functions_, &Functions::PlaySound, Path.c_str());
}
int32_t TCadenzaBridge::CadenzaPlaySoundEx(const std::string& Path, int32_t Volume, int32_t Tempo,
                                           int32_t Balance) {
  return Call(Functions_, &Functions::PlaySoundEx, Path.c_str(), Volume, Tempo, Balance);
}
int32_t TCadenzaBridge::CadenzaStopSound() { return Call(Functions_, &Functions::StopSound); }
int32_t TCadenzaBridge::CadenzaReserveSound(const std::string& Path) {
  return Call(Functions_, &Functions::ReserveSound, Path.c_str());
}
int32_t TCadenzaBridge::CadenzaCancelSound(const std::string& Path) {
  return Call(Functions_, &Functions::CancelSound, Path.c_str());
}
int32_t TCadenzaBridge::CadenzaCacheSound(const std::string& Path) {
  return Call(Functions_, &Functions::CacheSound, Path.c_str());
}
int32_t TCadenzaBridge::CadenzaCheckValidWave(const std::string& Path) {
  return Call(Functions_, &Functions::CheckValidWave, Path.c_str());
}
