// The one palette every picture of the demo game shares, so that tiles, sprites, faces and
// monsters sit together on screen. Index 0 is the transparent key; a few fixed colours follow;
// from index 16 on the palette is a run of eight-shade ramps, darkest first.
#pragma once

#include "graphics/PrismTypes.h"

#include <array>
#include <cstdint>

enum class ERamp : uint8_t {
  Stone, Skin, Wood, Dirt, Grass, Leaf, Water, Sky, Red, Orange, Gold, Purple, Pink, Teal,
  Bone, Window, Slate, Crimson, DarkHair, Blonde, Moss, Brick, Ice, Night, Navy, Emerald,
  Steel, Lava, Sand, Cave,
};

inline constexpr int RampCount = 30;
inline constexpr int RampShades = 8;
inline constexpr int FirstRampIndex = 16;

// Fixed entries below the ramps.
inline constexpr uint8_t Clear = 0;      // transparent
inline constexpr uint8_t Ink = 1;        // the outline colour of sprites and tiles
inline constexpr uint8_t White = 2;
inline constexpr uint8_t Black = 3;

// Shade 0 is the darkest, 7 the lightest; out-of-range shades are clamped.
uint8_t Tone(ERamp Ramp, int Shade);

// The ramp and shade of a palette index (index below the ramps: ramp Stone, shade -1).
ERamp RampOf(uint8_t Index);
int ShadeOf(uint8_t Index);

// The 256 entries of the shared palette.
const std::array<TPrismPaletteEntry, 256>& DemoPalette();
