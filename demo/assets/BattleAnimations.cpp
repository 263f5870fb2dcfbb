// The battle animation sheets: 96x96 cells, five to a row, drawn as a frame sequence.
#include "Assets.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int Cell = 96;

TPoint CellOrigin(int Index) { return {(Index % 5) * Cell, (Index / 5) * Cell}; }

// A sword stroke: a crescent from upper right to lower left whose sweep grows with Progress
// and whose glow fades with Fade.
void SlashCell(TCanvas& C, int Index, double Progress, double Fade) {
  const TPoint O = CellOrigin(Index);
  const double Sweep = std::numbers::pi * 0.9 * Progress;
  for (int y = 0; y < Cell; ++y)
    for (int x = 0; x < Cell; ++x) {
      const double DX = x - 60.0, DY = y - 36.0;
      const double R = std::hypot(DX, DY), Angle = std::atan2(DY, DX);
      // The arc runs from angle -0.3 (upper right) clockwise toward the lower left.
      const double Along = Angle - (-0.3);
      if (Along < 0 || Along > Sweep) continue;
      const double Thickness = 7.0 * std::sin(std::numbers::pi * Along / std::max(Sweep, 0.01)) * (1.0 - Fade * 0.6);
      const double Off = std::abs(R - 40.0);
      if (Off > Thickness) continue;
      const double Core = 1.0 - Off / std::max(Thickness, 0.01);
      const double Shade = 7.0 * Core * (1.0 - Fade * 0.5);
      if (Shade < 2) continue;
      C.Put(O.X + x, O.Y + y, Shade > 6 ? White : DitherTone(ERamp::Ice, x, y, Shade));
    }
  // Sparks thrown off the stroke.
  for (int Spark = 0; Spark < int(Progress * 8); ++Spark) {
    const double A = -0.3 + Spark * 0.35, Distance = 40 + (Noise(Spark, Index, 801) % 20) * Fade;
    const int X = O.X + 60 + int(std::cos(A) * Distance), Y = O.Y + 36 + int(std::sin(A) * Distance);
    C.Put(X, Y, White);
    C.Put(X + 1, Y, Tone(ERamp::Ice, 6));
    C.Put(X, Y + 1, Tone(ERamp::Ice, 5));
  }
}

// A ball of fire that swells, bursts into tongues of flame and leaves embers.
void FireCell(TCanvas& C, int Index, int Step) {
  const TPoint O = CellOrigin(Index);
  const double Radius = 10 + Step * 8;
  for (int y = 0; y < Cell; ++y)
    for (int x = 0; x < Cell; ++x) {
      const double DX = x - 48.0, DY = y - 52.0;
      const double Angle = std::atan2(DY, DX);
      const double Tongue = 1.0 + 0.35 * std::sin(Angle * 7 + Step) * (Step >= 2 ? 1 : 0.3);
      const double R = std::hypot(DX, DY * (DY < 0 ? 0.7 : 1.2)) / (Radius * Tongue);
      if (R > 1) continue;
      const double Heat = (1 - R) * (Step >= 4 ? 0.5 : 1.0);
      if (Step >= 3 && Noise(x, y, 811 + Step) < 90 * (Step - 2)) continue;
      C.Put(O.X + x, O.Y + y, Heat > 0.7 ? Tone(ERamp::Gold, 7) : DitherTone(ERamp::Lava, x, y, 2 + Heat * 7));
    }
  for (int Ember = 0; Ember < Step * 5; ++Ember) {
    const int X = O.X + 48 + (Noise(Ember, Step, 821) % 70) - 35, Y = O.Y + 52 - Step * 6 - Noise(Ember, Step, 822) % 30;
    C.Put(X, Y, Tone(ERamp::Orange, 6));
  }
}

// Rings of light rising around the target, with four-pointed stars.
void HealCell(TCanvas& C, int Index, int Step) {
  const TPoint O = CellOrigin(Index);
  for (int Ring = 0; Ring < 3; ++Ring) {
    const double Y = 80 - Step * 10 - Ring * 16, RX = 30 - Ring * 4, RY = 7;
    if (Y < 8) continue;
    for (int i = 0; i < 120; ++i) {
      const double A = i * 2 * std::numbers::pi / 120;
      const int X = O.X + 48 + int(std::cos(A) * RX), PY = O.Y + int(Y + std::sin(A) * RY);
      C.Put(X, PY, std::sin(A) > 0 ? Tone(ERamp::Emerald, 7) : Tone(ERamp::Emerald, 5));
    }
  }
  for (int Star = 0; Star < 6; ++Star) {
    const int X = O.X + 20 + Noise(Star, 0, 831) % 56, Y = O.Y + 80 - Step * 12 - Noise(Star, 1, 831) % 40;
    if (Y < O.Y + 4) continue;
    const int Arm = 1 + (Step + Star) % 3;
    C.Line(X - Arm, Y, X + Arm, Y, Tone(ERamp::Gold, 7));
    C.Line(X, Y - Arm, X, Y + Arm, Tone(ERamp::Gold, 7));
    C.Put(X, Y, White);
  }
}

}  // namespace

TCanvas DrawSlashAnimation() {
  TCanvas C(Cell * 5, Cell);
  const double Progress[5] = {0.25, 0.6, 1.0, 1.0, 1.0};
  const double Fade[5] = {0.0, 0.0, 0.0, 0.5, 0.9};
  for (int i = 0; i < 5; ++i) SlashCell(C, i, Progress[i], Fade[i]);
  return C;
}

TCanvas DrawMagicAnimation() {
  TCanvas C(Cell * 5, Cell * 2);
  for (int Step = 0; Step < 5; ++Step) FireCell(C, Step, Step);
  for (int Step = 0; Step < 5; ++Step) HealCell(C, 5 + Step, Step);
  return C;
}
