// Ground textures shared by the chipset, the backdrops and the title picture. Each is a
// function of the pixel position that repeats every 16 pixels, so a tile painted with it
// joins its neighbours without a seam.
#pragma once

#include "Canvas.h"

#include <functional>

using TTexture = std::function<uint8_t(int, int)>;

uint8_t GrassAt(int X, int Y);
uint8_t DarkGrassAt(int X, int Y);
uint8_t DirtAt(int X, int Y);
uint8_t SandAt(int X, int Y);
uint8_t CobbleAt(int X, int Y);
uint8_t WoodFloorAt(int X, int Y);
uint8_t CaveFloorAt(int X, int Y);
uint8_t CarpetAt(int X, int Y);
uint8_t SwampAt(int X, int Y);
uint8_t FlowerMeadowAt(int X, int Y);
uint8_t MosaicAt(int X, int Y);
uint8_t CanopyAt(int X, int Y);
uint8_t RockAt(int X, int Y);
uint8_t VoidAt(int X, int Y);
// Water of a frame of its three-frame cycle; Deep selects the darker open sea.
uint8_t WaterAt(int X, int Y, int Frame, bool Deep);

// Fills the W x H area at (X, Y) from a texture.
void PaintTexture(TCanvas& Canvas, int X, int Y, int W, int H, const TTexture& Texture);
