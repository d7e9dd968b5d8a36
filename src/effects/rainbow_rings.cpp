#include "effects/rainbow_rings.h"

namespace kb {
namespace {

void PutPixel(PixelTarget target, int32_t x, int32_t y, uint32_t colour) {
  if (x < 0 || y < 0 || x >= target.width || y >= target.height) return;
  target.pixels[static_cast<size_t>(y) * target.width + x] = colour;
}

void PutPlus(PixelTarget target, int32_t x, int32_t y, uint32_t colour) {
  // Nearly every plus is clear of the edges; its five pixels need no clipping.
  if (x >= 1 && y >= 1 && x < target.width - 1 && y < target.height - 1) {
    uint32_t* centre = target.pixels + static_cast<size_t>(y) * target.width + x;
    centre[0] = colour;
    centre[-1] = colour;
    centre[1] = colour;
    centre[-target.width] = colour;
    centre[target.width] = colour;
    return;
  }
  // The rings of late frames are far larger than the screen; most of their
  // pluses miss it by more than a pixel.
  if (x < -1 || y < -1 || x > target.width || y > target.height) return;
  PutPixel(target, x, y, colour);
  PutPixel(target, x - 1, y, colour);
  PutPixel(target, x + 1, y, colour);
  PutPixel(target, x, y - 1, colour);
  PutPixel(target, x, y + 1, colour);
}

void DrawRainbowCircle(PixelTarget target, int32_t cx, int32_t cy,
                       const std::vector<QuarterPoint>& quarter) {
  ForEachRainbowPlus(quarter, [&](int32_t x, int32_t y, uint32_t colour) {
    PutPlus(target, cx + x, cy + y, colour);
  });
}

}  // namespace

void DrawRing(PixelTarget target, int32_t centreX, int32_t centreY, int32_t radius, int32_t width) {
  const RadiusRange radii = RingRadii(radius, width);
  std::vector<QuarterPoint> quarter;
  for (int32_t r = radii.first; r <= radii.last; ++r) {
    if (r < 0) continue;
    WalkQuarterCircle(r, quarter);
    DrawRainbowCircle(target, centreX, centreY, quarter);
  }
}

void DrawRainbowCircle(PixelTarget target, int32_t cx, int32_t cy, int32_t radius) {
  if (radius < 0) return;
  std::vector<QuarterPoint> quarter;
  WalkQuarterCircle(radius, quarter);
  DrawRainbowCircle(target, cx, cy, quarter);
}

}  // namespace kb
