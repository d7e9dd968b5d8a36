#include "input/input_device.h"

#include <gtest/gtest.h>

#include "input/key_codes.h"
#include "platform/fake/fake_platform.h"

namespace kb {
namespace {

TEST(InputDevice, PointerIsClampedToTheScreenIncludingItsFarEdge) {
  platform::FakePlatform fake;
  InputDevice input(fake, fake);
  input.Init();
  EXPECT_EQ(input.PointerX, 512);
  EXPECT_EQ(input.PointerY, 384);
  fake.MouseMoveAt(0, -5000, -5000);
  input.ReadMouse();
  EXPECT_EQ(input.PointerX, 0);
  EXPECT_EQ(input.PointerY, 0);
  fake.MouseMoveAt(0, 5000, 5000);
  input.ReadMouse();
  EXPECT_EQ(input.PointerX, 1024);
  EXPECT_EQ(input.PointerY, 768);
  fake.MouseMoveAt(0, -24, -1);
  input.ReadMouse();
  EXPECT_EQ(input.PointerX, 1000);
  EXPECT_EQ(input.PointerY, 767);
}

TEST(InputDevice, ButtonsAreLevelsThatClearingOnlyHidesUntilTheNextRead) {
  platform::FakePlatform fake;
  InputDevice input(fake, fake);
  fake.ButtonAt(0, true, true);
  input.ReadMouse();
  EXPECT_EQ(input.LeftButton, 1);
  input.ClearButtons();
  EXPECT_EQ(input.LeftButton, 0);
  input.ReadMouse();
  EXPECT_EQ(input.LeftButton, 1);
  EXPECT_EQ(input.RightButton, 0);
}

TEST(InputDevice, HeldKeysStaySetInEveryRead) {
  platform::FakePlatform fake;
  InputDevice input(fake, fake);
  fake.KeyPressAt(0, key::kReturn, 50);
  for (int i = 0; i < 3; ++i) {
    input.ReadKeyboard();
    EXPECT_TRUE(input.KeyDown(key::kReturn));
    EXPECT_FALSE(input.KeyDown(key::kEscape));
  }
  fake.SleepMicroseconds(60000);
  input.ReadKeyboard();
  EXPECT_FALSE(input.KeyDown(key::kReturn));
}

TEST(InputDevice, AFlushLastsAboutAMicrosecondPerReadAndSleepsInsteadOfSpinning) {
  platform::FakePlatform fake;
  InputDevice input(fake, fake);
  const uint64_t before = fake.NowMs();
  input.FlushKeyboard(100000);
  const uint64_t after = fake.NowMs();
  EXPECT_GE(after - before, 100u);
  EXPECT_LE(after - before, 102u);
  // Resting in slices of a millisecond, not a hundred thousand polls.
  EXPECT_LT(fake.KeyboardReads(), 200u);
  input.FlushKeyboard(64);
  EXPECT_LE(fake.NowMs() - after, 1u);
}

TEST(FakePlatform, AScreenThatNeverEndsFailsAtTheTimeLimit) {
  platform::FakePlatform fake(/*timeLimitMs=*/50);
  InputDevice input(fake, fake);
  EXPECT_THROW(
      {
        for (;;) input.FlushKeyboard(1000);
      },
      platform::SimulatedTimeout);
}

}  // namespace
}  // namespace kb
