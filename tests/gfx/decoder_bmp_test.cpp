#include <gtest/gtest.h>

#include <string>

#include "gfx/bmp_decoder.h"
#include "gfx/bmp_encoder.h"
#include "test_images.h"

namespace kb {
namespace {

using test::BmpFile;
using test::BuildBmp;
using test::PadRows;

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kGreen = 0xFF00FF00u;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlack = 0xFF000000u;

std::vector<uint32_t> Pixels(const std::optional<Image>& image) {
  return image ? image->pixels : std::vector<uint32_t>{};
}

// Decodes and expects failure with `reason` somewhere in the message.
void ExpectRefused(const BmpFile& file, const std::string& reason) {
  std::string error;
  EXPECT_FALSE(DecodeBmp(BuildBmp(file), &error).has_value());
  EXPECT_NE(error.find(reason), std::string::npos) << error;
}

BmpFile EightBit(int32_t height) {
  BmpFile f;
  f.width = 3;
  f.height = height;
  f.bitsPerPixel = 8;
  f.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  f.pixels = PadRows({{1, 2, 3}, {3, 0, 1}});  // rows in file order, three bytes of padding each
  return f;
}

TEST(BmpDecoder, EightBitRowsRunBottomUpOrTopDown) {
  const std::vector<uint32_t> bottomUp = {kBlue, kBlack, kRed, kRed, kGreen, kBlue};
  EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(EightBit(2)))), bottomUp);
  const std::vector<uint32_t> topDown = {kRed, kGreen, kBlue, kBlue, kBlack, kRed};
  const auto image = DecodeBmp(BuildBmp(EightBit(-2)));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 3);
  EXPECT_EQ(image->height, 2);
  EXPECT_EQ(image->pixels, topDown);
}

TEST(BmpDecoder, OneAndFourBitIndicesAreReadFromTheHighBitsFirst) {
  BmpFile four;
  four.width = 5;
  four.height = -1;
  four.bitsPerPixel = 4;
  four.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  four.coloursUsed = 4;
  four.pixels = PadRows({{0x12, 0x30, 0x10}});  // the last low nibble is outside the row
  EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(four))),
            (std::vector<uint32_t>{kRed, kGreen, kBlue, kBlack, kRed}));

  BmpFile one;
  one.width = 10;
  one.height = 1;
  one.bitsPerPixel = 1;
  one.palette = {0x000000, 0xFFFFFF};
  one.pixels = PadRows({{0b10110000, 0b01000000}});
  EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(one))),
            (std::vector<uint32_t>{kWhite, kBlack, kWhite, kWhite, kBlack, kBlack, kBlack, kBlack,
                                   kBlack, kWhite}));
}

TEST(BmpDecoder, TwentyFourBitAgreesWithOurEncoder) {
  for (int width : {1, 2, 3, 4, 7}) {
    const Image pattern = test::TestPattern(width, 5);
    const auto decoded = DecodeBmp(EncodeBmp(pattern));
    ASSERT_TRUE(decoded) << width;
    EXPECT_EQ(decoded->pixels, pattern.pixels) << width;
  }
  BmpFile topDown;
  topDown.width = 2;
  topDown.height = -2;
  topDown.pixels = PadRows({{0, 0, 255, 0, 255, 0}, {255, 0, 0, 255, 255, 255}});
  EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(topDown))),
            (std::vector<uint32_t>{kRed, kGreen, kBlue, kWhite}));
}

TEST(BmpDecoder, ThirtyTwoBitUsesAlphaOnlyThroughAMask) {
  BmpFile plain;
  plain.width = 2;
  plain.height = 1;
  plain.bitsPerPixel = 32;
  plain.pixels = {0x10, 0x20, 0x30, 0x00, 0x01, 0x02, 0x03, 0x80};
  EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(plain))), (std::vector<uint32_t>{0xFF302010u, 0xFF030201u}));

  BmpFile v5 = plain;
  v5.headerSize = 124;
  v5.compression = 3;  // BI_BITFIELDS
  v5.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(v5))), (std::vector<uint32_t>{0x00302010u, 0x80030201u}));

  BmpFile v4 = v5;  // masks in another order: RGBA bytes in memory
  v4.headerSize = 108;
  v4.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
  EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(v4))), (std::vector<uint32_t>{0x00102030u, 0x80010203u}));

  BmpFile info = v5;  // the masks follow a plain info header, which has no alpha mask
  info.headerSize = 40;
  info.masks.pop_back();
  EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(info))), (std::vector<uint32_t>{0xFF302010u, 0xFF030201u}));

  BmpFile alphaFields = v5;  // BI_ALPHABITFIELDS: four masks after the info header
  alphaFields.headerSize = 40;
  alphaFields.compression = 6;
  EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(alphaFields))),
            (std::vector<uint32_t>{0x00302010u, 0x80030201u}));
}

TEST(BmpDecoder, SixteenBitStretchesFieldsToFullRange) {
  BmpFile rgb555;
  rgb555.width = 4;
  rgb555.height = 1;
  rgb555.bitsPerPixel = 16;
  // 0x7FFF white, 0x001F blue, 0x8000 (top bit unused) black, 0x0421 the lowest grey.
  rgb555.pixels = {0xFF, 0x7F, 0x1F, 0x00, 0x00, 0x80, 0x21, 0x04};
  EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(rgb555))),
            (std::vector<uint32_t>{kWhite, kBlue, kBlack, 0xFF080808u}));

  BmpFile rgb565 = rgb555;
  rgb565.compression = 3;
  rgb565.masks = {0xF800, 0x07E0, 0x001F};
  // 0xF800 red, 0x07E0 green, 0x0020 the lowest green, 0x0410 about half of each.
  rgb565.pixels = {0x00, 0xF8, 0xE0, 0x07, 0x20, 0x00, 0x10, 0x84};
  EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(rgb565))),
            (std::vector<uint32_t>{kRed, kGreen, 0xFF000400u, 0xFF848284u}));
}

TEST(BmpDecoder, CoreHeaderHasThreeBytePaletteEntries) {
  BmpFile core;
  core.headerSize = 12;
  core.width = 2;
  core.height = 2;
  core.bitsPerPixel = 8;
  core.palette = {0x0000FF, 0xFFFFFF};
  core.pixels = PadRows({{0, 1}, {1, 0}});
  EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(core))),
            (std::vector<uint32_t>{kWhite, kBlue, kBlue, kWhite}));
}

TEST(BmpDecoder, RunLengthStreamsFillRunsAndLeaveSkippedPixelsBlack) {
  BmpFile rle8;
  rle8.width = 5;
  rle8.height = 3;
  rle8.bitsPerPixel = 8;
  rle8.compression = 1;
  rle8.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  rle8.pixels = {
      2, 1,              // bottom row: two red
      0, 3, 2, 3, 2, 0,  // three more in absolute mode, padded to a word
      0, 0,              // end of line
      0, 2, 1, 1,        // delta: one right, one up, to the top row
      1, 3,              // one blue at x 1
      0, 1,              // end of bitmap
  };
  const std::vector<uint32_t> expected8 = {
      kBlack, kBlue,  kBlack, kBlack, kBlack,  // top
      kBlack, kBlack, kBlack, kBlack, kBlack,  // middle: skipped by the delta
      kRed,   kRed,   kGreen, kBlue,  kGreen,  // bottom
  };
  const auto image8 = DecodeBmp(BuildBmp(rle8));
  ASSERT_TRUE(image8);
  EXPECT_EQ(image8->pixels, expected8);

  BmpFile rle4 = rle8;
  rle4.bitsPerPixel = 4;
  rle4.compression = 2;
  rle4.pixels = {
      5, 0x12,              // alternating red, green
      0, 0,                 // end of line
      0, 3,    0x31, 0x20,  // absolute: blue, red, green; two bytes, already a word
      0, 1,
  };
  const std::vector<uint32_t> expected4 = {
      kBlack, kBlack, kBlack, kBlack, kBlack,  // top: never reached
      kBlue,  kRed,   kGreen, kBlack, kBlack,  // middle
      kRed,   kGreen, kRed,   kGreen, kRed,    // bottom
  };
  EXPECT_EQ(Pixels(DecodeBmp(BuildBmp(rle4))), expected4);
}

TEST(BmpDecoder, RunLengthStreamsThatLeaveThePictureAreRefused) {
  BmpFile f;
  f.width = 4;
  f.height = 2;
  f.bitsPerPixel = 8;
  f.compression = 1;
  f.palette = {0x000000, 0xFF0000};
  f.pixels = {5, 1, 0, 1};  // run longer than the row
  ExpectRefused(f, "RLE");
  f.pixels = {0, 2, 0, 2, 1, 1, 0, 1};  // delta to the row above the top, then a pixel
  ExpectRefused(f, "RLE");
  f.pixels = {0, 5, 1, 1, 1, 1, 1, 0, 0, 1};  // absolute run longer than the row
  ExpectRefused(f, "RLE");
  f.pixels = {2, 7, 0, 1};  // index beyond the palette
  ExpectRefused(f, "Palette");
  f.pixels = {2, 1, 0, 0};  // no end of bitmap
  ExpectRefused(f, "abgeschnitten");
  f.pixels = {0, 4, 1, 1};  // absolute run cut short
  ExpectRefused(f, "abgeschnitten");
  f.height = -2;  // RLE is bottom-up only
  f.pixels = {0, 1};
  ExpectRefused(f, "Dateikopf");
}

TEST(BmpDecoder, HostileHeadersAreRefusedBeforeAnyPixelIsRead) {
  struct Case {
    const char* name;
    void (*change)(BmpFile&);
    const char* reason;
  };
  const Case cases[] = {
      {"zero width", [](BmpFile& f) { f.width = 0; }, "leer"},
      {"zero height", [](BmpFile& f) { f.height = 0; }, "leer"},
      {"negative width", [](BmpFile& f) { f.width = -3; }, "Dateikopf"},
      {"too wide", [](BmpFile& f) { f.width = 16385; }, "zu breit"},
      {"too high top-down", [](BmpFile& f) { f.height = -16385; }, "zu breit"},
      {"most negative height", [](BmpFile& f) { f.height = INT32_MIN; }, "zu breit"},
      {"too many pixels", [](BmpFile& f) { f.width = 2048, f.height = 1537; }, "zu viele Pixel"},
      {"large but allowed, data missing", [](BmpFile& f) { f.width = 2048, f.height = 1536; },
       "abgeschnitten"},
      {"widest row of 32-bit pixels", [](BmpFile& f) { f.width = 16384, f.bitsPerPixel = 32; },
       "abgeschnitten"},
      {"two planes", [](BmpFile& f) { f.planes = 2; }, "Dateikopf"},
      {"two bits per pixel", [](BmpFile& f) { f.bitsPerPixel = 2; }, "Farbtiefe"},
      {"zero bits per pixel", [](BmpFile& f) { f.bitsPerPixel = 0; }, "Farbtiefe"},
      {"embedded JPEG", [](BmpFile& f) { f.compression = 4; }, "Kompression"},
      {"RLE4 on eight bits", [](BmpFile& f) { f.compression = 2; }, "Kompression"},
      {"bit fields on 8 bits", [](BmpFile& f) { f.compression = 3; }, "Kompression"},
      {"unknown header size", [](BmpFile& f) { f.headerSize = 64; }, "Dateikopf"},
      {"pixels beyond the end", [](BmpFile& f) { f.pixelOffset = 5000; }, "Dateikopf"},
      {"pixels inside the header", [](BmpFile& f) { f.pixelOffset = 20; }, "Dateikopf"},
      {"no room for a palette", [](BmpFile& f) { f.pixelOffset = 54; }, "Palette fehlt"},
      {"index beyond a short palette", [](BmpFile& f) { f.coloursUsed = 2; }, "Palette"},
      {"last row cut short", [](BmpFile& f) { f.pixels.resize(f.pixels.size() - 2); },
       "abgeschnitten"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BmpFile f = EightBit(2);
    c.change(f);
    ExpectRefused(f, c.reason);
  }
}

TEST(BmpDecoder, HostileMasksAreRefused) {
  BmpFile f;
  f.width = 1;
  f.height = 1;
  f.bitsPerPixel = 16;
  f.compression = 3;
  f.pixels = {0, 0, 0, 0};
  f.masks = {0xF00F, 0x00F0, 0x0F00};  // red with a hole
  ExpectRefused(f, "Farbmasken");
  f.masks = {0x1F0000, 0x07E0, 0x001F};  // beyond 16 bits
  ExpectRefused(f, "Farbmasken");
  f.masks = {0, 0, 0};
  ExpectRefused(f, "Farbmasken");
}

}  // namespace
}  // namespace kb
