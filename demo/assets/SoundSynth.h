// A tiny synthesiser for the sound effects: voices with a waveform, a pitch glide and an
// attack-decay envelope, mixed into 16-bit mono PCM at 22050 Hz and written as WAV files.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int SampleRate = 22050;

enum class EWave { Sine, Square, Triangle, Saw, Noise };

struct TVoice {
  EWave Wave = EWave::Square;
  double Start = 0;         // seconds from the start of the sound
  double Length = 0.1;      // seconds
  double FromHz = 440, ToHz = 440;  // the pitch glides exponentially between the two
  double Volume = 0.5;      // 0..1
  double Attack = 0.005;    // seconds to full volume
  double Release = 0.05;    // seconds of fade at the end
  double Vibrato = 0;       // depth in semitones, at 8 Hz
  int Seed = 1;             // noise voices
};

// Mixes the voices into samples in -1..1 (clipped softly).
std::vector<double> Render(const std::vector<TVoice>& Voices);

// A RIFF "WAVE" file of 16-bit mono PCM at SampleRate.
std::vector<uint8_t> EncodeWave(const std::vector<double>& Samples);
