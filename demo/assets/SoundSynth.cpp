#include "SoundSynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double Oscillate(EWave Wave, double Phase, uint32_t& Noise) {
  const double Cycle = Phase - std::floor(Phase);
  switch (Wave) {
    case EWave::Sine: return std::sin(2 * std::numbers::pi * Cycle);
    case EWave::Square: return Cycle < 0.5 ? 0.7 : -0.7;
    case EWave::Triangle: return Cycle < 0.5 ? 4 * Cycle - 1 : 3 - 4 * Cycle;
    case EWave::Saw: return (2 * Cycle - 1) * 0.8;
    case EWave::Noise:
      Noise ^= Noise << 13, Noise ^= Noise >> 17, Noise ^= Noise << 5;
      return double(Noise & 0xFFFF) / 32768.0 - 1.0;
  }
  return 0;
}

void PutLittle(std::vector<uint8_t>& Out, uint32_t Value, int Bytes) {
  for (int i = 0; i < Bytes; ++i) Out.push_back(uint8_t(Value >> (8 * i)));
}

}  // namespace

std::vector<double> Render(const std::vector<TVoice>& Voices) {
  double End = 0;
  for (const TVoice& V : Voices) End = std::max(End, V.Start + V.Length);
  std::vector<double> Mix(size_t(std::ceil(End * SampleRate)) + 1, 0.0);
  for (const TVoice& V : Voices) {
    uint32_t Noise = uint32_t(V.Seed) * 2654435761u + 1u;
    double Phase = 0, Held = 0;
    const size_t First = size_t(V.Start * SampleRate), Count = size_t(V.Length * SampleRate);
    for (size_t i = 0; i < Count && First + i < Mix.size(); ++i) {
      const double T = double(i) / SampleRate, Progress = T / V.Length;
      double Hz = V.FromHz * std::pow(V.ToHz / V.FromHz, Progress);
      if (V.Vibrato > 0) Hz *= std::pow(2.0, V.Vibrato / 12 * std::sin(2 * std::numbers::pi * 8 * T));
      // Noise is sampled and held at the voice's pitch, so its pitch shapes its colour.
      const double Before = Phase;
      Phase += Hz / SampleRate;
      if (V.Wave != EWave::Noise) Held = Oscillate(V.Wave, Phase, Noise);
      else if (std::floor(Phase) != std::floor(Before) || i == 0) Held = Oscillate(EWave::Noise, Phase, Noise);
      const double Attack = V.Attack > 0 ? std::min(1.0, T / V.Attack) : 1.0;
      const double Release = V.Release > 0 ? std::clamp((V.Length - T) / V.Release, 0.0, 1.0) : 1.0;
      Mix[First + i] += Held * V.Volume * Attack * Release;
    }
  }
  for (double& Sample : Mix) Sample = std::tanh(Sample);
  return Mix;
}

std::vector<uint8_t> EncodeWave(const std::vector<double>& Samples) {
  const uint32_t DataBytes = uint32_t(Samples.size() * 2);
  std::vector<uint8_t> Out = {'R', 'I', 'F', 'F'};
  PutLittle(Out, 36 + DataBytes, 4);
  Out.insert(Out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutLittle(Out, 16, 4);
  PutLittle(Out, 1, 2);               // PCM
  PutLittle(Out, 1, 2);               // mono
  PutLittle(Out, SampleRate, 4);
  PutLittle(Out, SampleRate * 2, 4);  // bytes per second
  PutLittle(Out, 2, 2);               // bytes per frame
  PutLittle(Out, 16, 2);              // bits per sample
  Out.insert(Out.end(), {'d', 'a', 't', 'a'});
  PutLittle(Out, DataBytes, 4);
  for (double Sample : Samples) PutLittle(Out, uint32_t(uint16_t(int16_t(std::lround(Sample * 32000)))), 2);
  return Out;
}
