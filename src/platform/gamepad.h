#pragma once

#include <array>
#include <cstdint>

#include "platform/input_model.h"

namespace kb::platform {

// A gamepad as both machines report it, in the layout of SDL's game
// controllers and the browser's standard gamepad: its buttons and the left
// stick.
enum class PadButton : uint8_t {
  kA,
  kB,
  kX,
  kY,
  kBack,
  kStart,
  kLeftShoulder,
  kRightShoulder,
  kUp,
  kDown,
  kLeft,
  kRight,
};
inline constexpr int kPadButtons = 12;

struct PadState {
  uint16_t buttons = 0;  // bit n: PadButton n held
  // The left stick, -32768 (left, up) to 32767 (right, down).
  int16_t stickX = 0;
  int16_t stickY = 0;
  bool Held(PadButton button) const { return (buttons >> static_cast<unsigned>(button) & 1u) != 0; }
};

// Two pads play: the first stands for the first player's keys, the second
// for the second player's (the left half of the split board).
inline constexpr int kPadSlots = 2;

// The key a button of the pad in `slot` stands for; 0 for none. The one
// table of the game: the d-pad and the stick move as the cursor keys (W, A,
// S, D on the second pad), A is RETURN (left CTRL on the second pad), B and
// Back are ESC, Start is RETURN, X is SPACE, Y the undo key (right CTRL), the
// shoulder buttons the stone swap (NUMPAD 0).
uint8_t KeyOfPadButton(int slot, PadButton button);

// The keys one pad holds, kept so that only what changed reaches the input:
// a key the keyboard or the other pad holds as well stays down.
class PadKeys {
 public:
  // The pad in `slot` now stands so.
  void Update(InputModel& input, int slot, const PadState& state);
  // The pad is gone: what it held is let go.
  void Release(InputModel& input, int slot) { Update(input, slot, PadState{}); }

 private:
  std::array<bool, 256> held_{};
};

}  // namespace kb::platform
