#include <gtest/gtest.h>

#include <png.h>

#include <string>

#include "gfx/png_decoder.h"
#include "test_images.h"

namespace kb {
namespace {

using test::BuildPng;
using test::PngFile;

std::vector<uint32_t> Pixels(const std::optional<Image>& image) {
  return image ? image->pixels : std::vector<uint32_t>{};
}

std::string ErrorOf(const std::vector<uint8_t>& bytes) {
  std::string error;
  EXPECT_FALSE(DecodePng(bytes, &error).has_value());
  return error;
}

TEST(PngDecoder, TrueColourKeepsAlphaExactly) {
  PngFile rgba;
  rgba.width = 2;
  rgba.height = 2;
  rgba.samples = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 1, 2, 3, 4};
  EXPECT_EQ(Pixels(DecodePng(BuildPng(rgba))),
            (std::vector<uint32_t>{0xFFFF0000u, 0x8000FF00u, 0x000000FFu, 0x04010203u}));

  PngFile rgb = rgba;
  rgb.colourType = PNG_COLOR_TYPE_RGB;
  rgb.samples = {255, 0, 0, 0, 255, 0, 0, 0, 255, 1, 2, 3};
  EXPECT_EQ(Pixels(DecodePng(BuildPng(rgb))),
            (std::vector<uint32_t>{0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFF010203u}));

  rgb.transparentColour = std::array<uint16_t, 3>{0, 255, 0};  // green becomes clear
  EXPECT_EQ(Pixels(DecodePng(BuildPng(rgb))),
            (std::vector<uint32_t>{0xFFFF0000u, 0x0000FF00u, 0xFF0000FFu, 0xFF010203u}));
}

TEST(PngDecoder, SixteenBitSamplesRoundToEightBits) {
  PngFile f;
  f.width = 2;
  f.height = 1;
  f.bitDepth = 16;
  // 0x1212 is exactly 0x12 in eight bits; 0x10F0 is nearer 0x11 than 0x10.
  f.samples = {0x12, 0x12, 0x10, 0xF0, 0xFF, 0xFF, 0xFF, 0xFF,
               0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x80};
  EXPECT_EQ(Pixels(DecodePng(BuildPng(f))), (std::vector<uint32_t>{0xFF1211FFu, 0x80000000u}));

  f.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
  f.samples = {0x40, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00};
  EXPECT_EQ(Pixels(DecodePng(BuildPng(f))), (std::vector<uint32_t>{0xFF404040u, 0x00FFFFFFu}));
}

TEST(PngDecoder, GreyOfEveryDepthSpansTheFullRange) {
  struct Case {
    int depth;
    std::vector<uint8_t> row;  // the samples 0, 1 and the maximum, packed
    uint32_t one;
  };
  const Case cases[] = {
      {1, {0b01100000}, 0xFFFFFFFFu},
      {2, {0b00011100}, 0xFF555555u},
      {4, {0x01, 0xF0}, 0xFF111111u},
      {8, {0, 1, 255}, 0xFF010101u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.depth);
    PngFile f;
    f.width = c.depth == 1 ? 2 : 3;
    f.height = 1;
    f.colourType = PNG_COLOR_TYPE_GRAY;
    f.bitDepth = c.depth;
    f.samples = c.row;
    std::vector<uint32_t> expected = {0xFF000000u, c.one, 0xFFFFFFFFu};
    if (c.depth == 1) expected.erase(expected.begin() + 2);
    EXPECT_EQ(Pixels(DecodePng(BuildPng(f))), expected);
  }
  PngFile keyed;  // grey with a transparent level
  keyed.width = 2;
  keyed.height = 1;
  keyed.colourType = PNG_COLOR_TYPE_GRAY;
  keyed.samples = {7, 8};
  keyed.transparentColour = std::array<uint16_t, 3>{8, 0, 0};
  EXPECT_EQ(Pixels(DecodePng(BuildPng(keyed))), (std::vector<uint32_t>{0xFF070707u, 0x00080808u}));
}

TEST(PngDecoder, PalettesOfEveryDepthCarryTheirTransparency) {
  for (int depth : {1, 2, 4, 8}) {
    SCOPED_TRACE(depth);
    PngFile f;
    f.width = 2;
    f.height = 2;
    f.colourType = PNG_COLOR_TYPE_PALETTE;
    f.bitDepth = depth;
    f.palette = {0xFF0000, 0x00FF00};
    f.paletteAlpha = {0x40};  // only the first entry is given; the rest stay opaque
    const uint8_t first = static_cast<uint8_t>(1u << (8 - depth));  // index 1, then 0
    f.samples = depth == 8 ? std::vector<uint8_t>{1, 0, 0, 1} : std::vector<uint8_t>{first, 0};
    // Row two: index 0 then 1.
    if (depth != 8) f.samples[1] = static_cast<uint8_t>(1u << (8 - 2 * depth));
    EXPECT_EQ(Pixels(DecodePng(BuildPng(f))),
              (std::vector<uint32_t>{0xFF00FF00u, 0x40FF0000u, 0x40FF0000u, 0xFF00FF00u}));
  }
}

TEST(PngDecoder, InterlacedAndPlainFilesDecodeAlike) {
  for (int size : {1, 3, 8, 13}) {
    SCOPED_TRACE(size);
    const Image pattern = test::TestPattern(size, size + 2);
    PngFile f;
    f.width = pattern.width;
    f.height = pattern.height;
    f.colourType = PNG_COLOR_TYPE_RGB;
    for (uint32_t p : pattern.pixels) {
      f.samples.insert(f.samples.end(), {static_cast<uint8_t>(p >> 16),
                                         static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)});
    }
    EXPECT_EQ(Pixels(DecodePng(BuildPng(f))), pattern.pixels);
    f.interlaced = true;
    EXPECT_EQ(Pixels(DecodePng(BuildPng(f))), pattern.pixels);
  }
}

// The IHDR chunk type sits right after the signature and the length.
constexpr std::size_t kIhdrType = 12;
constexpr std::size_t kIhdrData = 16;

PngFile SmallPalette() {
  PngFile f;
  f.width = 4;
  f.height = 4;
  f.colourType = PNG_COLOR_TYPE_PALETTE;
  f.palette = {0x000000, 0xFFFFFF, 0x808080};
  f.samples.assign(16, 1);
  return f;
}

void PutBigEndian(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

TEST(PngDecoder, HostileHeadersAreRefusedBeforeAnyPixelIsRead) {
  const std::vector<uint8_t> good = BuildPng(SmallPalette());
  ASSERT_TRUE(DecodePng(good));
  struct Case {
    uint32_t width;
    uint32_t height;
    const char* reason;
  };
  const Case cases[] = {
      {16385, 4, "zu breit"},         {4, 16385, "zu breit"},
      {4, 0x7FFFFFFF, "fehlerhaft"},  // beyond libpng's own limit {10000, 10000, "zu viele Pixel"},
      {2048, 1537, "zu viele Pixel"},  // a few screens' worth is the most any picture may hold
      {2048, 1536, "image data"},      // allowed, but the data is not there
      {0, 4, "fehlerhaft"},            // libpng's own check
      {0x80000000u, 4, "fehlerhaft"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    std::vector<uint8_t> bytes = good;
    PutBigEndian(bytes, kIhdrData, c.width);
    PutBigEndian(bytes, kIhdrData + 4, c.height);
    test::FixPngChunkCrc(bytes, kIhdrType);
    const std::string error = ErrorOf(bytes);
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
}

TEST(PngDecoder, DamagedFilesAreRefused) {
  const std::vector<uint8_t> good = BuildPng(SmallPalette());
  std::vector<uint8_t> badCrc = good;
  badCrc[kIhdrData] ^= 0x01;
  EXPECT_NE(ErrorOf(badCrc).find("CRC"), std::string::npos);

  for (int depth : {2, 8}) {
    PngFile outOfPalette = SmallPalette();
    outOfPalette.bitDepth = depth;
    outOfPalette.samples[1] = 0xFF;  // index 3 or 255; the palette has three colours
    EXPECT_NE(ErrorOf(BuildPng(outOfPalette)).find("Palette"), std::string::npos) << depth;
    outOfPalette.interlaced = true;
    EXPECT_NE(ErrorOf(BuildPng(outOfPalette)).find("Palette"), std::string::npos) << depth;
  }

  std::vector<uint8_t> badDepth = good;
  badDepth[kIhdrData + 8] = 3;
  test::FixPngChunkCrc(badDepth, kIhdrType);
  EXPECT_NE(ErrorOf(badDepth).find("fehlerhaft"), std::string::npos);

  std::vector<uint8_t> cut(good.begin(), good.end() - 20);
  EXPECT_NE(ErrorOf(cut).find("abgeschnitten"), std::string::npos);

  EXPECT_NE(ErrorOf({0x89, 'P', 'N', 'G'}).find("Signatur"), std::string::npos);
}

}  // namespace
}  // namespace kb
