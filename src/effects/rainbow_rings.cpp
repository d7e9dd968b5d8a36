#include "effects/rainbow_rings.h"

#include <algorithm>
#include <utility>

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

// The rainbow's colours in drawing order, for circles whose colour steps by
// the same delta: the colour of the n-th plus depends only on the two, so the
// colours of one ring's circles, most of which step alike, are stepped once.
class RainbowColours {
 public:
  // The colours of a circle of `count` pluses stepping by `delta`.
  const uint32_t* For(int32_t delta, int32_t count) {
    if (delta != delta_) {
      delta_ = delta;
      stepper_ = RainbowColour(delta);
      colours_.clear();
    }
    while (static_cast<int32_t>(colours_.size()) < count) colours_.push_back(stepper_.Step());
    return colours_.data();
  }

 private:
  int32_t delta_ = -1;
  RainbowColour stepper_{0};
  std::vector<uint32_t> colours_;
};

// The points of a quarter whose pluses can touch the screen: those within a
// pixel of it. Along the walk x only grows and y only shrinks, so the points
// left of, right of, above or below the screen each lie at one end of the
// walk, and the rest are one run of it.
std::pair<size_t, size_t> PointsNearScreen(PixelTarget target, int32_t cx, int32_t cy,
                                           int32_t signX, int32_t signY,
                                           const std::vector<QuarterPoint>& quarter) {
  auto inX = [&](const QuarterPoint& p) {
    const int32_t x = cx + signX * p.x;
    return x >= -1 && x <= target.width;
  };
  auto inY = [&](const QuarterPoint& p) {
    const int32_t y = cy + signY * p.y;
    return y >= -1 && y <= target.height;
  };
  // Whether the point lies before the run (false) or in or after it (true):
  // beyond the screen on the side where the walk starts.
  auto reached = [&](const QuarterPoint& p) {
    const int32_t x = cx + signX * p.x;
    const int32_t y = cy + signY * p.y;
    const bool xBefore = signX > 0 ? x < -1 : x > target.width;
    const bool yBefore = signY > 0 ? y > target.height : y < -1;
    return !xBefore && !yBefore;
  };
  const auto first = std::partition_point(quarter.begin(), quarter.end(),
                                          [&](const QuarterPoint& p) { return !reached(p); });
  const auto end = std::partition_point(first, quarter.end(),
                                        [&](const QuarterPoint& p) { return inX(p) && inY(p); });
  return {static_cast<size_t>(first - quarter.begin()), static_cast<size_t>(end - quarter.begin())};
}

// ForEachRainbowPlus's pluses, drawn: only those near the screen, each with
// the colour the stepping gives it there.
void DrawRainbowCircle(PixelTarget target, int32_t cx, int32_t cy,
                       const std::vector<QuarterPoint>& quarter, RainbowColours& rainbow) {
  const auto size = static_cast<int32_t>(quarter.size());
  const int32_t k = size / 4;
  const uint32_t* colours = rainbow.For(k > 0 ? 256 / k : 256, 4 * size);
  constexpr int32_t kSigns[4][2] = {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
  for (const auto& sign : kSigns) {
    const auto [first, end] = PointsNearScreen(target, cx, cy, sign[0], sign[1], quarter);
    for (size_t i = first; i < end; ++i) {
      PutPlus(target, cx + sign[0] * quarter[i].x, cy + sign[1] * quarter[i].y, colours[i]);
    }
    colours += size;
  }
}

// The walk of a quarter circle, kept for every radius a ring has drawn on
// this thread: the circles of the rings of one burst, of the bands of the
// screen it is drawn in, and of the bursts after it share their radii. A
// connector ring reaches some 700 pixels; the walks of every radius up to
// that take 1.5 MB.
constexpr int32_t kKeptRadii = 1024;

const std::vector<QuarterPoint>& QuarterOf(int32_t radius, std::vector<QuarterPoint>& unkept) {
  thread_local std::vector<std::vector<QuarterPoint>> kept(kKeptRadii);
  std::vector<QuarterPoint>& walk =
      radius < kKeptRadii ? kept[static_cast<size_t>(radius)] : unkept;
  if (walk.empty()) WalkQuarterCircle(radius, walk);
  return walk;
}

}  // namespace

void DrawRing(PixelTarget target, int32_t centreX, int32_t centreY, int32_t radius, int32_t width) {
  const RadiusRange radii = RingRadii(radius, width);
  std::vector<QuarterPoint> unkept;
  RainbowColours rainbow;
  for (int32_t r = radii.first; r <= radii.last; ++r) {
    if (r < 0) continue;
    unkept.clear();
    DrawRainbowCircle(target, centreX, centreY, QuarterOf(r, unkept), rainbow);
  }
}

void DrawRainbowCircle(PixelTarget target, int32_t cx, int32_t cy, int32_t radius) {
  if (radius < 0) return;
  std::vector<QuarterPoint> unkept;
  RainbowColours rainbow;
  DrawRainbowCircle(target, cx, cy, QuarterOf(radius, unkept), rainbow);
}

}  // namespace kb
