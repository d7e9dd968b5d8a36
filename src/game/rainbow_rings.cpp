#include "game/rainbow_rings.h"

namespace kb {
namespace {

void PutPixel(PixelTarget target, int32_t x, int32_t y, uint32_t colour) {
  if (x < 0 || y < 0 || x >= target.width || y >= target.height) return;
  target.pixels[static_cast<size_t>(y) * target.width + x] = colour;
}

}  // namespace

void DrawRing(PixelTarget target, int32_t centreX, int32_t centreY, int32_t radius, int32_t width) {
  const RadiusRange radii = RingRadii(radius, width);
  for (int32_t r = radii.first; r <= radii.last; ++r)
    DrawRainbowCircle(target, centreX, centreY, r);
}

void DrawRainbowCircle(PixelTarget target, int32_t cx, int32_t cy, int32_t radius) {
  ForEachRainbowPlus(radius, [&](int32_t x, int32_t y, uint32_t colour) {
    PutPixel(target, cx + x, cy + y, colour);
    PutPixel(target, cx + x - 1, cy + y, colour);
    PutPixel(target, cx + x + 1, cy + y, colour);
    PutPixel(target, cx + x, cy + y - 1, colour);
    PutPixel(target, cx + x, cy + y + 1, colour);
  });
}

}  // namespace kb
