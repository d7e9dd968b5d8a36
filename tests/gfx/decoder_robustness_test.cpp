#include <gtest/gtest.h>

#include <png.h>

#include <filesystem>
#include <string>

#include "gfx/bmp_encoder.h"
#include "gfx/image_decoder.h"
#include "test_images.h"

namespace kb {
namespace {

struct Sample {
  std::string name;
  std::vector<uint8_t> bytes;
  int width;
  int height;
};

// One good file of each kind the decoders handle differently.
std::vector<Sample> GoodSamples() {
  std::vector<Sample> samples;
  const Image pattern = test::TestPattern(13, 7);
  samples.push_back({"bmp24", EncodeBmp(pattern), 13, 7});

  test::BmpFile indexed;
  indexed.width = 13;
  indexed.height = -7;
  indexed.bitsPerPixel = 4;
  indexed.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  for (int i = 0; i < 7 * 8; ++i) indexed.pixels.push_back(static_cast<uint8_t>(i % 5 * 17));
  samples.push_back({"bmp4", test::BuildBmp(indexed), 13, 7});

  test::BmpFile rle = indexed;
  rle.height = 7;
  rle.bitsPerPixel = 8;
  rle.compression = 1;
  rle.pixels.clear();
  for (int y = 0; y < 7; ++y) {
    rle.pixels.insert(rle.pixels.end(),
                      {5, static_cast<uint8_t>(y % 5), 0, 5, 1, 2, 3, 4, 0, 0, 3, 4, 0, 0});
  }
  rle.pixels.insert(rle.pixels.end(), {0, 1});
  samples.push_back({"bmp rle8", test::BuildBmp(rle), 13, 7});

  test::BmpFile fields;
  fields.headerSize = 124;
  fields.width = 13;
  fields.height = 7;
  fields.bitsPerPixel = 32;
  fields.compression = 3;
  fields.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  for (int i = 0; i < 13 * 7 * 4; ++i) fields.pixels.push_back(static_cast<uint8_t>(i * 7));
  samples.push_back({"bmp32 v5", test::BuildBmp(fields), 13, 7});

  test::PngFile png;
  png.width = 13;
  png.height = 7;
  for (int i = 0; i < 13 * 7 * 4; ++i) png.samples.push_back(static_cast<uint8_t>(i * 5));
  samples.push_back({"png rgba", test::BuildPng(png), 13, 7});
  png.interlaced = true;
  samples.push_back({"png interlaced", test::BuildPng(png), 13, 7});
  test::PngFile palette;
  palette.width = 13;
  palette.height = 7;
  palette.colourType = PNG_COLOR_TYPE_PALETTE;
  palette.bitDepth = 2;
  palette.palette = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
  palette.paletteAlpha = {0, 128};
  for (int i = 0; i < 7 * 4; ++i) palette.samples.push_back(static_cast<uint8_t>(i * 29));
  samples.push_back({"png palette", test::BuildPng(palette), 13, 7});

  samples.push_back({"jpeg", test::EncodeJpeg(pattern), 13, 7});
  samples.push_back({"jpeg progressive", test::EncodeJpeg(pattern, {.progressive = true}), 13, 7});
  return samples;
}

// What every answer to hostile input must look like: an error with a message,
// or a whole picture within the limits.
void ExpectSound(const std::vector<uint8_t>& bytes, const std::string& what) {
  std::string error;
  const std::optional<Image> image = DecodeImage(bytes, &error);
  if (!image) {
    EXPECT_FALSE(error.empty()) << what;
    return;
  }
  EXPECT_GT(image->width, 0) << what;
  EXPECT_GT(image->height, 0) << what;
  EXPECT_LE(image->width, kMaxImageSide) << what;
  EXPECT_LE(image->height, kMaxImageSide) << what;
  EXPECT_EQ(image->pixels.size(), static_cast<std::size_t>(image->width) * image->height) << what;
}

TEST(ImageDecoder, RecognisesEachFormatBySignature) {
  for (const Sample& s : GoodSamples()) {
    std::string error;
    const auto image = DecodeImage(s.bytes, &error);
    ASSERT_TRUE(image) << s.name << ": " << error;
    EXPECT_EQ(image->width, s.width) << s.name;
    EXPECT_EQ(image->height, s.height) << s.name;
  }
  std::string error;
  EXPECT_FALSE(DecodeImage({}, &error));
  EXPECT_EQ(error, "Bild: Datei ist leer");
  const std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a'};
  EXPECT_FALSE(DecodeImage(gif, &error));
  EXPECT_EQ(error, "Bild: Format unbekannt");
  for (const std::vector<uint8_t>& stub :
       {std::vector<uint8_t>{'B', 'M'}, std::vector<uint8_t>{0xFF, 0xD8},
        std::vector<uint8_t>{0x89, 'P', 'N', 'G', 13, 10, 26, 10}}) {
    EXPECT_FALSE(DecodeImage(stub, &error));
    EXPECT_TRUE(error.starts_with("BMP:") || error.starts_with("JPEG:") ||
                error.starts_with("PNG:"))
        << error;
  }
  EXPECT_FALSE(DecodeImage(gif));  // the message is optional
}

TEST(ImageDecoder, EveryTruncationFailsOrGivesTheWholePicture) {
  for (const Sample& s : GoodSamples()) {
    for (std::size_t keep = 0; keep < s.bytes.size(); ++keep) {
      const std::vector<uint8_t> cut(s.bytes.begin(), s.bytes.begin() + static_cast<long>(keep));
      const std::string what = s.name + " cut to " + std::to_string(keep);
      std::string error;
      const auto image = DecodeImage(cut, &error);
      if (image) {
        // Only a BMP that lacks the padding of its last row may still decode.
        EXPECT_TRUE(s.name.starts_with("bmp")) << what;
        EXPECT_EQ(image->width, s.width) << what;
        EXPECT_EQ(image->height, s.height) << what;
        EXPECT_EQ(image->pixels.size(), static_cast<std::size_t>(s.width) * s.height) << what;
      } else {
        EXPECT_FALSE(error.empty()) << what;
      }
    }
  }
}

TEST(ImageDecoder, ByteDamageNeverBreaksTheDecoder) {
  uint32_t state = 12345;
  auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return state >> 8;
  };
  for (const Sample& s : GoodSamples()) {
    for (int round = 0; round < 400; ++round) {
      std::vector<uint8_t> bytes = s.bytes;
      const int changes = 1 + static_cast<int>(next() % 4);
      for (int i = 0; i < changes; ++i) {
        // Keep the signature, so the damage reaches the format's own decoder.
        const std::size_t at = 2 + next() % (bytes.size() - 2);
        bytes[at] =
            (next() & 1) ? static_cast<uint8_t>(next()) : static_cast<uint8_t>(bytes[at] ^ 0x80);
      }
      ExpectSound(bytes, s.name + " round " + std::to_string(round));
    }
  }
}

// Inputs that once broke a decoder, kept so they never do again.
TEST(ImageDecoder, RegressionFilesDecodeSoundly) {
  const std::filesystem::path folder = std::filesystem::path(KB_TEST_DATA_DIR) / "regressions";
  ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
    ExpectSound(test::ReadFileBytes(entry.path().string()), entry.path().filename().string());
  }
}

}  // namespace
}  // namespace kb
