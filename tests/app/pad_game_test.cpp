// A game on the real SDL platform (its dummy video driver and the real
// clock) played with a game controller that SDL attaches virtually: the
// title, the mode selection, a one-player match and a removal, all on the
// pad, then B to leave.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "fake_game.h"
#include "platform/sdl/sdl_platform.h"

namespace kb {
namespace {

// The pad's hand: before each poll of the game, the buttons as the screen
// of the moment and the time since it began want them.
class PadHand final : public platform::InputSource {
 public:
  PadHand(platform::SdlPlatform& sdl, SDL_Joystick* pad) : sdl_(sdl), pad_(pad) {}
  // The game whose score tells that a group is gone.
  void Watch(const Game& game) { game_ = &game; }

  void Enter(const std::string& screen) {
    screen_ = screen;
    since_ = SDL_GetTicks();
  }
  platform::InputModel& PollInput() override {
    const uint32_t t = SDL_GetTicks() - since_;
    // A menu's A is held until the screen changes, however late a busy
    // machine polls; the screen acts on it once.
    const bool menu = screen_ == "title" || screen_ == "mode selection";
    bool a = menu && t >= 300;
    bool right = false;
    bool b = false;
    if (screen_ == "match") {
      // After the start pause: A on the cursor's cell, then a step right,
      // until a group is gone; then B.
      removed_ = removed_ || game_->rules.match.Score > 0;
      const uint32_t step = t < 1500 ? 0 : (t - 1500) % 800;
      a = !removed_ && t >= 1500 && step < 150;
      right = !removed_ && t >= 1500 && step >= 400 && step < 550;
      b = removed_;
    }
    if (screen_ == "mode selection" && removed_) b = true;
    // Whatever went wrong, the game is left within a minute.
    if (SDL_GetTicks() > 60000 + startedAt_) {
      a = right = false;
      b = true;
    }
    Hold(SDL_CONTROLLER_BUTTON_A, a);
    Hold(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, right);
    Hold(SDL_CONTROLLER_BUTTON_B, b);
    SDL_JoystickUpdate();
    return sdl_.PollInput();
  }
  bool Removed() const { return removed_; }

 private:
  void Hold(SDL_GameControllerButton button, bool down) {
    SDL_JoystickSetVirtualButton(pad_, button, down ? SDL_PRESSED : SDL_RELEASED);
  }

  platform::SdlPlatform& sdl_;
  const Game* game_ = nullptr;
  SDL_Joystick* pad_;
  std::string screen_ = "title";
  uint32_t since_ = 0;
  uint32_t startedAt_ = SDL_GetTicks();
  bool removed_ = false;
};

TEST(PadGame, AMatchIsStartedAndAGroupRemovedOnAPad) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  // The dummy driver's window never has the focus, without which SDL keeps
  // the pads' events from the game.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  platform::SdlPlatform sdl;
  ASSERT_TRUE(sdl.Open());
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  SDL_Joystick* pad = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
  ASSERT_NE(pad, nullptr) << SDL_GetError();

  test::DataFolderFiles files;
  platform::SilentAudio audio;
  PadHand hand(sdl, pad);
  platform::Platform played{sdl, sdl, hand, sdl, files, audio};
  Game padGame(played);
  hand.Watch(padGame);
  std::vector<std::string> screens;
  padGame.OnScreen = [&](const char* name) {
    screens.emplace_back(name);
    hand.Enter(name);
  };
  padGame.Init();
  padGame.RunModeSelection();

  EXPECT_TRUE(hand.Removed());
  EXPECT_EQ(screens, (std::vector<std::string>{"mode selection", "match"}));
  SDL_JoystickClose(pad);
}

}  // namespace
}  // namespace kb
