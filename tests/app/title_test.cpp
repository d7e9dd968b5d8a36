#include <gtest/gtest.h>

#include "app/game.h"
#include "core/cp1252.h"
#include "core/key_codes.h"
#include "gfx/bmp_encoder.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/memory_file_system.h"

namespace kb {
namespace {

// A whole game on the scripted machine, with a title picture of one colour.
struct FakeGame {
  explicit FakeGame(uint64_t limitMs = 60000) : fake(limitMs) {
    files.Put("Hintergründe\\Titelbild.jpg"_cp, EncodeBmp(Image(1024, 768, kTitleColour)));
  }
  static constexpr uint32_t kTitleColour = 0xFF2040A0u;

  platform::FakePlatform fake;
  platform::MemoryFileSystem files;
  platform::SilentAudio audio;
  platform::Platform platform{fake, fake, fake, fake, files, audio};
  Game game{platform};
};

TEST(TitleScreen, ShowsTheTitleOnceAndWaitsForReturn) {
  FakeGame g;
  g.fake.KeyPressAt(3000, key::kReturn, 100);
  testing::internal::CaptureStderr();
  g.game.Init();
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(g.fake.FramesPresented(), 1u);
  EXPECT_EQ(g.fake.LastFrame()[0], FakeGame::kTitleColour);
  EXPECT_EQ(g.fake.LastFrame()[1024 * 768 - 1], FakeGame::kTitleColour);
  // RETURN at 3 s, then the 100,000 reads of about 0.1 s before the menu.
  EXPECT_GE(g.fake.NowMs(), 3100u);
  EXPECT_LE(g.fake.NowMs(), 3150u);
  EXPECT_EQ(g.game.input.PointerX, 512);
  EXPECT_EQ(g.game.input.PointerY, 50);
}

TEST(TitleScreen, ALeftClickEndsItTooAndTheButtonsAreClearedAfter) {
  FakeGame g;
  g.fake.ClickAt(500, true, 2000);
  testing::internal::CaptureStderr();
  g.game.Init();
  testing::internal::GetCapturedStderr();
  EXPECT_LE(g.fake.NowMs(), 650u);
  EXPECT_EQ(g.game.input.LeftButton, 0);
  EXPECT_EQ(g.game.rules.match.BoutEndCountdown, -1);
}

TEST(TitleScreen, AKeyAlreadyHeldEndsTheWaitAtTheFirstReads) {
  FakeGame g;
  g.fake.KeyDownAt(0, key::kReturn);
  testing::internal::CaptureStderr();
  g.game.Init();
  testing::internal::GetCapturedStderr();
  EXPECT_LE(g.fake.NowMs(), 120u);
}

TEST(TitleScreen, WithoutInputItWaitsUntilTheTimeLimit) {
  FakeGame g(/*limitMs=*/5000);
  testing::internal::CaptureStderr();
  EXPECT_THROW(g.game.Init(), platform::SimulatedTimeout);
  testing::internal::GetCapturedStderr();
}

}  // namespace
}  // namespace kb
