#include "gfx/raster.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kb {
namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBackground = 0xFF102030u;

struct Screen {
  Image image{1024, 768, kBackground};
  PixelTarget Target() { return {image.pixels.data(), image.width, image.height}; }
  int CountNot(uint32_t colour) const {
    int n = 0;
    for (uint32_t p : image.pixels) n += p != colour ? 1 : 0;
    return n;
  }
};

Image Checker(int w, int h) {
  Image img(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) img.At(x, y) = 0xFF000000u | static_cast<uint32_t>(x << 8 | y);
  }
  return img;
}

void Place(Screen& s, const Image& tex, SpritePlacement p, uint32_t argb = kWhite) {
  DrawSprite(s.Target(), tex, SourceRect{0, 0, tex.width, tex.height}, p, argb);
}

TEST(SpriteRule, UnrotatedUnscaledLandsTopLeftAtPositionWhateverTheCentre) {
  const Image tex = Checker(10, 7);
  for (const float centre : {0.0f, 5.0f, 24.0f, -100.0f}) {
    Screen s;
    Place(s, tex, {1.0f, 1.0f, centre, centre, 0.0f, 300, 200});
    for (int y = 0; y < 7; ++y) {
      for (int x = 0; x < 10; ++x) ASSERT_EQ(s.image.At(300 + x, 200 + y), tex.At(x, y));
    }
    EXPECT_EQ(s.CountNot(kBackground), 70) << "centre " << centre;
  }
}

TEST(SpriteRule, ScaleRepeatsTexelsAndCentreIsInScaledPixels) {
  Image tex(2, 1);
  tex.At(0, 0) = kRed;
  tex.At(1, 0) = 0xFF00FF00u;
  Screen s;
  Place(s, tex, {2.0f, 3.0f, 0.0f, 0.0f, 0.0f, 10, 10});
  EXPECT_EQ(s.image.At(10, 10), kRed);
  EXPECT_EQ(s.image.At(11, 12), kRed);
  EXPECT_EQ(s.image.At(12, 10), 0xFF00FF00u);
  EXPECT_EQ(s.image.At(13, 12), 0xFF00FF00u);
  EXPECT_EQ(s.CountNot(kBackground), 12);
}

TEST(SpriteRule, PositiveRotationTurnsCounterclockwiseAboutTheCentre) {
  // A 3 x 3 picture with one red texel right of its centre ends up above it.
  Image tex(3, 3, 0xFF404040u);
  tex.At(2, 1) = kRed;
  Screen s;
  Place(s, tex, {1.0f, 1.0f, 1.5f, 1.5f, 1.5707963f, 100, 100});
  EXPECT_EQ(s.image.At(101, 100), kRed);
  EXPECT_EQ(s.image.At(102, 101), 0xFF404040u);
  EXPECT_EQ(s.CountNot(kBackground), 9);
}

TEST(SpriteRule, GridLineTurnedByOnePointFiveSevenIsNearlyVertical) {
  // The game's vertical grid lines: a 768 x 1 texture turned about (192, 1).
  const Image line(768, 1, 0xFF808080u);
  Screen s;
  const int x = 200;
  const int y = 192;
  Place(s, line, {1.0f, 1.0f, 192.0f, 1.0f, 1.57f, x, y});
  int top = 10000, bottom = -1, minX = 10000, maxX = -1;
  for (int py = 0; py < 768; ++py) {
    for (int px = 0; px < 1024; ++px) {
      if (s.image.At(px, py) == kBackground) continue;
      top = std::min(top, py);
      bottom = std::max(bottom, py);
      minX = std::min(minX, px);
      maxX = std::max(maxX, px);
    }
  }
  EXPECT_NEAR(top, 0, 1);  // y - 575 lies above the screen and is clipped
  EXPECT_NEAR(bottom, y + 193, 2);
  EXPECT_GE(minX, x + 190);
  EXPECT_LE(maxX, x + 192);
  // Drawn lower, the whole line shows: from about y - 575 to y + 193.
  Screen t;
  Place(t, line, {1.0f, 1.0f, 192.0f, 1.0f, 1.57f, x, 575});
  int first = -1, last = -1;
  for (int py = 0; py < 768; ++py) {
    if (t.image.At(x + 191, py) != kBackground || t.image.At(x + 190, py) != kBackground ||
        t.image.At(x + 192, py) != kBackground) {
      if (first < 0) first = py;
      last = py;
    }
  }
  EXPECT_NEAR(first, 0, 2);
  EXPECT_NEAR(last, 575 + 193, 2);
}

TEST(SpriteRule, TintMultipliesEveryChannelAndBlackIsTransparentAfterKeying) {
  Image tex(2, 1);
  tex.At(0, 0) = 0xFFFFFFFFu;
  tex.At(1, 0) = 0xFF000000u;
  ApplyColourKey(tex);
  Screen s;
  Place(s, tex, {1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 5, 5}, 0xFF0000FFu);
  EXPECT_EQ(s.image.At(5, 5), 0xFF0000FFu);
  EXPECT_EQ(s.image.At(6, 5), kBackground);

  Image grey(1, 1, 0xFF808080u);
  Screen t;
  Place(t, grey, {1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0, 0}, 0xFFFF8000u);
  EXPECT_EQ(t.image.At(0, 0), 0xFF804000u);
}

TEST(SpriteRule, HalfTransparentTintBlendsWithWhatIsBelow) {
  Image white(1, 1, 0xFFFFFFFFu);
  Screen s;
  Place(s, white, {1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0, 0}, 0x80FFFFFFu);
  const uint32_t p = s.image.At(0, 0);
  EXPECT_NEAR(static_cast<int>((p >> 16) & 0xFF), (0x10 + 0xFF) / 2, 1);
  EXPECT_EQ(p >> 24, 0xFFu);
}

TEST(SpriteRule, EveryWriteIsClippedToTheScreen) {
  const Image tex = Checker(48, 48);
  for (const int x : {-40, 1000, 1023, 1024, -48, 5000}) {
    for (const int y : {-40, 740, 767, 768, -5000}) {
      Screen s;
      Place(s, tex, {8.0f, 8.0f, 48.0f, 48.0f, 0.7f, x, y});
    }
  }
  Screen s;
  Place(s, tex, {1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1000, 750});
  EXPECT_EQ(s.CountNot(kBackground), 24 * 18);
  EXPECT_EQ(s.image.At(1023, 767), tex.At(23, 17));
}

TEST(SpriteRule, UnturnedMagnifiedSpritesLandTheSameWhateverTheCentre) {
  // Keyed and half-transparent texels, a source reaching past the texture,
  // tints, and placements cut by every edge of the screen.
  Image tex = Checker(20, 12);
  tex.At(7, 4) = 0;
  tex.At(8, 4) = 0x80FF0000u;
  const SourceRect source{4, 2, 20, 12};
  for (const uint32_t tint : {kWhite, 0xC0FFFF80u}) {
    for (const float scale : {2.0f, 8.0f}) {
      for (const int x : {-30, 300, 1000}) {
        for (const int y : {-20, 400, 750}) {
          Screen whole, fraction;
          DrawSprite(whole.Target(), tex, source, {scale, 4.0f, 24.0f, 24.0f, 0.0f, x, y}, tint);
          DrawSprite(fraction.Target(), tex, source, {scale, 4.0f, 23.5f, 24.5f, 0.0f, x, y}, tint);
          ASSERT_EQ(whole.image.pixels, fraction.image.pixels) << scale << " " << x << " " << y;
          EXPECT_GT(whole.CountNot(kBackground), 0);
        }
      }
    }
  }
}

TEST(SpriteRule, ADrawingWithinARectangleIsTheWholeDrawingThereAndStaysInItsBounds) {
  // Plain, magnified, turned, and turned and scaled about a fractional centre
  // (a pulsing marked stone), cut by the screen's edges or not.
  Image tex = Checker(48, 48);
  tex.At(0, 0) = 0;
  tex.At(1, 0) = 0x80FF0000u;
  const SpritePlacement placements[] = {{1.0f, 1.0f, 24.0f, 24.0f, 0.0f, 0, 0},
                                        {2.0f, 2.0f, 48.0f, 48.0f, 0.0f, 0, 0},
                                        {1.0f, 1.0f, 24.0f, 24.0f, 0.7f, 0, 0},
                                        {1.37f, 0.73f, 32.88f, 17.52f, 2.3f, 0, 0}};
  const PixelRect clips[] = {{0, 0, 1024, 20}, {13, 5, 31, 61}, {500, 300, 530, 340}};
  for (SpritePlacement p : placements) {
    for (const int x : {-10, 490, 1000}) {
      p.x = x;
      p.y = x / 2;
      Screen whole;
      Place(whole, tex, p);
      const PixelRect b = SpriteBounds(tex, {0, 0, 48, 48}, p, kWhite);
      for (int y = 0; y < 768; ++y) {
        for (int x2 = 0; x2 < 1024; ++x2) {
          const bool inside = x2 >= b.left && x2 < b.right && y >= b.top && y < b.bottom;
          ASSERT_TRUE(inside || whole.image.At(x2, y) == kBackground) << x2 << " " << y;
        }
      }
      for (PixelRect clip : clips) {
        clip = {clip.left + b.left, clip.top + b.top, clip.right + b.left, clip.bottom + b.top};
        Screen part;
        DrawSpriteWithin(part.Target(), clip, tex, {0, 0, 48, 48}, p, kWhite);
        for (int y = 0; y < 768; ++y) {
          for (int x2 = 0; x2 < 1024; ++x2) {
            const bool inside =
                x2 >= clip.left && x2 < clip.right && y >= clip.top && y < clip.bottom;
            ASSERT_EQ(part.image.At(x2, y), inside ? whole.image.At(x2, y) : kBackground)
                << p.rotation << " " << x << " " << x2 << " " << y;
          }
        }
      }
    }
  }
}

TEST(SpriteRule, SourceRectanglesOutsideTheTextureDrawNothing) {
  const Image tex = Checker(16, 16);
  Screen s;
  DrawSprite(s.Target(), tex, SourceRect{-8, 0, 8, 16}, {1.0f, 1.0f, 4.0f, 8.0f, 0.0f, 10, 10},
             kWhite);
  EXPECT_EQ(s.CountNot(kBackground), 0);
  DrawSprite(s.Target(), tex, SourceRect{12, 0, 8, 16}, {1.0f, 1.0f, 4.0f, 8.0f, 0.0f, 10, 10},
             kWhite);
  EXPECT_EQ(s.CountNot(kBackground), 4 * 16);
  EXPECT_EQ(s.image.At(10, 10), tex.At(12, 0));
}

TEST(SpriteRule, DegenerateScalesAndAnglesDrawNothingAndNeverCrash) {
  const Image tex = Checker(4, 4);
  Screen s;
  Place(s, tex, {0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 10, 10});
  Place(s, tex, {NAN, 1.0f, 0.0f, 0.0f, 0.0f, 10, 10});
  Place(s, tex, {1.0f, 1.0f, 0.0f, 0.0f, INFINITY, 10, 10});
  Place(s, Image{}, {1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 10, 10});
  EXPECT_EQ(s.CountNot(kBackground), 0);
  Place(s, tex, {1e30f, 1e30f, 0.0f, 0.0f, 0.0f, 10, 10});  // clipped, not overflowed
}

TEST(StretchCopy, SqueezesIntoTheRectangleAndClips) {
  const Image src = Checker(4, 4);
  Screen s;
  StretchCopy(s.Target(), src, 10, 10, 12, 12);
  EXPECT_EQ(s.image.At(10, 10), src.At(0, 0));
  EXPECT_EQ(s.image.At(11, 11), src.At(2, 2));
  EXPECT_EQ(s.CountNot(kBackground), 4);
  StretchCopy(s.Target(), src, 1020, 764, 1028, 772);
  EXPECT_EQ(s.image.At(1023, 767), src.At(1, 1));
}

TEST(Resample, NearestKeepsBlocksAndExactSizesUntouched) {
  const Image src = Checker(2, 2);
  const Image same = ResampleNearest(src, 2, 2);
  EXPECT_EQ(same.pixels, src.pixels);
  const Image big = ResampleNearest(src, 4, 4);
  EXPECT_EQ(big.At(1, 1), src.At(0, 0));
  EXPECT_EQ(big.At(3, 2), src.At(1, 1));
}

}  // namespace
}  // namespace kb
