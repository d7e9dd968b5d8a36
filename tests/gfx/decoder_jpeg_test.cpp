#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "gfx/jpeg_decoder.h"
#include "test_images.h"

namespace kb {
namespace {

using test::EncodeJpeg;
using test::JpegOptions;

int Channel(uint32_t pixel, int shift) {
  return static_cast<int>((pixel >> shift) & 0xFFu);
}

// JPEG is lossy: compares each colour channel within a tolerance, alpha exactly.
void ExpectNear(uint32_t actual, uint32_t expected, int tolerance) {
  EXPECT_EQ(actual >> 24, 0xFFu) << std::hex << actual;
  for (int shift : {0, 8, 16}) {
    EXPECT_NEAR(Channel(actual, shift), Channel(expected, shift), tolerance)
        << std::hex << actual << " vs " << expected;
  }
}

std::string ErrorOf(const std::vector<uint8_t>& bytes) {
  std::string error;
  EXPECT_FALSE(DecodeJpeg(bytes, &error).has_value());
  return error;
}

// Probes the middle of each quadrant, away from the ringing at the edges.
void ExpectQuadrants(const Image& image, bool grey) {
  const Image expected = test::Quadrants(image.width, image.height);
  for (int y : {image.height / 4, image.height * 3 / 4}) {
    for (int x : {image.width / 4, image.width * 3 / 4}) {
      uint32_t want = expected.At(x, y);
      if (grey) {
        const uint32_t level =
            (Channel(want, 16) * 77 + Channel(want, 8) * 150 + Channel(want, 0) * 29) >> 8;
        want = 0xFF000000u | level * 0x010101u;
      }
      ExpectNear(image.At(x, y), want, 12);
    }
  }
}

TEST(JpegDecoder, ColourAndGreyDecodeToOpaqueArgb) {
  struct Case {
    const char* name;
    JpegOptions options;
  };
  const Case cases[] = {
      {"baseline", {}},
      {"progressive", {.progressive = true}},
      {"grey", {.grayscale = true}},
      {"grey progressive", {.grayscale = true, .progressive = true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto image = DecodeJpeg(EncodeJpeg(test::Quadrants(48, 32), c.options));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 48);
    ASSERT_EQ(image->height, 32);
    ASSERT_EQ(image->pixels.size(), 48u * 32u);
    ExpectQuadrants(*image, c.options.grayscale);
  }
}

TEST(JpegDecoder, OddSizesKeepTheirExactDimensions) {
  for (int width : {1, 7, 17}) {
    const auto image = DecodeJpeg(EncodeJpeg(test::Quadrants(width, 3)));
    ASSERT_TRUE(image) << width;
    EXPECT_EQ(image->width, width);
    EXPECT_EQ(image->height, 3);
  }
}

TEST(JpegDecoder, CmykIsRefused) {
  EXPECT_NE(ErrorOf(test::EncodeCmykJpeg(8, 8)).find("CMYK"), std::string::npos);
}

TEST(JpegDecoder, TruncatedFilesAreErrorsRatherThanGreyPadding) {
  const std::vector<uint8_t> good = EncodeJpeg(test::TestPattern(64, 64), {.quality = 90});
  ASSERT_TRUE(DecodeJpeg(good));
  for (std::size_t keep : {good.size() / 2, good.size() - 10, good.size() - 2}) {
    SCOPED_TRACE(keep);
    const std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(keep));
    EXPECT_NE(ErrorOf(cut).find("abgeschnitten"), std::string::npos);
  }
}

TEST(JpegDecoder, DamagedAndHostileFilesAreRefused) {
  const std::vector<uint8_t> good = EncodeJpeg(test::Quadrants(16, 16));
  EXPECT_NE(ErrorOf({0xFF, 0xD8}).find("abgeschnitten"), std::string::npos);
  EXPECT_NE(ErrorOf({0xFF, 0xD8, 0x12, 0x34, 0x56}).find("abgeschnitten"), std::string::npos);
  EXPECT_NE(ErrorOf({0xFF, 0xD8, 0xFF, 0xD9}).find("fehlerhaft"), std::string::npos);
  EXPECT_NE(ErrorOf({}).find("leer"), std::string::npos);

  // The frame header (FF C0) holds the height, then the width, as 16-bit values.
  std::size_t frame = 2;
  while (frame + 1 < good.size() && !(good[frame] == 0xFF && good[frame + 1] == 0xC0)) ++frame;
  ASSERT_LT(frame + 9, good.size());
  auto withSize = [&](int width, int height) {
    std::vector<uint8_t> bytes = good;
    bytes[frame + 5] = static_cast<uint8_t>(height >> 8);
    bytes[frame + 6] = static_cast<uint8_t>(height);
    bytes[frame + 7] = static_cast<uint8_t>(width >> 8);
    bytes[frame + 8] = static_cast<uint8_t>(width);
    return bytes;
  };
  EXPECT_NE(ErrorOf(withSize(20000, 16)).find("zu breit"), std::string::npos);
  EXPECT_NE(ErrorOf(withSize(2048, 1537)).find("zu viele Pixel"), std::string::npos);
  // Allowed, but the data for the big picture is not there.
  EXPECT_FALSE(DecodeJpeg(withSize(2048, 1536)));
  EXPECT_FALSE(DecodeJpeg(withSize(0, 16)));

  // Damage inside the entropy-coded data: a marker where none may be.
  std::vector<uint8_t> marker = good;
  marker[marker.size() - 20] = 0xFF;
  marker[marker.size() - 19] = 0xD0 + 5;
  EXPECT_FALSE(DecodeJpeg(marker));
}

TEST(JpegDecoder, ScanCountIsLimited) {
  // A grey picture can have a DC scan and one scan per AC coefficient: 64 in all.
  const auto many =
      DecodeJpeg(EncodeJpeg(test::Quadrants(16, 16), {.grayscale = true, .scanCount = 64}));
  ASSERT_TRUE(many);
  ExpectQuadrants(*many, true);
  const std::string error = ErrorOf(EncodeJpeg(test::Quadrants(16, 16), {.scanCount = 150}));
  EXPECT_NE(error.find("scans"), std::string::npos) << error;
}

}  // namespace
}  // namespace kb
