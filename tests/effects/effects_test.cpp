#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "effects/particle_system.h"
#include "effects/rainbow_rings.h"
#include "platform/fake/fake_platform.h"

namespace kb {
namespace {

struct Frame {
  Image image{1024, 768, 0xFF000000u};
  PixelTarget Target() { return {image.pixels.data(), 1024, 768}; }
};

struct Chances {
  platform::FakePlatform clock;
  Random random;
  Chance chance{random, clock};
};

TEST(Particles, ZeroParticlesStartNoCloud) {
  Chances c;
  ParticleSystem particles;
  CellGrid counts{};
  particles.SpawnParticles(counts, 3, 4, 168, 216, 0, 0, c.chance);
  EXPECT_EQ(counts[4][3], 0);
}

TEST(Particles, EveryParticleCountsDownOnceEvenThoseBornBelowTheScreen) {
  Chances c;
  c.random.Seed(7);
  ParticleSystem particles;
  CellGrid counts{};
  Frame frame;
  // A stone in the bottom row: one spark in eight starts below y 767 and is
  // dead from its birth.
  particles.SpawnParticles(counts, 5, 15, 5 * 48 + 24, 15 * 48 + 24, 0, 4096, c.chance);
  EXPECT_GT(counts[15][5], 3400);
  EXPECT_LT(counts[15][5], 3800);
  int updates = 0;
  while (counts[15][5] > 0 && updates < 100) {
    particles.UpdateParticles(counts, 5, 15, frame.Target(), c.chance);
    ++updates;
  }
  EXPECT_EQ(counts[15][5], 0);
  EXPECT_LE(updates, 33);  // speeds of at most 32 and a friction of 1
  particles.UpdateParticles(counts, 5, 15, frame.Target(), c.chance);
  EXPECT_EQ(counts[15][5], 0);
}

TEST(Particles, SparksStartAroundTheCentreWithTheRightHalfOffset) {
  Chances c;
  ParticleSystem particles;
  CellGrid counts{};
  Frame frame;
  const int cx = 8 * 48 + 24;
  particles.SpawnParticles(counts, 8, 7, cx, 7 * 48 + 24, 256, 16, c.chance);
  particles.UpdateParticles(counts, 8, 7, frame.Target(), c.chance);
  for (int y = 0; y < 768; ++y) {
    for (int x = 0; x < 1024; ++x) {
      if (frame.image.At(x, y) == 0xFF000000u) continue;
      EXPECT_GE(x, cx + 256 - 32);
      EXPECT_LT(x, cx + 256 + 32 + 5);
    }
  }
}

TEST(Particles, ACloudDrawsEveryChanceInTurnAlsoWhereTheTickWrapsAround) {
  // Just below 2^32, value + tick passes 2^32 for the larger values.
  platform::FakePlatform clock(600000, 0xFFFFA000u);
  Random random;
  random.Seed(99);
  Chance chance{random, clock};
  Random replay = random;
  ParticleSystem particles;
  CellGrid counts{};
  Frame frame;
  particles.SpawnParticles(counts, 4, 15, 216, 744, 0, 900, chance);
  particles.UpdateParticles(counts, 4, 15, frame.Target(), chance);

  // The same, one chance after the other.
  Chance again{replay, clock};
  struct Spark {
    int x, y, dx, dy;
  };
  std::vector<Spark> sparks;
  auto signed64 = [&] { return static_cast<int>(again.Below(64)) - 32; };
  for (int i = 0; i < 900; ++i) {
    const int x = 216 + signed64();
    const int y = 744 + signed64();
    const int dx = signed64();
    sparks.push_back({x, y, dx, signed64()});
  }
  Frame expected;
  auto square = [&](int x, int y, int size, uint32_t colour) {
    for (int py = y; py < std::min(y + size, 768); ++py) {
      for (int px = x; px < std::min(x + size, 1024); ++px) expected.image.At(px, py) = colour;
    }
  };
  for (const Spark& s : sparks) {
    if (s.x < 1 || s.x > 1023 || s.y < 1 || s.y > 767 || (s.dx == 0 && s.dy == 0)) continue;
    const uint32_t glow = 4u * static_cast<uint32_t>(std::max(std::abs(s.dx), std::abs(s.dy)));
    const uint32_t red = std::min(again.Below(128) + glow, 255u);
    const uint32_t green = std::min(again.Below(128) + glow, 255u);
    const uint32_t blue = std::min(again.Below(128) + glow, 255u);
    const uint32_t colour = 0xFF000000u | red << 16 | green << 8 | blue;
    square(s.x, s.y, 1, colour);
    for (int size = 2; size <= 5 && again.Below(3) == 0; ++size) square(s.x, s.y, size, colour);
  }
  EXPECT_EQ(frame.image.pixels, expected.image.pixels);
  EXPECT_EQ(random.Next(), replay.Next());
}

// A burst's clouds are shared out between this thread and a helper; every
// frame, count and draw of the generator must be what updating the clouds
// one after the other gives, burst after burst, as the sparks die.
TEST(Particles, AllCloudsOfABurstTogetherAsEachInTurn) {
  Chances shared;
  Chances inTurn;
  shared.random.Seed(5);
  inTurn.random.Seed(5);
  ParticleSystem together;
  ParticleSystem oneByOne;
  CellGrid togetherCounts{};
  CellGrid oneByOneCounts{};
  for (int cell = 0; cell < 40; ++cell) {
    const int column = cell * 7 % 16;
    const int row = 15 - cell % 6;  // overlapping clouds, some across the bottom edge
    for (auto* side : {&together, &oneByOne}) {
      const bool first = side == &together;
      side->SpawnParticles(first ? togetherCounts : oneByOneCounts, column, row, column * 48 + 24,
                           row * 48 + 24, 0, 4096, first ? shared.chance : inTurn.chance);
    }
  }
  HelperThread helper;
  Frame togetherFrame;
  Frame oneByOneFrame;
  for (int burst = 0; burst < 40; ++burst) {
    together.UpdateAllParticles(togetherCounts, togetherFrame.Target(), shared.chance, helper);
    for (int column = 0; column < kBoardSize; ++column) {
      for (int row = 0; row < kBoardSize; ++row) {
        if (oneByOneCounts[row][column] > 0) {
          oneByOne.UpdateParticles(oneByOneCounts, column, row, oneByOneFrame.Target(),
                                   inTurn.chance);
        }
      }
    }
    ASSERT_EQ(togetherFrame.image.pixels, oneByOneFrame.image.pixels) << burst;
    ASSERT_EQ(togetherCounts, oneByOneCounts) << burst;
  }
  EXPECT_EQ(togetherCounts, CellGrid{});
  EXPECT_EQ(shared.random.Next(), inTurn.random.Next());
}

TEST(Particles, CountsBeyondTheStoreAreCut) {
  EXPECT_EQ(ParticleSystem::ClampCount(1000000), 4096);
  EXPECT_EQ(ParticleSystem::ClampCount(-5), 0);
  EXPECT_EQ(ParticleSystem::ClampCount(48), 48);
}

std::set<int> RadiiCovered(int width, int radius) {
  Frame frame;
  DrawRing(frame.Target(), 512, 384, radius, width);
  std::set<int> radii;
  for (int y = 0; y < 768; ++y) {
    for (int x = 0; x < 1024; ++x) {
      if (frame.image.At(x, y) != 0xFF000000u) {
        radii.insert(static_cast<int>(std::lround(std::hypot(x - 512, y - 384))));
      }
    }
  }
  return radii;
}

TEST(Rings, WidthZeroDrawsNothing) {
  EXPECT_TRUE(RadiiCovered(0, 80).empty());
}

TEST(Rings, WidthSixtyCoversThirtyBelowToTwentyNineAboveTheRadius) {
  // A connector ring at frame 3 (radius 120) and a multiplier ring at frame 5
  // (radius 100, half as wide).
  EXPECT_EQ(RingRadii(120, 60).first, 90);
  EXPECT_EQ(RingRadii(120, 60).last, 149);
  EXPECT_EQ(RingRadii(100, 30).first, 85);
  EXPECT_EQ(RingRadii(100, 30).last, 114);
  const RadiusRange none = RingRadii(80, 0);
  EXPECT_GT(none.first, none.last);
  // On screen the band is solid between them: every radius in it is drawn.
  const std::set<int> drawn = RadiiCovered(60, 120);
  for (int r = 90; r <= 149; ++r) EXPECT_TRUE(drawn.count(r)) << r;
  EXPECT_GE(*drawn.begin(), 88);
  EXPECT_LE(*drawn.rbegin(), 153);
}

TEST(Rings, TheRainbowStartsBlueAndIsSteppedBeforeThePlus) {
  std::vector<uint32_t> colours;
  std::vector<std::pair<int, int>> points;
  ForEachRainbowPlus(40, [&](int x, int y, uint32_t colour) {
    colours.push_back(colour);
    points.emplace_back(x, y);
  });
  const int quarter = WalkQuarterCircle(40, [](int, int) {});
  ASSERT_EQ(colours.size(), static_cast<size_t>(4 * quarter));
  const int delta = 256 / (quarter / 4);
  EXPECT_EQ(colours[0], 0xFF000000u | static_cast<uint32_t>(delta) << 8 | (255u - delta));
  EXPECT_EQ(points[0], (std::pair<int, int>{0, 40}));
  EXPECT_EQ(points[static_cast<size_t>(quarter)], (std::pair<int, int>{0, 40}));  // (-x, +y)
  EXPECT_EQ(points[static_cast<size_t>(2 * quarter)], (std::pair<int, int>{0, -40}));
  // Blue gives way to green, green to red, and red to blue again.
  bool sawGreen = false, sawRed = false;
  for (uint32_t c : colours) {
    sawGreen = sawGreen || ((c >> 8) & 0xFF) > 200;
    sawRed = sawRed || ((c >> 16) & 0xFF) > 200;
  }
  EXPECT_TRUE(sawGreen);
  EXPECT_TRUE(sawRed);
}

// The ring skips the pluses that miss the screen and takes their colours
// from a table: every pixel must still be what plus after plus, clipped,
// would leave, whether the ring lies inside, across an edge or corner, far
// beyond it, or around the whole screen.
TEST(Rings, DrawnAsEveryClippedPlusInTurnWouldDrawThem) {
  struct Case {
    int x, y, radius, width;
  };
  for (const Case ring : {Case{512, 384, 120, 60}, Case{24, 744, 520, 60}, Case{1000, 20, 300, 30},
                          Case{-40, 400, 200, 60}, Case{512, 900, 180, 60}, Case{512, 384, 700, 60},
                          Case{300, 200, 5, 60}}) {
    Frame drawn;
    DrawRing(drawn.Target(), ring.x, ring.y, ring.radius, ring.width);
    Frame expected;
    auto put = [&](int x, int y, uint32_t colour) {
      if (x >= 0 && y >= 0 && x < 1024 && y < 768) expected.image.At(x, y) = colour;
    };
    const RadiusRange radii = RingRadii(ring.radius, ring.width);
    for (int r = std::max(radii.first, 0); r <= radii.last; ++r) {
      ForEachRainbowPlus(r, [&](int dx, int dy, uint32_t colour) {
        const int x = ring.x + dx;
        const int y = ring.y + dy;
        for (const auto& [px, py] : {std::pair{x, y}, std::pair{x - 1, y}, std::pair{x + 1, y},
                                     std::pair{x, y - 1}, std::pair{x, y + 1}}) {
          put(px, py, colour);
        }
      });
    }
    EXPECT_EQ(drawn.image.pixels, expected.image.pixels) << ring.x << "," << ring.y;
  }
}

TEST(Rings, TheWalkAlwaysMovesAndEndsOnTheAxis) {
  for (int r : {25, 26, 100, 711}) {
    int lastX = -1, lastY = r + 1;
    WalkQuarterCircle(r, [&](int x, int y) {
      EXPECT_TRUE(x != lastX || y != lastY) << r;
      lastX = x;
      lastY = y;
    });
    EXPECT_LE(lastY, 1);
  }
}

}  // namespace
}  // namespace kb
