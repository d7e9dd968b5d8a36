#pragma once

#include <cstdint>
#include <vector>

#include "gfx/raster.h"

namespace kb {

// The radii of a ring's circles, both inclusive; empty for width 0.
struct RadiusRange {
  int32_t first;
  int32_t last;
};
constexpr RadiusRange RingRadii(int32_t radius, int32_t width) {
  return {radius - width / 2, radius + width / 2 - 1};
}

// The expanding rings of connector and multiplier explosions, drawn pixel by
// pixel: `width` circles of radius - width/2 to radius + width/2 - 1.
void DrawRing(PixelTarget target, int32_t centreX, int32_t centreY, int32_t radius, int32_t width);

// One circle whose colour runs from blue through green to red and back,
// drawn as a plus of five pixels per step of a midpoint walk, quarter by
// quarter.
void DrawRainbowCircle(PixelTarget target, int32_t centreX, int32_t centreY, int32_t radius);

// The walk's steps over one quarter of the circle, for each point (x, y).
template <typename Visit>
int32_t WalkQuarterCircle(int32_t radius, Visit&& visit) {
  int32_t x = 0;
  int32_t y = radius;
  int32_t d = 3 - 2 * radius;
  int32_t steps = 0;
  while (x < y) {
    visit(x, y);
    ++steps;
    if (d < 0) {
      d += 6 + 4 * x;
      ++x;
    }
    if (d > 0) {
      d += 10 + 4 * (x - y);
      ++x;
      --y;
    }
  }
  while (y >= 0) {
    visit(x, y);
    ++steps;
    if (d < 0) {
      d += 6 + 4 * y;
      --y;
    }
    if (d > 0) {
      d += 10 + 4 * (y - x);
      ++x;
      --y;
    }
  }
  return steps;
}

// A point of the walk, as an offset from the centre; the rings' radii stay
// far below the 16-bit limits.
struct QuarterPoint {
  int16_t x;
  int16_t y;
};

// The walk of one quarter, kept: the colours' step needs its length before
// the first plus, and all four quarters follow it.
inline void WalkQuarterCircle(int32_t radius, std::vector<QuarterPoint>& points) {
  points.clear();
  WalkQuarterCircle(radius, [&](int32_t x, int32_t y) {
    points.push_back({static_cast<int16_t>(x), static_cast<int16_t>(y)});
  });
}

// The rainbow's colour, stepped before each plus: blue gives way to green,
// green to red, and red to blue again, `delta` at a time. The step is a whole
// number and every channel starts as one, so integers hold the channels
// exactly, and only their low bytes show.
class RainbowColour {
 public:
  explicit RainbowColour(int32_t delta) : delta_(delta) {}
  uint32_t Step() {
    if (blue_ > 0 && red_ <= 0) {
      blue_ -= delta_;
      green_ += delta_;
    }
    if (green_ > 0 && blue_ <= 0) {
      green_ -= delta_;
      red_ += delta_;
    }
    if (red_ > 0 && green_ <= 0) {
      red_ -= delta_;
      blue_ += delta_;
    }
    return 0xFF000000u | LowByte(red_) << 16 | LowByte(green_) << 8 | LowByte(blue_);
  }

 private:
  static uint32_t LowByte(int32_t channel) { return static_cast<uint32_t>(channel) & 0xFFu; }

  int32_t delta_;
  int32_t blue_ = 255;
  int32_t green_ = 0;
  int32_t red_ = 0;
};

// Every plus of one rainbow circle in drawing order, from the walk of its
// quarter: visit(x, y, colour) with the offset from the centre and the ARGB
// colour (blue first, stepped before each plus).
template <typename Visit>
void ForEachRainbowPlus(const std::vector<QuarterPoint>& quarter, Visit&& visit) {
  const int32_t k = static_cast<int32_t>(quarter.size()) / 4;
  RainbowColour colour(k > 0 ? 256 / k : 256);
  constexpr int32_t kSigns[4][2] = {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
  for (const auto& sign : kSigns) {
    for (const QuarterPoint& point : quarter) {
      visit(sign[0] * point.x, sign[1] * point.y, colour.Step());
    }
  }
}

template <typename Visit>
void ForEachRainbowPlus(int32_t radius, Visit&& visit) {
  if (radius < 0) return;
  std::vector<QuarterPoint> quarter;
  WalkQuarterCircle(radius, quarter);
  ForEachRainbowPlus(quarter, visit);
}

}  // namespace kb
