#pragma once

#include <string_view>
#include <vector>

namespace kb::assetgen {

enum class FontStyle { kSans, kSansBold, kCondensedBold, kSerifBold, kMono, kMonoBold };

// A coverage mask (0..1 per pixel) of rendered text or of one glyph.
struct TextMask {
  int width = 0;
  int height = 0;
  int left = 0;      // glyph only: pen x to the mask's left column
  int top = 0;       // glyph only: baseline to the mask's top row (upwards)
  int baseline = 0;  // text only: row of the baseline inside the mask
  std::vector<float> alpha;

  float At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0.0f;
    return alpha[static_cast<std::size_t>(y) * width + x];
  }
};

// Text rendering with FreeType and the DejaVu fonts of the system.
// False when a font file could not be opened; the generator cannot go on then.
bool FontsAvailable();

// A line of text, anti-aliased, cropped to its ink.
TextMask RenderText(std::u32string_view text, FontStyle style, int pixelSize);
// The line's ink width and height at that size, without keeping the mask.
void MeasureText(std::u32string_view text, FontStyle style, int pixelSize, int* width, int* height);
// One glyph, either anti-aliased or as hinted one-bit pixels.
TextMask RenderGlyph(char32_t ch, FontStyle style, int pixelSize, bool monochrome);

}  // namespace kb::assetgen
