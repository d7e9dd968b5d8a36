#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "canvas.h"
#include "font.h"

namespace kb::assetgen {

// The lines of a text, split at '\n'.
std::vector<std::u32string> SplitLines(std::u32string_view text);

// How a headline, menu entry or button label is dressed.
struct TextStyle {
  FontStyle font = FontStyle::kSansBold;
  Rgba fillTop{1, 1, 1, 1};  // fill gradient over the line's cap height
  Rgba fillBottom{1, 1, 1, 1};
  Rgba outline{0.03f, 0.03f, 0.03f, 1};
  float outlineWidth = 0.0f;  // pixels; 0 for none
  Rgba halo{1, 1, 1, 1};      // a second, outer outline (for highlights)
  float haloWidth = 0.0f;
  Rgba shadow{0.03f, 0.03f, 0.03f, 1};
  int shadowOffset = 0;  // pixels right and down; 0 for none
  float shine = 0.0f;    // strength of a light band across the upper half
};

// Paints text (lines split at '\n') centred in the box, at the largest size
// whose line height (capital with umlaut down to descender) stays within
// lineFill of the box's height share per line and whose width fits.
// Returns the area the lines cover, outline included.
Box PaintTextFitted(Canvas& canvas, std::u32string_view text, Box box, float lineFill,
                    const TextStyle& style, int maxPixelSize = 400);

// The size PaintTextFitted would choose for text in box.
int FittedTextSize(std::u32string_view text, Box box, float lineFill, const TextStyle& style,
                   int maxPixelSize = 400);

// Rows above the baseline of the tallest capital (umlaut dots included) and
// below it of the deepest descender, at a pixel size.
void LineMetrics(FontStyle font, int pixelSize, int* ascent, int* descent);

// Paints a single line as large as its own ink (not the font's line
// height) fits the box, centred on the ink: for lone capitals and digits.
void PaintInkFitted(Canvas& canvas, std::u32string_view text, Box box, const TextStyle& style);

// Paints one line at a given pixel size with its baseline at (x, baseline),
// horizontally centred on x when centred is set, else starting at x.
// Returns the ink width.
int PaintTextLine(Canvas& canvas, std::u32string_view text, int x, int baseline, bool centred,
                  int pixelSize, const TextStyle& style);

}  // namespace kb::assetgen
