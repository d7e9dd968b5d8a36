#include "platform/gamepad.h"

#include "core/key_codes.h"

namespace kb::platform {
namespace {

// A stick pushed past a third of its way holds its direction, as far as a
// d-pad press: the cursor then moves at the pace of a held key.
constexpr int kStickHolds = 11000;

constexpr std::array<std::array<uint8_t, kPadButtons>, kPadSlots> kKeys = {{
    // A, B, X, Y, Back, Start, left and right shoulder, up, down, left, right
    {key::kReturn, key::kEscape, key::kSpace, key::kRightControl, key::kEscape, key::kReturn,
     key::kNumpad0, key::kNumpad0, key::kUp, key::kDown, key::kLeft, key::kRight},
    {key::kLeftControl, key::kEscape, key::kSpace, key::kRightControl, key::kEscape, key::kReturn,
     key::kNumpad0, key::kNumpad0, key::kW, key::kS, key::kA, key::kD},
}};

}  // namespace

uint8_t KeyOfPadButton(int slot, PadButton button) {
  if (slot < 0 || slot >= kPadSlots) return 0;
  return kKeys[static_cast<size_t>(slot)][static_cast<size_t>(button)];
}

void PadKeys::Update(InputModel& input, int slot, const PadState& state) {
  std::array<bool, 256> now{};
  for (int b = 0; b < kPadButtons; ++b) {
    const auto button = static_cast<PadButton>(b);
    if (state.Held(button)) now[KeyOfPadButton(slot, button)] = true;
  }
  const auto stick = [&](PadButton button, bool pushed) {
    if (pushed) now[KeyOfPadButton(slot, button)] = true;
  };
  stick(PadButton::kLeft, state.stickX < -kStickHolds);
  stick(PadButton::kRight, state.stickX > kStickHolds);
  stick(PadButton::kUp, state.stickY < -kStickHolds);
  stick(PadButton::kDown, state.stickY > kStickHolds);
  now[0] = false;
  for (size_t code = 1; code < now.size(); ++code) {
    if (now[code] != held_[code])
      input.ChangeKeyFrom(KeySource::kPad, static_cast<uint8_t>(code), now[code], slot);
  }
  held_ = now;
}

}  // namespace kb::platform
