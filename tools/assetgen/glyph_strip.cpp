#include "glyph_strip.h"

#include <algorithm>

#include "font.h"

namespace kb::assetgen {
namespace {

constexpr std::u32string_view kCharacters =
    U"ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜabcdefghijklmnopqrstuvwxyzäöüß0123456789+-*:!?(),;.@|=_";
static_assert(kCharacters.size() == kGlyphCount);

constexpr int kPixelSize = 13;
constexpr int kBaseline = 12;  // row of the first pixel below the baseline

}  // namespace

std::u32string_view GlyphCharacters() {
  return kCharacters;
}

Image PaintGlyphStrip() {
  Image strip(kGlyphWidth * kGlyphCount, kGlyphHeight);
  for (int g = 0; g < kGlyphCount; ++g) {
    const TextMask glyph = RenderGlyph(kCharacters[g], FontStyle::kMonoBold, kPixelSize, true);
    const int originX = g * kGlyphWidth + (kGlyphWidth - glyph.width) / 2;
    const int originY = kBaseline - glyph.top;
    for (int y = 0; y < glyph.height; ++y) {
      for (int x = 0; x < glyph.width; ++x) {
        if (glyph.At(x, y) < 0.5f) continue;
        const int px = originX + x;
        const int py = originY + y;
        if (px < g * kGlyphWidth || px >= (g + 1) * kGlyphWidth || py < 0 || py >= kGlyphHeight) {
          continue;
        }
        strip.At(px, py) = 0xFFFFFFFFu;
      }
    }
  }
  return strip;
}

}  // namespace kb::assetgen
