#pragma once

#include <SDL2/SDL.h>

#include <array>

#include "platform/gamepad.h"
#include "platform/input_model.h"

namespace kb::platform {

// The game controllers SDL knows, each in a slot of its own: the first to
// come is the first player's, the second the second player's. Pads may come
// and go while the game runs; a pad that goes lets go of what it held, and
// the next to come takes the slot it left.
class SdlGamepads {
 public:
  SdlGamepads() = default;
  SdlGamepads(const SdlGamepads&) = delete;
  SdlGamepads& operator=(const SdlGamepads&) = delete;
  ~SdlGamepads() { Close(); }

  // After SDL_Init; a machine where SDL has no controllers plays without.
  void Open();
  // Before SDL_Quit.
  void Close();
  // True when the event was a pad's, whose change then reached `input`.
  bool Handle(const SDL_Event& event, InputModel& input);

 private:
  struct Pad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    PadKeys keys;
  };

  Pad* Find(SDL_JoystickID id);
  static PadState StateOf(SDL_GameController* controller);

  std::array<Pad, kPadSlots> pads_{};
};

}  // namespace kb::platform
