// The mixer: one song from the synthesiser and any number of decoded sounds, summed into
// interleaved stereo float frames at CadenzaOutputRate. The game thread changes what plays; the
// audio thread calls Render. Both go through one lock that is never held across file reading,
// decoding or sound font loading: those are done by the caller before handing the result in.
#pragma once

#include "cadenza/CadenzaSynth.h"
#include "cadenza/CadenzaWave.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

constexpr int CadenzaOutputRate = 44100;

// Volume, tempo and balance of a sound or of the music, in the library's ranges.
struct TCadenzaLevels {
  int Volume = 100;   // 0..100 percent
  int Tempo = 100;    // 50..150 percent
  int Balance = 50;   // 0 left, 50 centre, 100 right

  TCadenzaLevels Clamped() const;
  float LeftGain() const;   // volume and balance together, for the left channel
  float RightGain() const;
};

class TCadenzaMixer {
 public:
  // More simultaneous sounds than this drop the oldest: a script firing sounds every frame
  // must not grow the mix without bound.
  static constexpr size_t MaxVoices = 32;

  TCadenzaMixer();
  ~TCadenzaMixer();
  TCadenzaMixer(const TCadenzaMixer&) = delete;
  TCadenzaMixer& operator=(const TCadenzaMixer&) = delete;

  // Fills Out with Out.size() / 2 stereo frames.
  void Render(std::span<float> Out);

  void InstallSynth(std::unique_ptr<TCadenzaSynth> Synth);
  // Hands the synthesiser back (its song stopped) so that the caller frees it outside the lock.
  std::unique_ptr<TCadenzaSynth> TakeSynth();
  bool HasSynth() const;

  // Replaces the song with the Standard MIDI File in Midi, looping for ever, at full fade level.
  // The file must have passed IsPlayableMidi: the synthesiser's looping spins for ever on a
  // song that lasts no time.
  bool StartMusic(std::span<const uint8_t> Midi);
  void StopMusic();
  bool FadeInMusic(int Milliseconds);
  bool FadeOutMusic(int Milliseconds);
  void SetMusicLevels(const TCadenzaLevels& Levels);
  TCadenzaLevels MusicLevels() const;
  bool MusicPlaying() const;
  bool MusicLooped() const;
  int MidiTick() const;

  void PlaySound(std::shared_ptr<const TCadenzaPcm> Pcm, const TCadenzaLevels& Levels);
  void StopSounds();
  size_t SoundsPlaying() const;

 private:
  struct PlayerDeleter {
    void operator()(fluid_player_t* Player) const { delete_fluid_player(Player); }
  };
  struct Voice {
    std::shared_ptr<const TCadenzaPcm> Pcm;
    double Position = 0;  // in source frames
    double Step = 1;      // source frames per output frame
    float Left = 1, Right = 1;
  };

  void StopMusicLocked();
  void ApplyTempoLocked();
  void RenderMusicLocked(std::span<float> Out);
  void TrackSongLocked();
  // Adds one sound to Out; false once it has played to its end.
  static bool MixVoice(Voice& Sound, std::span<float> Out);

  mutable std::mutex Lock_;
  std::unique_ptr<TCadenzaSynth> Synth_;
  std::unique_ptr<fluid_player_t, PlayerDeleter> Player_;
  bool MusicPlaying_ = false;
  bool MusicLooped_ = false;
  int LastTick_ = 0;  // the play position falls back when the song wraps
  // A fade runs from FadeFrom_ to FadeTo_ over FadeLength_ frames, FadeDone_ of them so far;
  // counting frames instead of adding a step keeps long fades exact.
  float FadeFrom_ = 1, FadeTo_ = 1;
  size_t FadeLength_ = 0, FadeDone_ = 0;
  bool FadeStops_ = false;  // a fade-out ends the song when it reaches silence

  float FadeGainLocked() const;
  void StartFadeLocked(float To, size_t Frames, bool Stops);
  TCadenzaLevels MusicLevels_;
  std::vector<Voice> Voices_;
  std::vector<float> SynthLeft_, SynthRight_;
};
