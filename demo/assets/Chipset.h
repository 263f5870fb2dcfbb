// Where things lie in the chipset image: the positions of the lower and upper tiles, and the
// tile painters that ChipsetTiles.cpp provides to Chipset.cpp.
#pragma once

#include "Canvas.h"

#include <functional>
#include <vector>

inline constexpr int ChipsetWidth = 480, ChipsetHeight = 256;

// Pixel position of lower tile i (0..143) and upper tile i (0..143).
TPoint LowerTilePosition(int Index);
TPoint UpperTilePosition(int Index);

// Paints one 16x16 tile with its top-left corner at (X, Y).
using TTilePainter = std::function<void(TCanvas&, int, int)>;

// The lower and upper tiles in index order; later indices stay empty.
const std::vector<TTilePainter>& LowerTilePainters();
const std::vector<TTilePainter>& UpperTilePainters();
