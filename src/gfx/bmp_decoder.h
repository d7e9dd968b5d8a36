#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "gfx/image.h"

namespace kb {

// Windows and OS/2 bitmaps: the 12-byte core header, the 40-byte info header
// and its longer successors up to V5; 1-, 4- and 8-bit palettes (also RLE8 and
// RLE4), 16-bit 555 or bit fields, 24-bit, 32-bit with an optional alpha mask.
// Pixels an RLE stream skips stay opaque black, the game's transparent colour.
std::optional<Image> DecodeBmp(std::span<const uint8_t> bytes, std::string* error = nullptr);

}  // namespace kb
