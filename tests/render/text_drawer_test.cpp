#include "render/text_drawer.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/cp1252.h"
#include "gfx/bmp_encoder.h"
#include "null_display.h"
#include "platform/fake/memory_file_system.h"

namespace kb {
namespace {

// A strip whose glyph g is a solid block of a colour that names g, so the
// drawn pixels tell which glyph landed where.
uint32_t GlyphColour(int g) {
  return 0xFF000000u | static_cast<uint32_t>(g) << 16 | 0x00FF;
}

std::vector<uint8_t> MakeStrip() {
  Image strip(672, 16);
  for (int g = 1; g <= 84; ++g) {
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 8; ++x) strip.At(8 * (g - 1) + x, y) = GlyphColour(g);
    }
  }
  return EncodeBmp(strip);
}

class TextDrawerTest : public ::testing::Test {
 protected:
  TextDrawerTest() : renderer(display), sprites(renderer, files), text(sprites) {
    files.Put("textausgabe.bmp", MakeStrip());
    text.Load();
    renderer.BeginFrame();
  }
  uint32_t At(int x, int y) const { return renderer.BackImage().At(x, y); }
  int GlyphAt(int x, int y) const {
    const uint32_t p = At(x, y);
    return p == 0xFF000000u ? 0 : static_cast<int>((p >> 16) & 0xFF);
  }

  test::NullDisplay display;
  platform::MemoryFileSystem files;
  Renderer renderer;
  SpriteDrawer sprites;
  TextDrawer text;
};

TEST_F(TextDrawerTest, GlyphNumbersFollowTheStrip) {
  EXPECT_EQ(TextDrawer::GlyphNumber('A'), 1);
  EXPECT_EQ(TextDrawer::GlyphNumber('Z'), 26);
  EXPECT_EQ(TextDrawer::GlyphNumber('a'), 30);
  EXPECT_EQ(TextDrawer::GlyphNumber('z'), 55);
  EXPECT_EQ(TextDrawer::GlyphNumber('0'), 60);
  EXPECT_EQ(TextDrawer::GlyphNumber('9'), 69);
  const char* punctuation = "+-*:!?(),;.@|=_";
  for (int i = 0; punctuation[i] != 0; ++i) {
    EXPECT_EQ(TextDrawer::GlyphNumber(punctuation[i]), 70 + i) << punctuation[i];
  }
  const char* umlauts = "ÄÖÜäöüß"_cp;
  const int expected[] = {27, 28, 29, 56, 57, 58, 59};
  ASSERT_EQ(std::strlen(umlauts), 7u) << "texts must be Windows-1252 bytes";
  for (int i = 0; i < 7; ++i) EXPECT_EQ(TextDrawer::GlyphNumber(umlauts[i]), expected[i]);
  for (const char c : {' ', '\t', '#', '"', '/', '\x80', '\xE9'}) {
    EXPECT_EQ(TextDrawer::GlyphNumber(c), 0) << static_cast<int>(c);
  }
}

TEST_F(TextDrawerTest, SpaceAdvancesWithoutDrawing) {
  text.DrawText("a b", 100, 50, 0xFFFFFFFFu);
  EXPECT_EQ(GlyphAt(100, 50), 30);
  EXPECT_EQ(GlyphAt(107, 65), 30);
  EXPECT_EQ(GlyphAt(108, 50), 0);
  EXPECT_EQ(GlyphAt(110, 50), 0);
  EXPECT_EQ(GlyphAt(117, 58), 0);
  EXPECT_EQ(GlyphAt(120, 50), 31);
  EXPECT_EQ(GlyphAt(127, 65), 31);
  EXPECT_EQ(GlyphAt(128, 50), 0);
  EXPECT_EQ(GlyphAt(100, 66), 0);
}

TEST_F(TextDrawerTest, UnknownBytesKeepTheirCellAndUmlautsShowTheirGlyphs) {
  text.DrawText("#\tÄß"_cp, 0, 0, 0xFFFFFFFFu);
  EXPECT_EQ(GlyphAt(0, 0), 0);
  EXPECT_EQ(GlyphAt(10, 0), 0);
  EXPECT_EQ(GlyphAt(20, 0), 27);
  EXPECT_EQ(GlyphAt(30, 0), 59);
}

TEST_F(TextDrawerTest, ColourMultipliesTheGlyphAndEmptyTextDrawsNothing) {
  text.DrawText("", 0, 0, 0xFFFFFFFFu);
  text.DrawText(nullptr, 0, 0, 0xFFFFFFFFu);
  EXPECT_EQ(At(0, 0), 0xFF000000u);
  text.DrawText("A", 500, 500, 0xFF00FF00u);  // green keeps only the green channel
  EXPECT_EQ(At(500, 500), 0xFF000000u);
  text.DrawText("A", 600, 500, 0xFFFF0000u);
  EXPECT_EQ(At(600, 500), 0xFF010000u);
}

TEST_F(TextDrawerTest, TextRunningOffTheScreenIsClipped) {
  text.DrawText("ABCDEFGH", 1000, 760, 0xFFFFFFFFu);
  EXPECT_EQ(GlyphAt(1000, 760), 1);
  EXPECT_EQ(GlyphAt(1020, 767), 3);
}

}  // namespace
}  // namespace kb
