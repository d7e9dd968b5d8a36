#pragma once

#include <cstdint>

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

// Every plus of one rainbow circle in drawing order: visit(x, y, colour) with
// the offset from the centre and the ARGB colour (blue first, stepped before
// each plus).
template <typename Visit>
void ForEachRainbowPlus(int32_t radius, Visit&& visit) {
  if (radius < 0) return;
  const int32_t quarter = WalkQuarterCircle(radius, [](int32_t, int32_t) {});
  const int32_t k = quarter / 4;
  const float delta = static_cast<float>(k > 0 ? 256 / k : 256);
  float blue = 255.0f;
  float green = 0.0f;
  float red = 0.0f;
  auto lowByte = [](float channel) {
    return static_cast<uint32_t>(static_cast<int32_t>(channel)) & 0xFFu;
  };
  constexpr int32_t kSigns[4][2] = {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
  for (const auto& sign : kSigns) {
    WalkQuarterCircle(radius, [&](int32_t x, int32_t y) {
      if (blue > 0.0f && red <= 0.0f) {
        blue -= delta;
        green += delta;
      }
      if (green > 0.0f && blue <= 0.0f) {
        green -= delta;
        red += delta;
      }
      if (red > 0.0f && green <= 0.0f) {
        red -= delta;
        blue += delta;
      }
      visit(sign[0] * x, sign[1] * y,
            0xFF000000u | lowByte(red) << 16 | lowByte(green) << 8 | lowByte(blue));
    });
  }
}

}  // namespace kb
