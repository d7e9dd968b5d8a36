#include "platform/input_model.h"

#include <algorithm>

namespace kb::platform {

void InputModel::LetGo() {
  for (Level& key : keys_) key.LetGo();
  left_.LetGo();
  right_.LetGo();
}

void InputModel::ReadKeys(KeyState& keys, ReadUse use, std::span<const uint8_t> heldBack) {
  for (size_t code = 0; code < keys.size(); ++code) {
    const bool waits = std::find(heldBack.begin(), heldBack.end(), code) != heldBack.end();
    keys[code] = keys_[code].Read(waits ? ReadUse::kKeepsCurrent : use) ? 0x80 : 0;
  }
}

MouseReading InputModel::ReadMouse(ReadUse use) {
  MouseReading reading{dx_, dy_, left_.Read(use), right_.Read(use)};
  dx_ = 0;
  dy_ = 0;
  return reading;
}

void InputModel::DropTaps() {
  for (Level& key : keys_) key.DropTap();
  left_.DropTap();
  right_.DropTap();
}

}  // namespace kb::platform
