#include "cadenza/CadenzaEngine.h"

#include "cadenza/CadenzaFile.h"
#include "cadenza/CadenzaMidi.h"

#include <cstdlib>
#include <cstring>

namespace {

std::string Environment(const char* Name) {
  const char* value = std::getenv(Name);
  return value != nullptr ? value : "";
}

bool HeadlessRequested() {
  const std::string value = Environment("TESSERA_HEADLESS");
  return !value.empty() && value != "0";
}

std::unique_ptr<TCadenzaSink> OpenSink(TCadenzaOutput Output, TCadenzaMixer& Mixer) {
  if (Output == TCadenzaOutput::Manual) return nullptr;
  if (!HeadlessRequested())
    if (auto sink = OpenCadenzaSdlSink(Mixer)) return sink;
  return OpenCadenzaNullSink(Mixer, Environment("TESSERA_AUDIO_CAPTURE"));
}

std::optional<std::vector<uint8_t>> ReadMidi(const std::string& Path) {
  auto bytes = ReadCadenzaFile(Path, TCadenzaEngine::MaxMidiBytes);
  if (!bytes || !IsPlayableMidi(*bytes)) return std::nullopt;
  return bytes;
}

}  // namespace

std::shared_ptr<const TCadenzaPcm> LoadCadenzaSound(const std::string& Path) {
  const auto bytes = ReadCadenzaFile(Path, TCadenzaEngine::MaxWaveBytes);
  if (!bytes) return nullptr;
  auto pcm = DecodeCadenzaWave(*bytes);
  if (!pcm) return nullptr;
  return std::make_shared<const TCadenzaPcm>(std::move(*pcm));
}

TCadenzaEngine::TCadenzaEngine(TCadenzaOutput Output) : Sink_(OpenSink(Output, Mixer_)) {}

TCadenzaEngine::~TCadenzaEngine() { Sink_.reset(); }

bool TCadenzaEngine::InitMidi() {
  if (Mixer_.HasSynth()) return true;
  auto synth = LoadCadenzaSynth(CadenzaOutputRate, CadenzaSoundFontCandidates());
  if (!synth) return false;
  Mixer_.InstallSynth(std::move(synth));
  return true;
}

bool TCadenzaEngine::TermMidi() {
  // The synthesiser and its sound font are freed here, after the mixer has let go of them.
  return Mixer_.TakeSynth() != nullptr;
}

bool TCadenzaEngine::InitWave() {
  WaveReady_ = true;
  return true;
}

bool TCadenzaEngine::TermWave() {
  WaveReady_ = false;
  Mixer_.StopSounds();
  Reserved_.clear();
  return true;
}

bool TCadenzaEngine::PlayMusic(const std::string& Path) {
  const auto midi = ReadMidi(Path);
  if (!midi) {
    Mixer_.StopMusic();
    return false;
  }
  return Mixer_.StartMusic(*midi);
}

bool TCadenzaEngine::StopMusic() {
  Mixer_.StopMusic();
  return true;
}

bool TCadenzaEngine::SetMusicVolume(int Volume) {
  TCadenzaLevels levels = Mixer_.MusicLevels();
  levels.Volume = Volume;
  Mixer_.SetMusicLevels(levels);
  return true;
}

bool TCadenzaEngine::SetMusicSpeed(int Tempo) {
  TCadenzaLevels levels = Mixer_.MusicLevels();
  levels.Tempo = Tempo;
  Mixer_.SetMusicLevels(levels);
  return true;
}

bool TCadenzaEngine::SetMusicPanpot(int Balance) {
  TCadenzaLevels levels = Mixer_.MusicLevels();
  levels.Balance = Balance;
  Mixer_.SetMusicLevels(levels);
  return true;
}

bool TCadenzaEngine::IsValidMidi(const std::string& Path) { return ReadMidi(Path).has_value(); }

bool TCadenzaEngine::PlaySound(const std::string& Path, const TCadenzaLevels& Levels) {
  if (!WaveReady_) return false;
  const auto reserved = Reserved_.find(Path);
  auto pcm = reserved != Reserved_.end() ? reserved->second : LoadCadenzaSound(Path);
  if (!pcm) return false;
  Mixer_.PlaySound(std::move(pcm), Levels);
  return true;
}

bool TCadenzaEngine::StopSound() {
  Mixer_.StopSounds();
  return true;
}

bool TCadenzaEngine::ReserveSound(const std::string& Path) {
  if (Reserved_.count(Path) != 0) return true;
  auto pcm = LoadCadenzaSound(Path);
  if (!pcm) return false;
  Reserved_.emplace(Path, std::move(pcm));
  return true;
}

bool TCadenzaEngine::CancelSound(const std::string& Path) { return Reserved_.erase(Path) != 0; }

bool TCadenzaEngine::IsValidWave(const std::string& Path) { return LoadCadenzaSound(Path) != nullptr; }
