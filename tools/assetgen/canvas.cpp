#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace kb::assetgen {
namespace {

float Clamp01(float v) {
  return std::clamp(v, 0.0f, 1.0f);
}

uint32_t ToByte(float v) {
  return static_cast<uint32_t>(std::lround(Clamp01(v) * 255.0f));
}

}  // namespace

Rgba Mix(Rgba a, Rgba b, float t) {
  return Rgba{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
              a.a + (b.a - a.a) * t};
}

Rgba Scale(Rgba c, float factor) {
  return Rgba{Clamp01(c.r * factor), Clamp01(c.g * factor), Clamp01(c.b * factor), c.a};
}

Rgba Lighten(Rgba c, float t) {
  return Mix(c, Rgba{1, 1, 1, c.a}, t);
}

Rgba WithAlpha(Rgba c, float a) {
  return Rgba{c.r, c.g, c.b, a};
}

Rgba FromHex(uint32_t rgb, float alpha) {
  return Rgba{static_cast<float>((rgb >> 16) & 0xFF) / 255.0f,
              static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
              static_cast<float>(rgb & 0xFF) / 255.0f, alpha};
}

Rgba HueColour(float hue, float saturation, float value) {
  hue -= std::floor(hue);
  const float h = hue * 6.0f;
  const int sector = static_cast<int>(h) % 6;
  const float f = h - std::floor(h);
  const float p = value * (1.0f - saturation);
  const float q = value * (1.0f - saturation * f);
  const float t = value * (1.0f - saturation * (1.0f - f));
  switch (sector) {
    case 0:
      return Rgba{value, t, p, 1};
    case 1:
      return Rgba{q, value, p, 1};
    case 2:
      return Rgba{p, value, t, 1};
    case 3:
      return Rgba{p, q, value, 1};
    case 4:
      return Rgba{t, p, value, 1};
    default:
      return Rgba{value, p, q, 1};
  }
}

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

void Canvas::Blend(int x, int y, Rgba c, float coverage) {
  if (!Inside(x, y)) return;
  const float sa = Clamp01(c.a * coverage);
  if (sa <= 0.0f) return;
  Rgba& d = At(x, y);
  const float da = d.a * (1.0f - sa);
  const float oa = sa + da;
  d.r = (c.r * sa + d.r * da) / oa;
  d.g = (c.g * sa + d.g * da) / oa;
  d.b = (c.b * sa + d.b * da) / oa;
  d.a = oa;
}

void Canvas::Draw(const Canvas& source, int x, int y, float opacity) {
  for (int sy = 0; sy < source.Height(); ++sy) {
    for (int sx = 0; sx < source.Width(); ++sx) Blend(x + sx, y + sy, source.At(sx, sy), opacity);
  }
}

uint32_t PackArgb(Rgba c) {
  return 0xFF000000u | (ToByte(c.r) << 16) | (ToByte(c.g) << 8) | ToByte(c.b);
}

Image Canvas::ToKeyedImage() const {
  Image image(width_, height_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const Rgba& p = At(x, y);
      if (p.a < 0.5f) continue;  // stays the key colour
      uint32_t argb = PackArgb(p);
      // Only exact black is keyed; visible dark pixels keep a faint grey.
      if ((argb & 0x00FFFFFFu) == 0) argb = 0xFF080808u;
      image.At(x, y) = argb;
    }
  }
  return image;
}

Image Canvas::ToOpaqueImage(Rgba backdrop) const {
  Image image(width_, height_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const Rgba& p = At(x, y);
      image.At(x, y) = PackArgb(Mix(backdrop, WithAlpha(p, 1.0f), p.a));
    }
  }
  return image;
}

}  // namespace kb::assetgen
