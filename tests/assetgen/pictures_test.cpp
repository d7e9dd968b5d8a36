#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "backgrounds.h"
#include "glyph_strip.h"
#include "sheets.h"
#include "snake_art.h"
#include "stones.h"

namespace kb::assetgen {
namespace {

constexpr uint32_t kKey = 0xFF000000u;

bool Visible(const Image& image, int x, int y) {
  return image.At(x, y) != kKey;
}

int VisibleIn(const Image& image, int x0, int y0, int w, int h) {
  int n = 0;
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) n += Visible(image, x, y) ? 1 : 0;
  }
  return n;
}

float Luma(uint32_t p) {
  return 0.3f * static_cast<float>((p >> 16) & 0xFF) + 0.59f * static_cast<float>((p >> 8) & 0xFF) +
         0.11f * static_cast<float>(p & 0xFF);
}

const StoneKind kColours[4] = {StoneKind::kRed, StoneKind::kGreen, StoneKind::kBlue,
                               StoneKind::kYellow};

TEST(AssetSheetTest, StepsFollowTheBoardsFrameOrder) {
  const std::pair<int, int> expected[kAnimationSteps] = {
      {1, 0}, {2, 0}, {3, 1}, {0, 1}, {1, 1}, {2, 1}, {3, 2}, {0, 2},
      {1, 2}, {2, 2}, {3, 3}, {0, 3}, {1, 3}, {2, 3}, {3, 4}, {0, 4}};
  for (int step = 0; step < kAnimationSteps; ++step) {
    int column = -1, row = -1;
    SheetCell(step, &column, &row);
    EXPECT_EQ(std::make_pair(column, row), expected[step]) << "step " << step;
  }
}

// The stone is whole first and falls apart: the cells the board never shows
// stay empty, the visible area shrinks towards the end.
TEST(AssetSheetTest, RemovalSheetsBreakUpInFrameOrder) {
  for (int set = 0; set < kStoneSetCount; ++set) {
    for (StoneKind kind : {StoneKind::kRed, StoneKind::kYellow, StoneKind::kConnector}) {
      SCOPED_TRACE("set " + std::to_string(set) + " kind " +
                   std::to_string(static_cast<int>(kind)));
      const Image stone = PaintStone(set, kind, false).ToKeyedImage();
      const Image sheet = PaintRemovalSheet(PaintStone(set, kind, false), 99).ToKeyedImage();
      ASSERT_EQ(sheet.width, 192);
      ASSERT_EQ(sheet.height, 240);
      for (auto [c, r] : {std::pair{0, 0}, {3, 0}, {1, 4}, {2, 4}}) {
        EXPECT_EQ(VisibleIn(sheet, c * 48, r * 48, 48, 48), 0) << c << "," << r;
      }
      std::vector<int> area;
      for (int step = 0; step < kAnimationSteps; ++step) {
        int c = 0, r = 0;
        SheetCell(step, &c, &r);
        area.push_back(VisibleIn(sheet, c * 48, r * 48, 48, 48));
      }
      const int whole = VisibleIn(stone, 0, 0, 48, 48);
      EXPECT_GT(area.front(), whole * 9 / 10);
      EXPECT_LT(area.back(), whole / 4);
      EXPECT_GT(area.back(), 0);
      EXPECT_LT(area[12], area[4]);
    }
  }
}

TEST(AssetSheetTest, ExplosionGrowsThenDiesAway) {
  const Image sheet = PaintExplosionSheet().ToKeyedImage();
  std::vector<int> area;
  for (int step = 0; step < kAnimationSteps; ++step) {
    int c = 0, r = 0;
    SheetCell(step, &c, &r);
    area.push_back(VisibleIn(sheet, c * 48, r * 48, 48, 48));
  }
  EXPECT_GT(area[0], 0);
  EXPECT_GT(area[6], 3 * area[0]);
  EXPECT_LT(area[15], area[6] / 2);
  EXPECT_EQ(VisibleIn(sheet, 0, 0, 48, 48), 0);
  // The board enlarges it up to eight times without smoothing: brightness
  // runs in gradients, not in pixel-fine grain, so it reads as a cloud and
  // not as coarse noisy blocks.
  float grain = 0.0f;
  int runs = 0;
  for (int y = 0; y < sheet.height; ++y) {
    for (int x = 1; x + 1 < sheet.width; ++x) {
      if (!Visible(sheet, x - 1, y) || !Visible(sheet, x, y) || !Visible(sheet, x + 1, y)) continue;
      grain += std::abs(Luma(sheet.At(x - 1, y)) - 2.0f * Luma(sheet.At(x, y)) +
                        Luma(sheet.At(x + 1, y)));
      ++runs;
    }
  }
  EXPECT_LT(grain / static_cast<float>(runs), 3.0f);
}

// Marked stones must stand out, and the four colours must differ in more
// than hue (their bright-dark pattern), so they read without colour too.
TEST(AssetStoneTest, MarkedAndColourVariantsAreDistinct) {
  for (int set = 0; set < kStoneSetCount; ++set) {
    SCOPED_TRACE("set " + std::to_string(set));
    for (int k = 0; k <= static_cast<int>(StoneKind::kMultiplier); ++k) {
      const Image plain = PaintStone(set, static_cast<StoneKind>(k), false).ToKeyedImage();
      const Image marked = PaintStone(set, static_cast<StoneKind>(k), true).ToKeyedImage();
      int changed = 0;
      for (std::size_t i = 0; i < plain.pixels.size(); ++i) {
        changed += std::abs(Luma(plain.pixels[i]) - Luma(marked.pixels[i])) > 20.0f ? 1 : 0;
      }
      EXPECT_GT(changed, 300) << "kind " << k;
    }
    std::vector<std::vector<float>> patterns;
    for (StoneKind kind : kColours) {
      const Image stone = PaintStone(set, kind, false).ToKeyedImage();
      std::vector<float> luma;
      float mean = 0.0f;
      for (uint32_t p : stone.pixels) {
        luma.push_back(p == kKey ? -1.0f : Luma(p));
        if (p != kKey) mean += Luma(p);
      }
      mean /= static_cast<float>(VisibleIn(stone, 0, 0, 48, 48));
      for (float& v : luma) v = v < 0.0f ? -100.0f : v - mean;  // the outline counts fully
      patterns.push_back(luma);
    }
    for (int a = 0; a < 4; ++a) {
      for (int b = a + 1; b < 4; ++b) {
        float difference = 0.0f;
        for (std::size_t i = 0; i < patterns[a].size(); ++i) {
          difference += std::abs(patterns[a][i] - patterns[b][i]);
        }
        EXPECT_GT(difference / static_cast<float>(patterns[a].size()), 6.0f) << a << " vs " << b;
      }
    }
  }
}

float Hue(uint32_t p) {
  const float r = static_cast<float>((p >> 16) & 0xFF), g = static_cast<float>((p >> 8) & 0xFF),
              b = static_cast<float>(p & 0xFF);
  const float hi = std::max({r, g, b}), lo = std::min({r, g, b});
  if (hi - lo < 1.0f) return -1.0f;
  float h = hi == r   ? (g - b) / (hi - lo)
            : hi == g ? 2.0f + (b - r) / (hi - lo)
                      : 4.0f + (r - g) / (hi - lo);
  return h < 0.0f ? h + 6.0f : h;  // 0..6
}

float Saturation(uint32_t p) {
  const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
  return hi == 0 ? 0.0f : static_cast<float>(hi - lo) / static_cast<float>(hi);
}

// The special stones look the same kind of thing in every set: the
// connector shows the whole rainbow, the multiplier is purple with gold, the
// indestructible stone is colourless steel.
TEST(AssetStoneTest, SpecialStonesKeepTheirLookInEverySet) {
  for (int set = 0; set < kStoneSetCount; ++set) {
    SCOPED_TRACE("set " + std::to_string(set));
    const Image connector = PaintStone(set, StoneKind::kConnector, false).ToKeyedImage();
    bool sextants[6] = {};
    for (uint32_t p : connector.pixels) {
      if (p != kKey && Saturation(p) > 0.6f) sextants[static_cast<int>(Hue(p)) % 6] = true;
    }
    EXPECT_EQ(std::count(std::begin(sextants), std::end(sextants), true), 6);

    const Image multiplier = PaintStone(set, StoneKind::kMultiplier, false).ToKeyedImage();
    int purple = 0, gold = 0;
    for (uint32_t p : multiplier.pixels) {
      if (p == kKey || Saturation(p) < 0.35f) continue;
      const float h = Hue(p);
      purple += h > 4.3f && h < 5.4f ? 1 : 0;
      gold += h > 0.4f && h < 1.1f ? 1 : 0;
    }
    EXPECT_GT(purple, 600);
    EXPECT_GT(gold, 100);

    const Image steel = PaintStone(set, StoneKind::kIndestructible, false).ToKeyedImage();
    int coloured = 0;
    for (uint32_t p : steel.pixels) coloured += p != kKey && Saturation(p) > 0.3f ? 1 : 0;
    EXPECT_LT(coloured, 60);
  }
}

// However a set dresses them, each colour stone reads as its own colour:
// its most common strong hue is red, green, blue or yellow in that order.
TEST(AssetStoneTest, ColourStonesReadAsTheirColour) {
  const float kHues[4] = {0.0f, 2.0f, 4.0f, 1.0f};  // red, green, blue, yellow on the 0..6 wheel
  for (int set = 0; set < kStoneSetCount; ++set) {
    for (int k = 0; k < 4; ++k) {
      SCOPED_TRACE("set " + std::to_string(set) + " colour " + std::to_string(k));
      const Image stone = PaintStone(set, kColours[k], false).ToKeyedImage();
      int votes[4] = {};
      for (uint32_t p : stone.pixels) {
        if (p == kKey || Saturation(p) < 0.4f) continue;
        const float h = Hue(p);
        int best = 0;
        for (int c = 1; c < 4; ++c) {
          auto distance = [h](float to) {
            const float d = std::abs(h - to);
            return std::min(d, 6.0f - d);
          };
          if (distance(kHues[c]) < distance(kHues[best])) best = c;
        }
        ++votes[best];
      }
      EXPECT_EQ(std::max_element(std::begin(votes), std::end(votes)) - std::begin(votes), k);
    }
  }
}

// Both are drawn over a stone, which must show through.
TEST(AssetStoneTest, CursorAndSwapMarkerAreTransparentInside) {
  for (int set = 0; set < kStoneSetCount; ++set) {
    const Image cursor = PaintCursor(set).ToKeyedImage();
    EXPECT_EQ(VisibleIn(cursor, 8, 8, 32, 32), 0) << "set " << set;
    EXPECT_GT(VisibleIn(cursor, 0, 0, 48, 48), 400) << "set " << set;
    const Image marker = PaintSwapMarker(set).ToKeyedImage();
    int inside = 0;
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 48; ++x) {
        const float dx = static_cast<float>(x) + 0.5f - 24.0f;
        const float dy = static_cast<float>(y) + 0.5f - 24.0f;
        if (dx * dx + dy * dy < 11.0f * 11.0f && Visible(marker, x, y)) ++inside;
      }
    }
    EXPECT_EQ(inside, 0) << "set " << set;
    EXPECT_GT(VisibleIn(marker, 0, 0, 48, 48), 300) << "set " << set;
  }
}

// Rows or columns of a 48 x 48 piece that the body crosses: the middle third
// of each edge.
struct Edges {
  bool left, top, right, bottom;
};

Edges EdgesOf(const Image& piece) {
  auto any = [&](int x0, int y0, int w, int h) { return VisibleIn(piece, x0, y0, w, h) > 0; };
  return Edges{any(0, 16, 1, 16), any(16, 0, 16, 1), any(47, 16, 1, 16), any(16, 47, 16, 1)};
}

// The game turns the pieces by fixed angles, so each must leave the cell on
// the edges its name says.
TEST(AssetSnakeTest, PiecesJoinTheEdgesTheGameTurnsThemFrom) {
  struct Case {
    SnakePiece piece;
    Edges edges;
  };
  const Case cases[] = {
      {SnakePiece::kBody, {true, false, true, false}},
      {SnakePiece::kBodyRound, {true, false, false, true}},
      {SnakePiece::kEnd, {true, false, false, false}},
      {SnakePiece::kEndLeft, {true, false, false, false}},
      {SnakePiece::kEndRight, {true, false, false, false}},
      {SnakePiece::kHead, {false, true, false, true}},      // neck below, tongue above
      {SnakePiece::kHeadLeft, {true, false, true, false}},  // tongue left, neck right
      {SnakePiece::kHeadRight, {true, false, true, false}},
  };
  for (int set = 0; set < kSnakeSetCount; ++set) {
    for (const Case& c : cases) {
      SCOPED_TRACE("set " + std::to_string(set) + " piece " +
                   std::to_string(static_cast<int>(c.piece)));
      const Image image = PaintSnakePiece(set, c.piece).ToKeyedImage();
      const Edges e = EdgesOf(image);
      EXPECT_EQ(e.left, c.edges.left);
      EXPECT_EQ(e.top, c.edges.top);
      EXPECT_EQ(e.right, c.edges.right);
      EXPECT_EQ(e.bottom, c.edges.bottom);
    }
    // The two curled tails bend to opposite sides: the one that came up from
    // below lies in the lower half, the other in the upper half.
    const Image endLeft = PaintSnakePiece(set, SnakePiece::kEndLeft).ToKeyedImage();
    const Image endRight = PaintSnakePiece(set, SnakePiece::kEndRight).ToKeyedImage();
    EXPECT_GT(VisibleIn(endLeft, 0, 36, 48, 12), VisibleIn(endLeft, 0, 0, 48, 12));
    EXPECT_GT(VisibleIn(endRight, 0, 0, 48, 12), VisibleIn(endRight, 0, 36, 48, 12));
    // The side heads point the way they are named: the neck is the wide end.
    const Image left = PaintSnakePiece(set, SnakePiece::kHeadLeft).ToKeyedImage();
    const Image right = PaintSnakePiece(set, SnakePiece::kHeadRight).ToKeyedImage();
    EXPECT_GT(VisibleIn(left, 46, 0, 2, 48), VisibleIn(left, 0, 0, 2, 48));
    EXPECT_GT(VisibleIn(right, 0, 0, 2, 48), VisibleIn(right, 46, 0, 2, 48));
  }
}

TEST(AssetGlyphStripTest, EightyFourCleanGlyphsInTheirCells) {
  const Image strip = PaintGlyphStrip();
  ASSERT_EQ(strip.width, 672);
  ASSERT_EQ(strip.height, 16);
  for (uint32_t p : strip.pixels) ASSERT_TRUE(p == kKey || p == 0xFFFFFFFFu);
  const std::u32string_view chars = GlyphCharacters();
  ASSERT_EQ(chars.size(), 84u);
  EXPECT_EQ(chars.find(U'A'), 0u);
  EXPECT_EQ(chars.find(U'Ä'), 26u);
  EXPECT_EQ(chars.find(U'a'), 29u);
  EXPECT_EQ(chars.find(U'ß'), 58u);
  EXPECT_EQ(chars.find(U'0'), 59u);
  EXPECT_EQ(chars.find(U'+'), 69u);
  EXPECT_EQ(chars.find(U'_'), 83u);
  for (int g = 0; g < kGlyphCount; ++g) {
    EXPECT_GT(VisibleIn(strip, g * 8, 0, 8, 16), 2) << "glyph " << g + 1;
  }
  // Umlauts carry their dots above the letter, descenders reach down, and
  // nothing is cut off at the strip's top or bottom.
  auto glyph = [&](char32_t c) { return static_cast<int>(chars.find(c)) * 8; };
  for (auto [umlaut, base] : {std::pair{U'Ä', U'A'},
                              {U'Ö', U'O'},
                              {U'Ü', U'U'},
                              {U'ä', U'a'},
                              {U'ö', U'o'},
                              {U'ü', U'u'}}) {
    EXPECT_GT(VisibleIn(strip, glyph(umlaut), 0, 8, 5), VisibleIn(strip, glyph(base), 0, 8, 5));
  }
  for (char32_t c : {U'g', U'j', U'p', U'q', U'y'}) {
    EXPECT_GT(VisibleIn(strip, glyph(c), 13, 8, 3), 0);
  }
  EXPECT_EQ(VisibleIn(strip, glyph(U'a'), 13, 8, 3), 0);
}

float MeanLuma(const Image& image, Box box) {
  float sum = 0.0f;
  for (int y = box.y; y < box.y + box.height; ++y) {
    for (int x = box.x; x < box.x + box.width; ++x) sum += Luma(image.At(x, y));
  }
  return sum / static_cast<float>(box.width * box.height);
}

float MaxLuma(const Image& image, Box box) {
  float best = 0.0f;
  for (int y = box.y; y < box.y + box.height; ++y) {
    for (int x = box.x; x < box.x + box.width; ++x) best = std::max(best, Luma(image.At(x, y)));
  }
  return best;
}

// Where the screens print text, the backgrounds give it the contrast it
// needs: light under black text, dark under white, coloured text.
TEST(AssetBackgroundTest, TextAreasKeepTheirContrast) {
  const Image gameover = PaintGameoverBackground().ToOpaqueImage();
  EXPECT_GT(MeanLuma(gameover, Box{300, 100, 400, 60}), 200.0f);

  const Image highscores = PaintHighscoresBackground().ToOpaqueImage();
  EXPECT_LT(MaxLuma(highscores, Box{330, 95, 440, 305}), 60.0f);

  // Blue text can be no brighter than pure blue, so where it stands the
  // ground is nearly black and holds no blue of its own.
  auto nearlyBlackWithoutBlue = [](const Image& image, Box area) {
    EXPECT_LT(MeanLuma(image, area), 18.0f);
    EXPECT_LT(MaxLuma(image, area), 45.0f);
    for (int y = area.y; y < area.y + area.height; y += 7) {
      for (int x = area.x; x < area.x + area.width; x += 7) {
        const uint32_t p = image.At(x, y);
        ASSERT_LE(static_cast<int>(p & 0xFF), static_cast<int>((p >> 16) & 0xFF) + 8)
            << "blue at " << x << "," << y;
      }
    }
  };
  const Image options = PaintOptionsBackground().ToOpaqueImage();
  nearlyBlackWithoutBlue(options, Box{262, 220, 590, 460});
  const Image help = PaintHelpBackground().ToOpaqueImage();
  nearlyBlackWithoutBlue(help, Box{10, 30, 1000, 500});
  nearlyBlackWithoutBlue(help, Box{360, 738, 290, 20});
}

}  // namespace
}  // namespace kb::assetgen
