#include <gtest/gtest.h>

#include "core/cp1252.h"
#include "extras_support.h"
#include "gfx/bmp_decoder.h"

namespace kb {
namespace {

struct ScreenshotFixture : ::testing::Test {
  ScreenshotFixture() : script(g) {
    g.game.renderer.BeginFrame();
    g.game.sprites.DrawBackground(g.game.resources.menuBackground);
    g.game.text.DrawText("Foto", 100, 100, 0xFFFF0000u);
    g.game.renderer.EndFrame();
    picture = g.fake.LastFrame();
  }
  test::FakeGame g;
  test::FrameScript script;
  std::vector<uint32_t> picture;
};

TEST_F(ScreenshotFixture, SavesTheFrameOnScreenBeforeThePromptUnderTheTypedName) {
  bool prompted = false;
  int frames = 0;
  const std::vector<std::vector<uint8_t>> typing = {
      {0x30}, {0x17}, {key::kLeftShift, 0x26}, {key::k1}, {key::kReturn}};  // "biL1"
  script.EveryFrame([&](uint64_t) {
    if (frames == 0) {
      prompted = test::ShowsText(g, "Bitte geben sie den Dateinamen für den Screenshot ein"_cp, 300,
                                 120, 0xFFFFFFFFu);
    }
    if (frames == 4) {
      EXPECT_TRUE(test::ShowsText(g, "biL1_", 300, 140, 0xFF0000FFu));
    }
    if (frames < 5) test::PressForNextStep(g, typing[static_cast<size_t>(frames)]);
    ++frames;
  });
  g.game.TakeScreenshot();
  EXPECT_TRUE(prompted);
  EXPECT_EQ(g.screens, (std::vector<std::string>{"screenshot", "file name entry"}));

  const std::vector<uint8_t>* file = g.files.memory().Find("Screenshots\\biL1.bmp");
  ASSERT_NE(file, nullptr);
  const std::optional<Image> saved = DecodeBmp(*file);
  ASSERT_TRUE(saved.has_value());
  ASSERT_EQ(saved->width, 1024);
  ASSERT_EQ(saved->height, 768);
  size_t differing = 0;
  for (size_t i = 0; i < picture.size(); ++i) {
    differing += (saved->pixels[i] & 0xFFFFFFu) != (picture[i] & 0xFFFFFFu) ? 1 : 0;
  }
  EXPECT_EQ(differing, 0u);
}

TEST_F(ScreenshotFixture, AFailedSaveIsReportedOnceWholeAndAnEmptyNameSavesDotBmp) {
  // The longest name still leaves the whole message.
  int steps = 0;
  script.EveryFrame([&](uint64_t) {
    const uint8_t letter = steps % 2 == 0 ? 0x1E : 0x1F;  // 'a', 's'
    test::PressForNextStep(g, {steps++ < 31 ? letter : key::kReturn});
  });
  g.files.memory().FailWrites(true);
  testing::internal::CaptureStderr();
  g.game.TakeScreenshot();
  const std::string log = testing::internal::GetCapturedStderr();
  std::string name;
  for (int i = 0; i < 31; ++i) name += i % 2 == 0 ? 'a' : 's';
  EXPECT_NE(log.find("Screenshots\\" + name + ".bmp\" konnte nicht gespeichert werden.\n"),
            std::string::npos)
      << log;
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);

  g.files.memory().FailWrites(false);
  script.EveryFrame([&](uint64_t) { test::PressForNextStep(g, {key::kReturn}); });
  g.game.TakeScreenshot();
  EXPECT_NE(g.files.memory().Find("Screenshots\\.bmp"), nullptr);
}

}  // namespace
}  // namespace kb
