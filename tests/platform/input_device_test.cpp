#include "input/input_device.h"

#include <gtest/gtest.h>

#include "core/key_codes.h"
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
  EXPECT_LT(fake.InputPolls(), 200u);
  input.FlushKeyboard(64);
  EXPECT_LE(fake.NowMs() - after, 1u);
}

using platform::InputModel;
using platform::MouseButton;
using platform::ReadUse;

bool Down(InputModel& model, uint8_t code, ReadUse use = ReadUse::kActs,
          std::span<const uint8_t> heldBack = {}) {
  platform::KeyState keys{};
  model.ReadKeys(keys, use, heldBack);
  return (keys[code] & key::kDownBit) != 0;
}

TEST(InputModel, ATapCountsOnceAtTheFirstReadThatActsHoweverLateThatRead) {
  InputModel model;
  model.ChangeKey(key::kReturn, true);
  model.ChangeKey(key::kReturn, false);
  for (int i = 0; i < 50; ++i) EXPECT_FALSE(Down(model, key::kReturn, ReadUse::kKeepsCurrent));
  const uint8_t held[] = {key::kReturn};
  EXPECT_FALSE(Down(model, key::kReturn, ReadUse::kActs, held));
  EXPECT_TRUE(Down(model, key::kReturn));
  EXPECT_FALSE(Down(model, key::kReturn));

  // A press seen while held is not counted again once let go.
  model.ChangeKey(key::kRight, true);
  EXPECT_TRUE(Down(model, key::kRight, ReadUse::kKeepsCurrent));
  EXPECT_TRUE(Down(model, key::kRight));
  EXPECT_TRUE(Down(model, key::kRight));
  model.ChangeKey(key::kRight, false);
  EXPECT_FALSE(Down(model, key::kRight));

  // The buttons keep the same rule. A second read of the same update still
  // sees the click its first read counted; one made in between waits.
  model.ChangeButton(MouseButton::kLeft, true);
  model.ChangeButton(MouseButton::kLeft, false);
  EXPECT_FALSE(model.ReadMouse(ReadUse::kKeepsCurrent).left);
  EXPECT_TRUE(model.ReadMouse(ReadUse::kActs).left);
  EXPECT_TRUE(model.ReadMouse(ReadUse::kActsAgain).left);
  EXPECT_FALSE(model.ReadMouse(ReadUse::kActs).left);
  model.ChangeButton(MouseButton::kLeft, true);
  model.ChangeButton(MouseButton::kLeft, false);
  EXPECT_FALSE(model.ReadMouse(ReadUse::kActsAgain).left);
  EXPECT_TRUE(model.ReadMouse(ReadUse::kActs).left);
}

TEST(InputModel, APauseEndsTheTapsLetGoBeforeItButNotAPressStillHeld) {
  InputModel model;
  model.ChangeKey(key::kSpace, true);
  model.ChangeKey(key::kSpace, false);
  model.ChangeButton(MouseButton::kLeft, true);
  model.ChangeButton(MouseButton::kLeft, false);
  model.ChangeKey(key::kReturn, true);
  model.DropTaps();
  model.ChangeKey(key::kReturn, false);
  platform::KeyState keys{};
  model.ReadKeys(keys, ReadUse::kActs);
  EXPECT_EQ(keys[key::kSpace], 0);
  EXPECT_EQ(keys[key::kReturn], key::kDownBit);
  EXPECT_FALSE(model.ReadMouse(ReadUse::kActs).left);

  // Losing the window lets go of what is held; a press not yet read still counts.
  model.ChangeKey(key::kUp, true);
  model.LetGo();
  EXPECT_TRUE(Down(model, key::kUp));
  EXPECT_FALSE(Down(model, key::kUp));
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
