// A small 5x7 capital font for the words painted into pictures (the title, "GAME OVER").
#pragma once

#include "Canvas.h"

#include <string_view>

// Width in pixels of Text drawn at Scale (letters 5 wide, 1 apart; a space is 3 wide).
int TextWidth(std::string_view Text, int Scale);

// Calls Plot(x, y) for every pixel of Text at Scale, its top-left at (X, Y).
void ForEachTextPixel(std::string_view Text, int X, int Y, int Scale,
                      const std::function<void(int, int)>& Plot);
