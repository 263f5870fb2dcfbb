// The two tile layers of a demo map, drawn as text: each layer is a list of rows with one
// character per tile and a legend from characters to tiles. A legend entry is a tile id, or
// "water K", "terrain K" or "animated K" for the auto-tiles of the chipset, whose shape follows
// from the eight neighbouring cells the way the map editor joins them.
#pragma once

#include <nlohmann/json.hpp>

#include <array>
#include <cstdint>
#include <utility>

// The neighbours of a cell in the order N, NE, E, SE, S, SW, W, NW; true where the neighbour
// joins the cell (the same auto-tile, or outside the map).
using TNeighbours = std::array<bool, 8>;

// The auto-tile shape 0..46 that the neighbours call for.
int32_t AutoTileShape(const TNeighbours& Joined);

// {"Lower": {"Legend": {...}, "Rows": [...]}, "Upper": {...}} as the tile ids of both layers,
// row by row. Throws std::runtime_error naming the row and column of anything that does not fit.
std::pair<nlohmann::ordered_json, nlohmann::ordered_json> DrawLayers(const nlohmann::ordered_json& Layers, int32_t Width,
                                                                     int32_t Height);
