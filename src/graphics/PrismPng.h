// The PNG subset pictures use: 8-bit palette and 8-bit truecolour, not interlaced. Reading
// follows the image data over any number of "IDAT" chunks split anywhere; chunk checksums are
// not checked. Writing makes complete files with real checksums, for screenshots and tools.
#pragma once

#include "graphics/PrismImage.h"

#include <cstdint>
#include <span>
#include <vector>

class TPrismBoard;

// Raises EInvalidGraphic with "Invalid PNG Image" (malformed) or "Unsupported PNG Image"
// (a colour type, depth or interlacing outside the subset). A file without "IHDR" decodes to
// an empty bitmap.
TPrismBitmap DecodePng(std::span<const uint8_t> Data);

// 8-bit images become palette PNGs (the palette up to the highest index used), 24-bit ones
// truecolour PNGs.
std::vector<uint8_t> EncodePng(const TPrismBitmap& Bitmap);

// A board as a picture: a palette PNG when it shows at most 256 colours, else truecolour.
// 5-6-5 channels are widened to 8 bits by repeating their top bits.
TPrismBitmap BoardToBitmap(const TPrismBoard& Board);
std::vector<uint8_t> EncodeBoardPng(const TPrismBoard& Board);
