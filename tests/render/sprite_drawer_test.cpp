#include "render/sprite_drawer.h"

#include <gtest/gtest.h>

#include "gfx/bmp_encoder.h"
#include "null_display.h"
#include "platform/fake/memory_file_system.h"
#include "render/resources.h"

namespace kb {
namespace {

class SpriteDrawerTest : public ::testing::Test {
 protected:
  SpriteDrawerTest() : renderer(display), sprites(renderer, files) { renderer.BeginFrame(); }
  uint32_t At(int x, int y) const { return renderer.BackImage().At(x, y); }
  void PutPicture(const char* name, const Image& image) { files.Put(name, EncodeBmp(image)); }

  test::NullDisplay display;
  platform::MemoryFileSystem files;
  Renderer renderer;
  SpriteDrawer sprites;
};

TEST_F(SpriteDrawerTest, MissingOrDamagedFilesGiveEmptyHandlesThatDrawNothingReportedOnce) {
  files.Put("kaputt.bmp", {'B', 'M', 1, 2, 3});
  testing::internal::CaptureStderr();
  const TextureHandle missing = sprites.LoadTexture("Grafiksets\\Classic\\fehlt.bmp", 48, 48);
  const TextureHandle broken = sprites.LoadTexture("kaputt.bmp", 48, 48);
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_EQ(missing, kNoHandle);
  EXPECT_EQ(broken, kNoHandle);
  EXPECT_NE(log.find("Grafiksets\\Classic\\fehlt.bmp"), std::string::npos);
  EXPECT_NE(log.find("kaputt.bmp"), std::string::npos);
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2);
  sprites.Draw(missing, {.x = 10, .y = 10}, 0xFFFFFFFFu);
  sprites.DrawPart(broken, {.x = 10, .y = 10}, {0, 0, 8, 8}, 0xFFFFFFFFu);
  EXPECT_EQ(At(10, 10), 0xFF000000u);
}

TEST_F(SpriteDrawerTest, TexturesTakeTheAskedSizeAndBlackBecomesTransparent) {
  Image picture(2, 1);
  picture.At(0, 0) = 0xFFFF0000u;
  picture.At(1, 0) = 0xFF000000u;
  PutPicture("a.bmp", picture);
  const TextureHandle t = sprites.LoadTexture("a.bmp", 4, 2);
  ASSERT_NE(sprites.Texture(t), nullptr);
  EXPECT_EQ(sprites.Texture(t)->width, 4);
  EXPECT_EQ(sprites.Texture(t)->height, 2);
  renderer.BeginFrame();
  std::fill(renderer.BackBuffer().pixels, renderer.BackBuffer().pixels + 1024 * 768, 0xFF123456u);
  sprites.Draw(t, {}, 0xFFFFFFFFu);
  EXPECT_EQ(At(1, 1), 0xFFFF0000u);
  EXPECT_EQ(At(2, 0), 0xFF123456u);
}

TEST_F(SpriteDrawerTest, SurfacesExistEvenWithoutTheirFileAndBackgroundsFillTheScreen) {
  testing::internal::CaptureStderr();
  const SurfaceHandle staging = sprites.LoadSurface("Titelbild.bmp", true, 1024, 768);
  testing::internal::GetCapturedStderr();
  PutPicture("bg.bmp", Image(1024, 768, 0xFF336699u));
  const SurfaceHandle bg = sprites.LoadSurface("bg.bmp", false, 1024, 768);
  ASSERT_FALSE(sprites.SurfacePicture(staging).Empty());
  sprites.DrawBackground(bg);
  EXPECT_EQ(At(0, 0), 0xFF336699u);
  EXPECT_EQ(At(1023, 767), 0xFF336699u);
  // The staging surface now holds the background, as the original's did.
  EXPECT_EQ(sprites.SurfacePicture(staging).At(5, 5), 0xFF336699u);
}

TEST_F(SpriteDrawerTest, OddSurfaceSizesLoseAPixelToIntegerHalves) {
  PutPicture("s.bmp", Image(10, 10, 0xFFABCDEFu));
  const SurfaceHandle s = sprites.LoadSurface("s.bmp", false, 10, 10);
  sprites.DrawSurface(s, 100, 100, 11, 9);  // 95..105 x 96..104: 10 x 8
  int count = 0;
  for (int y = 80; y < 120; ++y) {
    for (int x = 80; x < 120; ++x) count += At(x, y) == 0xFFABCDEFu ? 1 : 0;
  }
  EXPECT_EQ(count, 10 * 8);
  EXPECT_EQ(At(95, 96), 0xFFABCDEFu);
  EXPECT_EQ(At(105, 96), 0xFF000000u);
}

TEST_F(SpriteDrawerTest, CatalogueAsksForEveryFileAndSurvivesAnEmptyFolder) {
  Resources resources;
  testing::internal::CaptureStderr();
  LoadResources(sprites, resources);
  const std::string log = testing::internal::GetCapturedStderr();
  // 6 x 21 stone textures, 3 x 9 snake textures, 48 single textures and 7
  // surfaces: one report line per file.
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 126 + 27 + 48 + 7);
  EXPECT_NE(log.find("Snake Grafiksets\\Steinw\xc3\xbcste\\egg.bmp"), std::string::npos);
  EXPECT_EQ(resources.Stones(5).stone[0], kNoHandle);
  EXPECT_NE(resources.staging, kNoHandle);
}

TEST_F(SpriteDrawerTest, SetIndicesOutsideTheRangeUseAnExistingSet) {
  Resources resources;
  resources.stoneSets[0].cursor = 7;
  resources.stoneSets[5].cursor = 9;
  resources.snakeSets[2].egg = 11;
  EXPECT_EQ(resources.Stones(-3).cursor, 7);
  EXPECT_EQ(resources.Stones(99).cursor, 9);
  EXPECT_EQ(resources.Snake(1000000).egg, 11);
}

}  // namespace
}  // namespace kb
