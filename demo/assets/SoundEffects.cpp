// The system sounds and the battle and map sounds, each a handful of synthesised voices.
#include "Assets.h"
#include "SoundSynth.h"

namespace {

TBytes Wave(const std::vector<TVoice>& Voices) { return EncodeWave(Render(Voices)); }

// A voice that sounds a note for a while: the shorthand most effects are built from.
TVoice Tone(EWave Wave, double Start, double Length, double FromHz, double ToHz, double Volume,
            double Release = 0.04) {
  TVoice V;
  V.Wave = Wave, V.Start = Start, V.Length = Length, V.FromHz = FromHz, V.ToHz = ToHz;
  V.Volume = Volume, V.Release = Release;
  return V;
}

TVoice Hiss(double Start, double Length, double FromHz, double ToHz, double Volume, int Seed,
            double Release = 0.1) {
  TVoice V = Tone(EWave::Noise, Start, Length, FromHz, ToHz, Volume, Release);
  V.Seed = Seed;
  return V;
}

}  // namespace

TBytes SynthCursor() { return Wave({Tone(EWave::Square, 0, 0.045, 1760, 1760, 0.25, 0.03)}); }

TBytes SynthDecision() {
  return Wave({Tone(EWave::Square, 0, 0.06, 1318.5, 1318.5, 0.25, 0.02),
               Tone(EWave::Square, 0.06, 0.1, 1760, 1760, 0.25, 0.08)});
}

TBytes SynthCancel() {
  return Wave({Tone(EWave::Square, 0, 0.06, 880, 880, 0.22, 0.02), Tone(EWave::Square, 0.06, 0.1, 587.3, 587.3, 0.22, 0.08)});
}

TBytes SynthBuzzer() {
  return Wave({Tone(EWave::Saw, 0, 0.22, 110, 104, 0.45, 0.05), Tone(EWave::Square, 0, 0.22, 116.5, 110, 0.25, 0.05)});
}

TBytes SynthBattleStart() {
  // A rising rush of noise and a swept chord: the screen is about to shatter.
  std::vector<TVoice> V = {Hiss(0, 0.9, 800, 9000, 0.35, 3, 0.4)};
  for (double Hz : {220.0, 277.2, 329.6}) V.push_back(Tone(EWave::Saw, 0, 0.9, Hz / 2, Hz * 2, 0.16, 0.4));
  return Wave(V);
}

TBytes SynthEscape() {
  std::vector<TVoice> V;
  for (int Step = 0; Step < 4; ++Step) V.push_back(Hiss(Step * 0.09, 0.08, 3000, 1500, 0.3, 10 + Step, 0.05));
  V.push_back(Tone(EWave::Triangle, 0, 0.4, 900, 300, 0.3, 0.2));
  return Wave(V);
}

TBytes SynthEnemyAttack() {
  return Wave({Hiss(0, 0.18, 6000, 2500, 0.45, 21, 0.1), Tone(EWave::Saw, 0, 0.16, 300, 120, 0.3, 0.08)});
}

TBytes SynthEnemyDamage() {
  return Wave({Hiss(0, 0.12, 5000, 1200, 0.5, 31, 0.08), Tone(EWave::Square, 0, 0.14, 180, 70, 0.4, 0.08)});
}

TBytes SynthActorDamage() {
  return Wave({Hiss(0, 0.22, 2500, 500, 0.5, 41, 0.15), Tone(EWave::Sine, 0, 0.25, 120, 45, 0.7, 0.15)});
}

TBytes SynthEvasion() {
  return Wave({Hiss(0, 0.2, 1500, 8000, 0.25, 51, 0.12), Tone(EWave::Sine, 0, 0.18, 600, 1600, 0.2, 0.1)});
}

TBytes SynthEnemyDefeat() {
  // The enemy dissolves: a falling sweep over a long crackle.
  return Wave({Tone(EWave::Square, 0, 0.6, 880, 110, 0.3, 0.3), Hiss(0, 0.8, 4000, 300, 0.3, 61, 0.5)});
}

TBytes SynthItemUse() {
  std::vector<TVoice> V;
  const double Notes[] = {523.3, 659.3, 784.0, 1046.5};
  for (int i = 0; i < 4; ++i) V.push_back(Tone(EWave::Triangle, i * 0.06, 0.25, Notes[i], Notes[i], 0.3, 0.2));
  return Wave(V);
}

TBytes SynthDoor() {
  TVoice Creak = Tone(EWave::Saw, 0, 0.35, 140, 220, 0.3, 0.1);
  Creak.Vibrato = 1.5;
  return Wave({Creak, Hiss(0.32, 0.1, 900, 300, 0.5, 71, 0.08), Tone(EWave::Sine, 0.32, 0.15, 90, 60, 0.6, 0.1)});
}

TBytes SynthChest() {
  return Wave({Hiss(0, 0.08, 1200, 600, 0.35, 81, 0.05), Tone(EWave::Square, 0.1, 0.12, 784, 784, 0.22, 0.05),
               Tone(EWave::Square, 0.2, 0.12, 1046.5, 1046.5, 0.22, 0.05),
               Tone(EWave::Square, 0.3, 0.35, 1568, 1568, 0.22, 0.3)});
}

TBytes SynthSlash() {
  return Wave({Hiss(0, 0.22, 9000, 2000, 0.5, 91, 0.15), Tone(EWave::Saw, 0.02, 0.1, 2000, 800, 0.15, 0.06)});
}

TBytes SynthFire() {
  std::vector<TVoice> V = {Hiss(0, 0.7, 400, 1800, 0.5, 101, 0.4)};
  for (int i = 0; i < 5; ++i) V.push_back(Hiss(0.05 + i * 0.11, 0.05, 5000, 3000, 0.35, 110 + i, 0.03));
  return Wave(V);
}

TBytes SynthHeal() {
  std::vector<TVoice> V;
  const double Notes[] = {784.0, 987.8, 1174.7, 1568.0, 1975.5};
  for (int i = 0; i < 5; ++i) {
    TVoice Chime = Tone(EWave::Sine, i * 0.08, 0.5, Notes[i], Notes[i], 0.25, 0.4);
    Chime.Vibrato = 0.15;
    V.push_back(Chime);
  }
  return Wave(V);
}
