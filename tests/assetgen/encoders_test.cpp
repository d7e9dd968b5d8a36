#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "canvas.h"
#include "gfx/image_decoder.h"
#include "jpeg_writer.h"
#include "ogg_writer.h"
#include "shapes.h"
#include "wav_writer.h"

namespace kb::assetgen {
namespace {

uint32_t U32(const std::vector<uint8_t>& b, std::size_t at) {
  return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
         static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

int16_t Sample(const std::vector<uint8_t>& b, std::size_t index) {
  return static_cast<int16_t>(b[44 + 2 * index] | b[45 + 2 * index] << 8);
}

// The key colour decides visibility in the game, so the step from painted
// coverage to pixels must be exact.
TEST(AssetCanvasTest, KeyedPicturesAreBlackOnlyWhereTransparent) {
  Canvas canvas(4, 1);
  canvas.Set(0, 0, Rgba{0, 0, 0, 1});              // painted black: must stay visible
  canvas.Set(1, 0, Rgba{1, 0, 0, 0.49f});          // less than half covered: the key
  canvas.Set(2, 0, Rgba{0.2f, 0.4f, 0.6f, 0.5f});  // half covered: visible as is
  const Image keyed = canvas.ToKeyedImage();
  EXPECT_EQ(keyed.At(0, 0), 0xFF080808u);
  EXPECT_EQ(keyed.At(1, 0), 0xFF000000u);
  EXPECT_EQ(keyed.At(2, 0), 0xFF336699u);
  EXPECT_EQ(keyed.At(3, 0), 0xFF000000u);

  const Image opaque = canvas.ToOpaqueImage(Rgba{1, 1, 1, 1});
  EXPECT_EQ(opaque.At(3, 0), 0xFFFFFFFFu);
  EXPECT_EQ(opaque.At(0, 0), 0xFF000000u);
}

TEST(AssetCanvasTest, BlendingComposesSourceOver) {
  Canvas canvas(1, 1, Rgba{0, 0, 1, 1});
  canvas.Blend(0, 0, Rgba{1, 0, 0, 1}, 0.25f);
  const Rgba p = canvas.At(0, 0);
  EXPECT_NEAR(p.r, 0.25f, 1e-5f);
  EXPECT_NEAR(p.b, 0.75f, 1e-5f);
  EXPECT_NEAR(p.a, 1.0f, 1e-5f);
  canvas.Blend(5, 5, Rgba{1, 1, 1, 1});  // outside: ignored, no crash
}

TEST(AssetShapesTest, DistancesAreNegativeInsideEvenForConcaveShapes) {
  const std::vector<Vec2> star = StarPolygon(Vec2{0, 0}, 10.0f, 4.0f, 5, -1.5708f);
  EXPECT_LT(PolygonSdf(Vec2{0, 0}, star), -3.0f);
  EXPECT_LT(PolygonSdf(Vec2{0, -8}, star), 0.0f);  // inside the top point
  // Between two points, inside the circle of the tips but outside the star.
  EXPECT_GT(
      PolygonSdf(Vec2{std::cos(-1.5708f + 0.6283f) * 8.0f, std::sin(-1.5708f + 0.6283f) * 8.0f},
                 star),
      0.0f);
  EXPECT_NEAR(BoxSdf(Vec2{15, 0}, Vec2{0, 0}, Vec2{10, 5}), 5.0f, 1e-5f);
  EXPECT_NEAR(BoxSdf(Vec2{0, 0}, Vec2{0, 0}, Vec2{10, 5}), -5.0f, 1e-5f);
  EXPECT_NEAR(RingSdf(Vec2{12, 0}, Vec2{0, 0}, 10.0f, 1.0f), 1.0f, 1e-5f);
}

// Includes the odd shapes of the grid line and the snake bar.
TEST(AssetEncoderTest, JpegDecodesToThePictureWithinCompressionNoise) {
  for (auto [w, h] : {std::pair{48, 48}, {768, 1}, {5, 768}}) {
    const Image image(w, h, 0xFF3C4660u);
    const std::vector<uint8_t> jpeg = EncodeJpeg(image, 92);
    std::string error;
    const std::optional<Image> back = DecodeImage(jpeg, &error);
    ASSERT_TRUE(back.has_value()) << error;
    ASSERT_EQ(back->width, w);
    ASSERT_EQ(back->height, h);
    for (uint32_t p : back->pixels) {
      EXPECT_NEAR(static_cast<int>((p >> 16) & 0xFF), 0x3C, 3);
      EXPECT_NEAR(static_cast<int>(p & 0xFF), 0x60, 3);
    }
  }
  // A saturated thin line keeps its colour: no chroma halving.
  Image line(64, 8, 0xFF101010u);
  for (int x = 0; x < 64; ++x) line.At(x, 4) = 0xFFFF2020u;
  const std::optional<Image> back = DecodeImage(EncodeJpeg(line, 92));
  ASSERT_TRUE(back.has_value());
  EXPECT_GT(static_cast<int>((back->At(32, 4) >> 16) & 0xFF), 200);
}

TEST(AssetEncoderTest, WavHeaderAndSamples) {
  const std::vector<float> samples = {0.0f, 0.5f, -0.5f, 1.0f, -1.0f, 2.0f, -3.0f, 0.25f};
  const std::vector<uint8_t> wav = EncodeWav(samples, 22050, 2);
  ASSERT_EQ(wav.size(), 44u + 16u);
  EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
  EXPECT_EQ(U32(wav, 4), wav.size() - 8);
  EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(wav[22], 2);                 // channels
  EXPECT_EQ(U32(wav, 24), 22050u);       // rate
  EXPECT_EQ(U32(wav, 28), 22050u * 4u);  // bytes per second
  EXPECT_EQ(wav[32], 4);                 // block align
  EXPECT_EQ(std::string(wav.begin() + 36, wav.begin() + 40), "data");
  EXPECT_EQ(U32(wav, 40), 16u);
  EXPECT_EQ(Sample(wav, 1), 16384);
  EXPECT_EQ(Sample(wav, 2), -16384);
  EXPECT_EQ(Sample(wav, 3), 32767);
  EXPECT_EQ(Sample(wav, 5), 32767);   // clipped
  EXPECT_EQ(Sample(wav, 6), -32767);  // clipped
}

// The game asks the music file for its length, so the stream must end at the
// last sample written.
TEST(AssetEncoderTest, OggStreamEndsAtTheLastSample) {
  StereoBuffer tone;
  tone.sampleRate = 44100;
  const std::size_t n = 44100 * 3 + 123;
  for (std::size_t i = 0; i < n; ++i) {
    const float s = 0.3f * std::sin(static_cast<float>(i) * 0.0627f);
    tone.left.push_back(s);
    tone.right.push_back(-s);
  }
  const std::vector<uint8_t> ogg = EncodeOggVorbis(tone, 0.3f, "Test", "Test");
  ASSERT_GT(ogg.size(), 1000u);
  EXPECT_EQ(EncodeOggVorbis(tone, 0.3f, "Test", "Test"), ogg);
  const std::size_t body = 27 + ogg[26];
  EXPECT_EQ(std::string(ogg.begin() + body + 1, ogg.begin() + body + 7), "vorbis");
  EXPECT_EQ(ogg[body + 11], 2);  // channels
  EXPECT_EQ(U32(ogg, body + 12), 44100u);
  std::size_t last = ogg.size() - 27;
  while (last > 0 && std::string(ogg.begin() + last, ogg.begin() + last + 4) != "OggS") --last;
  EXPECT_EQ(ogg[last + 5] & 4, 4);  // end of stream
  EXPECT_EQ(U32(ogg, last + 6), n);
}

}  // namespace
}  // namespace kb::assetgen
