#include "cadenza/CadenzaMixer.h"

#include <algorithm>

namespace {

// Songs are rendered in slices this long, so that looping and fades are tracked finely.
constexpr size_t SynthSliceFrames = 256;

float PanGain(int Distance) { return std::min(1.0f, float(Distance) / 50.0f); }

size_t FramesOf(int Milliseconds) {
  return size_t(int64_t(Milliseconds) * CadenzaOutputRate / 1000);
}

}  // namespace

TCadenzaLevels TCadenzaLevels::Clamped() const {
  return {std::clamp(Volume, 0, 100), std::clamp(Tempo, 50, 150), std::clamp(Balance, 0, 100)};
}

float TCadenzaLevels::LeftGain() const { return float(Volume) / 100.0f * PanGain(100 - Balance); }
float TCadenzaLevels::RightGain() const { return float(Volume) / 100.0f * PanGain(Balance); }

TCadenzaMixer::TCadenzaMixer()
    : SynthLeft_(SynthSliceFrames), SynthRight_(SynthSliceFrames) {}

// The player refers to the synthesiser, so it must go first.
TCadenzaMixer::~TCadenzaMixer() { Player_.reset(); }

void TCadenzaMixer::InstallSynth(std::unique_ptr<TCadenzaSynth> Synth) {
  std::lock_guard lock(Lock_);
  if (Synth_) return;
  Synth_ = std::move(Synth);
}

std::unique_ptr<TCadenzaSynth> TCadenzaMixer::TakeSynth() {
  std::lock_guard lock(Lock_);
  StopMusicLocked();
  return std::move(Synth_);
}

bool TCadenzaMixer::HasSynth() const {
  std::lock_guard lock(Lock_);
  return Synth_ != nullptr;
}

bool TCadenzaMixer::StartMusic(std::span<const uint8_t> Midi) {
  std::lock_guard lock(Lock_);
  StopMusicLocked();
  if (!Synth_) return false;
  Player_.reset(new_fluid_player(Synth_->Synth.get()));
  if (!Player_ || fluid_player_add_mem(Player_.get(), Midi.data(), Midi.size()) != FLUID_OK) {
    Player_.reset();
    return false;
  }
  fluid_player_set_loop(Player_.get(), -1);
  ApplyTempoLocked();
  if (fluid_player_play(Player_.get()) != FLUID_OK) {
    Player_.reset();
    return false;
  }
  MusicPlaying_ = true;
  MusicLooped_ = false;
  LastTick_ = 0;
  FadeFrom_ = FadeTo_ = 1;
  FadeLength_ = FadeDone_ = 0;
  FadeStops_ = false;
  return true;
}

void TCadenzaMixer::StopMusic() {
  std::lock_guard lock(Lock_);
  StopMusicLocked();
}

void TCadenzaMixer::StopMusicLocked() {
  MusicPlaying_ = false;
  Player_.reset();
  // Cuts notes still sounding and resets controllers, so the next song starts clean.
  if (Synth_) fluid_synth_system_reset(Synth_->Synth.get());
}

bool TCadenzaMixer::FadeInMusic(int Milliseconds) {
  std::lock_guard lock(Lock_);
  if (!MusicPlaying_) return false;
  FadeFrom_ = 0;
  StartFadeLocked(1, FramesOf(Milliseconds), false);
  return true;
}

bool TCadenzaMixer::FadeOutMusic(int Milliseconds) {
  std::lock_guard lock(Lock_);
  if (!MusicPlaying_) return false;
  const size_t frames = FramesOf(Milliseconds);
  if (frames == 0) {
    StopMusicLocked();
    return true;
  }
  FadeFrom_ = FadeGainLocked();
  StartFadeLocked(0, frames, true);
  return true;
}

float TCadenzaMixer::FadeGainLocked() const {
  if (FadeDone_ >= FadeLength_) return FadeTo_;
  return FadeFrom_ + (FadeTo_ - FadeFrom_) * (float(FadeDone_) / float(FadeLength_));
}

void TCadenzaMixer::StartFadeLocked(float To, size_t Frames, bool Stops) {
  FadeTo_ = To;
  FadeLength_ = Frames;
  FadeDone_ = 0;
  FadeStops_ = Stops;
}

void TCadenzaMixer::SetMusicLevels(const TCadenzaLevels& Levels) {
  std::lock_guard lock(Lock_);
  MusicLevels_ = Levels.Clamped();
  ApplyTempoLocked();
}

TCadenzaLevels TCadenzaMixer::MusicLevels() const {
  std::lock_guard lock(Lock_);
  return MusicLevels_;
}

void TCadenzaMixer::ApplyTempoLocked() {
  if (Player_)
    fluid_player_set_tempo(Player_.get(), FLUID_PLAYER_TEMPO_INTERNAL, MusicLevels_.Tempo / 100.0);
}

bool TCadenzaMixer::MusicPlaying() const {
  std::lock_guard lock(Lock_);
  return MusicPlaying_;
}

bool TCadenzaMixer::MusicLooped() const {
  std::lock_guard lock(Lock_);
  return MusicPlaying_ && MusicLooped_;
}

int TCadenzaMixer::MidiTick() const {
  std::lock_guard lock(Lock_);
  return MusicPlaying_ && Player_ ? fluid_player_get_current_tick(Player_.get()) : 0;
}

void TCadenzaMixer::PlaySound(std::shared_ptr<const TCadenzaPcm> Pcm, const TCadenzaLevels& Levels) {
  if (!Pcm || Pcm->Frames() == 0) return;
  const TCadenzaLevels levels = Levels.Clamped();
  Voice voice;
  voice.Step = double(Pcm->Rate) / CadenzaOutputRate * levels.Tempo / 100.0;
  voice.Left = levels.LeftGain();
  voice.Right = levels.RightGain();
  voice.Pcm = std::move(Pcm);
  std::lock_guard lock(Lock_);
  if (Voices_.size() >= MaxVoices) Voices_.erase(Voices_.begin());
  Voices_.push_back(std::move(voice));
}

void TCadenzaMixer::StopSounds() {
  std::lock_guard lock(Lock_);
  Voices_.clear();
}

size_t TCadenzaMixer::SoundsPlaying() const {
  std::lock_guard lock(Lock_);
  return Voices_.size();
}

void TCadenzaMixer::Render(std::span<float> Out) {
  std::fill(Out.begin(), Out.end(), 0.0f);
  std::lock_guard lock(Lock_);
  if (MusicPlaying_ && Synth_ && Player_) RenderMusicLocked(Out);
  std::erase_if(Voices_, [&](Voice& voice) { return !MixVoice(voice, Out); });
  for (float& sample : Out) sample = std::clamp(sample, -1.0f, 1.0f);
}

void TCadenzaMixer::RenderMusicLocked(std::span<float> Out) {
  fluid_synth_t* synth = Synth_->Synth.get();
  const float left = MusicLevels_.LeftGain(), right = MusicLevels_.RightGain();
  const size_t frames = Out.size() / 2;
  for (size_t done = 0; done < frames && MusicPlaying_;) {
    const size_t slice = std::min(SynthSliceFrames, frames - done);
    fluid_synth_write_float(synth, int(slice), SynthLeft_.data(), 0, 1, SynthRight_.data(), 0, 1);
    float* out = &Out[done * 2];
    for (size_t i = 0; i < slice; ++i) {
      const float fade = FadeGainLocked();
      if (FadeDone_ < FadeLength_) ++FadeDone_;
      out[i * 2] += SynthLeft_[i] * left * fade;
      out[i * 2 + 1] += SynthRight_[i] * right * fade;
    }
    done += slice;
    TrackSongLocked();
  }
}

void TCadenzaMixer::TrackSongLocked() {
  if (FadeStops_ && FadeDone_ >= FadeLength_) {
    StopMusicLocked();
    return;
  }
  // A song that the synthesiser could not read ends at once.
  if (fluid_player_get_status(Player_.get()) == FLUID_PLAYER_DONE) {
    StopMusicLocked();
    return;
  }
  const int tick = fluid_player_get_current_tick(Player_.get());
  if (tick < LastTick_) MusicLooped_ = true;
  LastTick_ = tick;
}

bool TCadenzaMixer::MixVoice(Voice& Sound, std::span<float> Out) {
  const TCadenzaPcm& pcm = *Sound.Pcm;
  const float* samples = pcm.Samples.data();
  const size_t last = pcm.Frames() - 1;
  const bool stereo = pcm.Channels == 2;
  const size_t frames = Out.size() / 2;
  for (size_t i = 0; i < frames; ++i) {
    const size_t at = size_t(Sound.Position);
    if (at > last) return false;
    const size_t next = at < last ? at + 1 : last;
    const float frac = float(Sound.Position - double(at));
    const size_t a = at * pcm.Channels, b = next * pcm.Channels;
    const float l = samples[a] + (samples[b] - samples[a]) * frac;
    const float r = stereo ? samples[a + 1] + (samples[b + 1] - samples[a + 1]) * frac : l;
    Out[i * 2] += l * Sound.Left;
    Out[i * 2 + 1] += r * Sound.Right;
    Sound.Position += Sound.Step;
  }
  return size_t(Sound.Position) <= last;
}
