#include <gtest/gtest.h>

#include "extras_support.h"
#include "gfx/bmp_decoder.h"

namespace kb {
namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlue = 0xFF0000FFu;
const char* const kPrompt = "Bitte geben sie den Dateinamen für den Screenshot ein";

struct ScreenshotFixture : ::testing::Test {
  ScreenshotFixture() : script(g) {}
  // A frame to be photographed: the menu background with a text over it.
  std::vector<uint32_t> PresentAPicture() {
    g.game.renderer.BeginFrame();
    g.game.sprites.DrawBackground(g.game.resources.menuBackground);
    g.game.text.DrawText("Foto", 100, 100, 0xFFFF0000u);
    g.game.renderer.EndFrame();
    return g.fake.LastFrame();
  }
  test::FakeGame g;
  test::FrameScript script;
};

TEST_F(ScreenshotFixture, SavesTheFrameOnScreenBeforeThePromptUnderTheTypedName) {
  const std::vector<uint32_t> picture = PresentAPicture();
  bool prompted = false;
  bool typedShown = false;
  int promptFrames = 0;
  const std::vector<std::vector<uint8_t>> typing = {{0x30}, {0x17},    {key::kLeftShift, 0x26},
                                                    {0x12}, {key::k1}, {key::kReturn}};  // "biLe1"
  script.EveryFrame([&](uint64_t) {
    if (g.screens.back() != "file name entry") return;
    if (promptFrames == 0) {
      prompted =
          test::ShowsText(g, kPrompt, 300, 120, kWhite) && test::ShowsText(g, "_", 300, 140, kBlue);
    }
    if (promptFrames == 5) typedShown = test::ShowsText(g, "biLe1_", 300, 140, kBlue);
    if (promptFrames < static_cast<int>(typing.size()))
      test::PressForNextStep(g, typing[promptFrames]);
    ++promptFrames;
  });
  g.fake.KeyDownAt(g.Now(), key::kF1);  // still held, as on the screen that called it
  g.fake.KeyUpAt(g.Now() + 50, key::kF1);
  g.game.input.ReadKeyboard();
  g.game.TakeScreenshot();
  EXPECT_TRUE(prompted);
  EXPECT_TRUE(typedShown);
  EXPECT_EQ(g.screens, (std::vector<std::string>{"screenshot", "file name entry"}));

  const std::vector<uint8_t>* file = g.files.memory().Find("Screenshots\\biLe1.bmp");
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
  // The player sees the prompt's last frame, the file keeps the picture.
  EXPECT_NE(g.fake.LastFrame(), picture);
}

TEST_F(ScreenshotFixture, AnEmptyNameSavesDotBmpAndAFailedSaveIsReportedOnceAndPassesOn) {
  PresentAPicture();
  script.EveryFrame([&](uint64_t) { test::PressForNextStep(g, {key::kReturn}); });
  g.game.TakeScreenshot();
  EXPECT_NE(g.files.memory().Find("Screenshots\\.bmp"), nullptr);

  g.files.memory().FailWrites(true);
  testing::internal::CaptureStderr();
  const uint64_t start = g.Now();
  g.game.TakeScreenshot();
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("Screenshot"), std::string::npos);
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);
  // A prompt step or two, then the closing flush of 100,000 reads.
  EXPECT_LE(g.Now() - start, 500u);
}

TEST_F(ScreenshotFixture, F1OnTheNameEntryPhotographsThatScreen) {
  std::vector<uint32_t> nameScreen;
  int nameFrames = 0;
  script.EveryFrame([&](uint64_t) {
    const std::string& screen = g.screens.back();
    if (screen == "name entry") {
      ++nameFrames;
      if (nameFrames == 2) {
        nameScreen = g.fake.LastFrame();
        test::PressForNextStep(g, {key::kF1});
      }
      if (nameFrames > 3) test::PressForNextStep(g, {key::kReturn});
    }
    if (screen == "file name entry") test::PressForNextStep(g, {0x1E, key::kReturn});  // "a"
    if (screen == "highscores") test::PressForNextStep(g, {key::kEscape});
  });
  g.game.OfferHighscore(10);
  const std::vector<uint8_t>* file = g.files.memory().Find("Screenshots\\a.bmp");
  ASSERT_NE(file, nullptr);
  const std::optional<Image> saved = DecodeBmp(*file);
  ASSERT_TRUE(saved.has_value());
  // The step after the one that saw F1 drew the same picture again.
  ASSERT_FALSE(nameScreen.empty());
  size_t differing = 0;
  for (size_t i = 0; i < nameScreen.size(); ++i) {
    differing += (saved->pixels[i] & 0xFFFFFFu) != (nameScreen[i] & 0xFFFFFFu) ? 1 : 0;
  }
  EXPECT_EQ(differing, 0u);
  EXPECT_EQ(g.screens, (std::vector<std::string>{"highscore entry", "name entry", "screenshot",
                                                 "file name entry", "highscores"}));
}

}  // namespace
}  // namespace kb
