// `gamekit render GAME MAPID OUT.png [--frame N]`: draws a whole map into a PNG with the player's
// own tile and sprite drawing: both layers, and each event as its first page shows it, in the
// order the field scene draws them (ground, characters below, at and above the player's level,
// with the tiles marked "above" between). N is the frame counter that animated and water tiles
// are drawn at. Images that cannot be found are reported and left out; the picture is still made.
#pragma once

#include "graphics/PrismBoard.h"

#include <cstdint>
#include <string>
#include <vector>

class TGameFolder;
class TLcfDataBase;
class TLcfMap;

// The largest map side, in pixels, that is rendered; larger maps are refused, not allocated.
inline constexpr int32_t MaxRenderSide = 16384;

// Draws Map (whose chipset is looked up in Data's chipsets) onto a board of its whole size.
// Each image problem adds one line to Warnings. A map larger than MaxRenderSide pixels on a
// side raises std::runtime_error.
TPrismBoard RenderMap(const TGameFolder& Game, const TLcfDataBase& Data, const TLcfMap& Map, int32_t Frame,
                      std::vector<std::string>& Warnings);

// The command: 0 on success, 1 when the game or map cannot be read or the PNG written, 2 for a
// wrong command line. Messages go to stderr.
int RenderMapCommand(const std::vector<std::string>& Args);
