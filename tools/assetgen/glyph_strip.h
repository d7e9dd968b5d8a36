#pragma once

#include <string_view>

#include "gfx/image.h"

namespace kb::assetgen {

constexpr int kGlyphWidth = 8;
constexpr int kGlyphHeight = 16;
constexpr int kGlyphCount = 84;

// The characters of glyphs 1 to 84, in strip order.
std::u32string_view GlyphCharacters();

// The text font: 84 glyphs of 8 x 16 side by side, white on the key black.
Image PaintGlyphStrip();

}  // namespace kb::assetgen
