#include "text_art.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace kb::assetgen {
namespace {

// A mask grown by r pixels, as a distance-like falloff: a pixel takes the
// strongest coverage within a disc of radius r around it.
TextMask Dilate(const TextMask& mask, float radius) {
  const int r = static_cast<int>(std::ceil(radius));
  TextMask out;
  out.width = mask.width + 2 * r;
  out.height = mask.height + 2 * r;
  out.baseline = mask.baseline + r;
  out.alpha.assign(static_cast<std::size_t>(out.width) * out.height, 0.0f);
  for (int dy = -r; dy <= r; ++dy) {
    for (int dx = -r; dx <= r; ++dx) {
      const float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
      const float weight = std::clamp(radius + 0.5f - d, 0.0f, 1.0f);
      if (weight <= 0.0f) continue;
      for (int y = 0; y < mask.height; ++y) {
        float* row = &out.alpha[static_cast<std::size_t>(y + r + dy) * out.width + r + dx];
        const float* src = &mask.alpha[static_cast<std::size_t>(y) * mask.width];
        for (int x = 0; x < mask.width; ++x) row[x] = std::max(row[x], src[x] * weight);
      }
    }
  }
  return out;
}

struct Metrics {
  int ascent = 0;   // rows above the baseline of the tallest capital
  int descent = 0;  // rows below it of the deepest descender
};

Metrics MetricsAt(FontStyle font, int pixelSize) {
  const TextMask caps = RenderText(U"ÄÖÜH", font, pixelSize);
  const TextMask low = RenderText(U"gjpqy", font, pixelSize);
  return Metrics{caps.baseline, low.height - low.baseline};
}

void PaintMask(Canvas& canvas, const TextMask& mask, int left, int top, Rgba colour) {
  for (int y = 0; y < mask.height; ++y) {
    for (int x = 0; x < mask.width; ++x) {
      const float a = mask.At(x, y);
      if (a > 0.0f) canvas.Blend(left + x, top + y, colour, a);
    }
  }
}

}  // namespace

std::vector<std::u32string> SplitLines(std::u32string_view text) {
  std::vector<std::u32string> lines(1);
  for (char32_t c : text) {
    if (c == U'\n') {
      lines.emplace_back();
    } else {
      lines.back().push_back(c);
    }
  }
  return lines;
}

int PaintTextLine(Canvas& canvas, std::u32string_view text, int x, int baseline, bool centred,
                  int pixelSize, const TextStyle& style) {
  const TextMask glyphs = RenderText(text, style.font, pixelSize);
  if (glyphs.width == 0) return 0;
  const int left = centred ? x - glyphs.width / 2 : x;
  const int top = baseline - glyphs.baseline;
  const Metrics metrics = MetricsAt(style.font, pixelSize);

  const float outer = style.outlineWidth + style.haloWidth;
  if (style.haloWidth > 0.0f) {
    const TextMask halo = Dilate(glyphs, outer);
    const int r = (halo.width - glyphs.width) / 2;
    PaintMask(canvas, halo, left - r, top - r, style.halo);
  }
  if (style.shadowOffset > 0) {
    const TextMask shadow = style.outlineWidth > 0.0f ? Dilate(glyphs, style.outlineWidth) : glyphs;
    const int r = (shadow.width - glyphs.width) / 2;
    PaintMask(canvas, shadow, left - r + style.shadowOffset, top - r + style.shadowOffset,
              style.shadow);
  }
  if (style.outlineWidth > 0.0f) {
    const TextMask outline = Dilate(glyphs, style.outlineWidth);
    const int r = (outline.width - glyphs.width) / 2;
    PaintMask(canvas, outline, left - r, top - r, style.outline);
  }
  // The fill: a gradient from the capital top to the baseline, with an
  // optional light band to suggest a polished surface.
  const float capTop = static_cast<float>(baseline - metrics.ascent);
  const float span = std::max(1.0f, static_cast<float>(metrics.ascent));
  for (int y = 0; y < glyphs.height; ++y) {
    const float sy = static_cast<float>(top + y);
    const float t = std::clamp((sy - capTop) / span, 0.0f, 1.0f);
    Rgba colour = Mix(style.fillTop, style.fillBottom, t);
    if (style.shine > 0.0f && t > 0.08f && t < 0.42f) colour = Lighten(colour, style.shine);
    for (int gx = 0; gx < glyphs.width; ++gx) {
      const float a = glyphs.At(gx, y);
      if (a > 0.0f) canvas.Blend(left + gx, top + y, colour, a);
    }
  }
  return glyphs.width;
}

void PaintInkFitted(Canvas& canvas, std::u32string_view text, Box box, const TextStyle& style) {
  const float pad = style.outlineWidth + style.haloWidth + static_cast<float>(style.shadowOffset);
  auto fits = [&](int size) {
    int w = 0, h = 0;
    MeasureText(text, style.font, size, &w, &h);
    return static_cast<float>(w) + 2.0f * pad <= static_cast<float>(box.width) &&
           static_cast<float>(h) + 2.0f * pad <= static_cast<float>(box.height);
  };
  int low = 6;
  int high = 2 * box.height;
  while (low < high) {
    const int mid = (low + high + 1) / 2;
    if (fits(mid)) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  const TextMask ink = RenderText(text, style.font, low);
  // The shadow reaches further down and right; shift the ink to balance it.
  const int shift = style.shadowOffset / 2;
  const int top = box.y + (box.height - ink.height) / 2 - shift;
  PaintTextLine(canvas, text, box.x + box.width / 2 - shift, top + ink.baseline, true, low, style);
}

void LineMetrics(FontStyle font, int pixelSize, int* ascent, int* descent) {
  const Metrics m = MetricsAt(font, pixelSize);
  *ascent = m.ascent;
  *descent = m.descent;
}

int FittedTextSize(std::u32string_view text, Box box, float lineFill, const TextStyle& style,
                   int maxPixelSize) {
  const std::vector<std::u32string> lines = SplitLines(text);
  const int lineCount = static_cast<int>(lines.size());
  const float pad = style.outlineWidth + style.haloWidth + static_cast<float>(style.shadowOffset);
  const float lineBudget =
      static_cast<float>(box.height) * lineFill / static_cast<float>(lineCount);
  auto fits = [&](int size) {
    const Metrics m = MetricsAt(style.font, size);
    if (static_cast<float>(m.ascent + m.descent) + 2.0f * pad > lineBudget) return false;
    for (const std::u32string& line : lines) {
      int w = 0, h = 0;
      MeasureText(line, style.font, size, &w, &h);
      if (static_cast<float>(w) + 2.0f * pad > static_cast<float>(box.width)) return false;
    }
    return true;
  };
  // Both extents grow with the size, so the largest fitting size is found by
  // bisection.
  int low = 6;
  int high = maxPixelSize;
  while (low < high) {
    const int mid = (low + high + 1) / 2;
    if (fits(mid)) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  return low;
}

Box PaintTextFitted(Canvas& canvas, std::u32string_view text, Box box, float lineFill,
                    const TextStyle& style, int maxPixelSize) {
  const std::vector<std::u32string> lines = SplitLines(text);
  const int lineCount = static_cast<int>(lines.size());
  const float pad = style.outlineWidth + style.haloWidth + static_cast<float>(style.shadowOffset);
  const int size = FittedTextSize(text, box, lineFill, style, maxPixelSize);
  const Metrics metrics = MetricsAt(style.font, size);
  const int lineHeight = metrics.ascent + metrics.descent + static_cast<int>(std::ceil(2.0f * pad));
  const int lineGap = lineCount > 1 ? lineHeight / 6 : 0;
  const int blockHeight = lineCount * lineHeight + (lineCount - 1) * lineGap;
  int y = box.y + (box.height - blockHeight) / 2;
  Box ink{box.x + box.width / 2, y, 0, blockHeight};
  for (const std::u32string& line : lines) {
    const int baseline = y + static_cast<int>(std::ceil(pad)) + metrics.ascent;
    const int width =
        PaintTextLine(canvas, line, box.x + box.width / 2, baseline, true, size, style) +
        2 * static_cast<int>(std::ceil(pad));
    ink.width = std::max(ink.width, width);
    y += lineHeight + lineGap;
  }
  ink.x -= ink.width / 2;
  return ink;
}

}  // namespace kb::assetgen
