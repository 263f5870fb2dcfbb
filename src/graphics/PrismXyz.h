// The XYZ picture format: "XYZ1", width and height (16 bits, little-endian), then one zlib
// stream holding a 256-entry RGB palette followed by the rows of 8-bit indices.
#pragma once

#include "graphics/PrismImage.h"

#include <cstdint>
#include <span>
#include <vector>

// Raises EInvalidGraphic("Invalid XYZ Image") for a wrong magic or a header that promises far
// more pixels than the file could hold, EPrismImageError("Zlib Error") for broken deflate data.
// A stream that ends early leaves the rest zero.
TPrismBitmap DecodeXyz(std::span<const uint8_t> Data);

// Writes an 8-bit image; other depths raise EInvalidGraphic("An image format is illegal").
std::vector<uint8_t> EncodeXyz(const TPrismBitmap& Bitmap);
