#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "gfx/image_decoder.h"
#include "test_images.h"

namespace kb {
namespace {

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
  for (const test::SampleFile& s : test::SampleFiles()) {
    std::string error;
    const auto image = DecodeImage(s.bytes, &error);
    ASSERT_TRUE(image) << s.name << ": " << error;
    EXPECT_EQ(image->width, s.name == "baseline.jpg" ? 16 : 9) << s.name;
  }
  std::string error;
  EXPECT_FALSE(DecodeImage({}, &error));
  EXPECT_EQ(error, "Bild: Datei ist leer");
  const std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a'};
  EXPECT_FALSE(DecodeImage(gif, &error));
  EXPECT_EQ(error, "Bild: Format unbekannt");
  EXPECT_FALSE(DecodeImage(gif));  // the message is optional
  const std::vector<std::vector<uint8_t>> stubs = {
      {'B', 'M'}, {0xFF, 0xD8}, {0x89, 'P', 'N', 'G', 13, 10, 26, 10}};
  const char* prefixes[] = {"BMP: ", "JPEG: ", "PNG: "};
  for (std::size_t i = 0; i < stubs.size(); ++i) {
    EXPECT_FALSE(DecodeImage(stubs[i], &error));
    EXPECT_TRUE(error.starts_with(prefixes[i])) << error;
  }
}

TEST(ImageDecoder, EveryTruncationFailsOrGivesTheWholePicture) {
  for (const test::SampleFile& s : test::SampleFiles()) {
    const auto whole = DecodeImage(s.bytes);
    ASSERT_TRUE(whole) << s.name;
    for (std::size_t keep = 0; keep < s.bytes.size(); ++keep) {
      const std::vector<uint8_t> cut(s.bytes.begin(), s.bytes.begin() + static_cast<long>(keep));
      const std::string what = s.name + " cut to " + std::to_string(keep);
      std::string error;
      const auto image = DecodeImage(cut, &error);
      if (image) {
        // Only a BMP that lacks the padding of its last row may still decode.
        EXPECT_TRUE(s.name.ends_with(".bmp")) << what;
        EXPECT_EQ(image->width, whole->width) << what;
        EXPECT_EQ(image->height, whole->height) << what;
        EXPECT_EQ(image->pixels.size(), whole->pixels.size()) << what;
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
  for (const test::SampleFile& s : test::SampleFiles()) {
    for (int round = 0; round < 300; ++round) {
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
