// The real platform's keyboard and mouse, driven by SDL events as the X
// server sends them, on SDL's dummy video driver and the real clock.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/key_codes.h"
#include "platform/sdl/sdl_platform.h"

namespace kb::platform {
namespace {

class SdlInput : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_TRUE(sdl_.Open());
  }

  void Key(SDL_Scancode scancode, bool down, bool repeat = false) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.scancode = scancode;
    SDL_PushEvent(&event);
  }
  void Button(bool down) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&event);
  }
  bool Down(uint8_t code, ReadUse use = ReadUse::kActs) {
    sdl_.PollInput().ReadKeys(keys_, use);
    return (keys_[code] & 0x80u) != 0;
  }
  bool LeftButton(ReadUse use = ReadUse::kActs) { return sdl_.PollInput().ReadMouse(use).left; }
  // The game rests: nothing read, window events handled.
  void Rest(uint32_t ms) {
    for (uint32_t i = 0; i < ms; ++i) sdl_.SleepMicroseconds(1000);
  }

  SdlPlatform sdl_;
  KeyState keys_{};
};

TEST_F(SdlInput, AHeldKeyIsDownWhileHeldAndItsRepeatsAreNoNewPresses) {
  Key(SDL_SCANCODE_SPACE, true);
  EXPECT_TRUE(Down(key::kSpace));
  for (int i = 0; i < 5; ++i) {
    Key(SDL_SCANCODE_SPACE, true, true);
    EXPECT_TRUE(Down(key::kSpace));
  }
  // Repeats that came in before the release do not outlive it.
  Key(SDL_SCANCODE_SPACE, true, true);
  Key(SDL_SCANCODE_SPACE, false);
  EXPECT_FALSE(Down(key::kSpace));
  EXPECT_FALSE(Down(key::kSpace));
}

TEST_F(SdlInput, ATapOrClickBetweenTwoReadsCountsOnceAtTheFirstReadThatActs) {
  EXPECT_FALSE(Down(key::kReturn));
  Key(SDL_SCANCODE_RETURN, true);
  Key(SDL_SCANCODE_RETURN, false);
  Rest(300);
  EXPECT_FALSE(Down(key::kReturn, ReadUse::kKeepsCurrent));
  EXPECT_TRUE(Down(key::kReturn));
  EXPECT_FALSE(Down(key::kReturn));

  Button(true);
  Button(false);
  Rest(300);
  EXPECT_FALSE(LeftButton(ReadUse::kKeepsCurrent));
  EXPECT_TRUE(LeftButton());
  EXPECT_FALSE(LeftButton());
}

// Two virtual game controllers, as SDL attaches them: the first stands for
// the first player's keys and the second for the second player's, together
// with the keyboard; a pad that goes lets go of what it held.
TEST_F(SdlInput, PadsStandForThePlayersKeysBesideTheKeyboard) {
  // The dummy driver's window never has the focus, without which SDL keeps
  // the pads' events from the game.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  auto attach = [] {
    SDL_VirtualJoystickDesc pad{};
    pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    pad.naxes = SDL_CONTROLLER_AXIS_MAX;
    pad.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    return SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&pad));
  };
  SDL_Joystick* first = attach();
  SDL_Joystick* second = attach();
  ASSERT_NE(first, nullptr) << SDL_GetError();
  ASSERT_NE(second, nullptr) << SDL_GetError();
  auto set = [](SDL_Joystick* pad, SDL_GameControllerButton button, bool down) {
    SDL_JoystickSetVirtualButton(pad, button, down ? SDL_PRESSED : SDL_RELEASED);
    SDL_JoystickUpdate();
  };
  Rest(2);

  set(first, SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_TRUE(Down(key::kReturn));
  Key(SDL_SCANCODE_RETURN, true);
  set(first, SDL_CONTROLLER_BUTTON_A, false);
  EXPECT_TRUE(Down(key::kReturn)) << "the keyboard still holds it";
  Key(SDL_SCANCODE_RETURN, false);
  EXPECT_FALSE(Down(key::kReturn));

  SDL_JoystickSetVirtualAxis(first, SDL_CONTROLLER_AXIS_LEFTX, -30000);
  set(second, SDL_CONTROLLER_BUTTON_A, true);
  set(second, SDL_CONTROLLER_BUTTON_DPAD_UP, true);
  EXPECT_TRUE(Down(key::kLeft)) << "the first pad's stick";
  EXPECT_TRUE(Down(key::kLeftControl)) << "the second pad's A";
  EXPECT_TRUE(Down(key::kW)) << "the second pad's d-pad";
  EXPECT_FALSE(Down(key::kReturn));

  SDL_JoystickClose(second);
  SDL_JoystickDetachVirtual(1);
  Rest(2);
  EXPECT_FALSE(Down(key::kLeftControl));
  EXPECT_FALSE(Down(key::kW));
  EXPECT_TRUE(Down(key::kLeft));
  SDL_JoystickClose(first);
  SDL_JoystickDetachVirtual(0);
}

}  // namespace
}  // namespace kb::platform
