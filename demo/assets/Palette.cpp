#include "Palette.h"

#include <algorithm>

namespace {

struct TRgb {
  int R, G, B;
};

// Each ramp is fixed by its darkest, middle (shade 4) and lightest colour; the shades between
// are interpolated. Dark ends lean cool and light ends warm, which keeps shading lively.
struct TRampAnchors {
  TRgb Dark, Mid, Light;
};

constexpr std::array<TRampAnchors, RampCount> Anchors{{
    {{34, 36, 52}, {112, 116, 132}, {224, 228, 236}},    // Stone
    {{96, 48, 40}, {224, 156, 116}, {255, 232, 204}},    // Skin
    {{44, 24, 20}, {144, 88, 48}, {232, 184, 116}},      // Wood
    {{68, 44, 32}, {176, 128, 80}, {244, 220, 164}},     // Dirt
    {{16, 52, 36}, {76, 156, 60}, {204, 240, 124}},      // Grass
    {{8, 28, 28}, {36, 100, 60}, {140, 204, 100}},       // Leaf
    {{16, 28, 88}, {44, 104, 196}, {184, 232, 255}},     // Water
    {{60, 88, 172}, {124, 172, 236}, {236, 246, 255}},   // Sky
    {{64, 12, 28}, {200, 48, 48}, {255, 176, 140}},      // Red
    {{88, 28, 12}, {232, 124, 36}, {255, 228, 128}},     // Orange
    {{76, 44, 12}, {216, 164, 40}, {255, 250, 180}},     // Gold
    {{36, 16, 60}, {128, 72, 176}, {232, 200, 255}},     // Purple
    {{80, 20, 60}, {220, 96, 156}, {255, 216, 236}},     // Pink
    {{8, 44, 60}, {40, 148, 144}, {180, 248, 224}},      // Teal
    {{64, 56, 52}, {200, 188, 164}, {255, 252, 240}},    // Bone
    {{8, 12, 52}, {40, 68, 168}, {176, 208, 255}},       // Window
    {{36, 32, 52}, {116, 108, 132}, {216, 212, 228}},    // Slate
    {{40, 8, 28}, {148, 24, 60}, {255, 124, 148}},       // Crimson
    {{20, 14, 20}, {76, 48, 40}, {164, 124, 96}},        // DarkHair
    {{100, 64, 28}, {228, 184, 80}, {255, 250, 204}},    // Blonde
    {{28, 40, 20}, {108, 124, 48}, {212, 220, 140}},     // Moss
    {{56, 20, 20}, {168, 72, 52}, {252, 180, 132}},      // Brick
    {{20, 64, 100}, {100, 196, 228}, {236, 255, 255}},   // Ice
    {{6, 6, 22}, {36, 40, 100}, {124, 140, 204}},        // Night
    {{16, 20, 60}, {56, 84, 176}, {172, 196, 252}},      // Navy
    {{8, 40, 28}, {40, 144, 84}, {164, 236, 172}},       // Emerald
    {{36, 40, 56}, {140, 152, 172}, {250, 252, 255}},    // Steel
    {{68, 8, 12}, {236, 76, 20}, {255, 244, 164}},       // Lava
    {{120, 92, 60}, {228, 200, 140}, {255, 250, 224}},   // Sand
    {{24, 20, 24}, {88, 76, 76}, {180, 168, 156}},       // Cave
}};

int Mix(int A, int B, int Step, int Steps) { return A + (B - A) * Step / Steps; }

TPrismPaletteEntry Blend(TRgb A, TRgb B, int Step, int Steps) {
  return {uint8_t(Mix(A.R, B.R, Step, Steps)), uint8_t(Mix(A.G, B.G, Step, Steps)),
          uint8_t(Mix(A.B, B.B, Step, Steps)), 0};
}

std::array<TPrismPaletteEntry, 256> BuildPalette() {
  std::array<TPrismPaletteEntry, 256> Palette{};
  Palette[Clear] = {255, 0, 255, 0};
  Palette[Ink] = {24, 18, 30, 0};
  Palette[White] = {255, 255, 255, 0};
  Palette[Black] = {0, 0, 0, 0};
  for (int Index = 4; Index < FirstRampIndex; ++Index) Palette[Index] = Palette[Ink];
  for (int Ramp = 0; Ramp < RampCount; ++Ramp) {
    const TRampAnchors& A = Anchors[size_t(Ramp)];
    for (int Shade = 0; Shade < RampShades; ++Shade) {
      TPrismPaletteEntry& Entry = Palette[size_t(FirstRampIndex + Ramp * RampShades + Shade)];
      Entry = Shade <= 4 ? Blend(A.Dark, A.Mid, Shade, 4) : Blend(A.Mid, A.Light, Shade - 4, 3);
    }
  }
  return Palette;
}

}  // namespace

uint8_t Tone(ERamp Ramp, int Shade) {
  return uint8_t(FirstRampIndex + int(Ramp) * RampShades + std::clamp(Shade, 0, RampShades - 1));
}

ERamp RampOf(uint8_t Index) {
  if (Index < FirstRampIndex) return ERamp::Stone;
  return ERamp((Index - FirstRampIndex) / RampShades);
}

int ShadeOf(uint8_t Index) {
  if (Index < FirstRampIndex) return -1;
  return (Index - FirstRampIndex) % RampShades;
}

const std::array<TPrismPaletteEntry, 256>& DemoPalette() {
  static const std::array<TPrismPaletteEntry, 256> Palette = BuildPalette();
  return Palette;
}
