#pragma once

#include <array>
#include <cstdint>

namespace kb::platform {

// 256 bytes indexed by DirectInput key code; bit 0x80 is set while the key is down.
using KeyState = std::array<uint8_t, 256>;

// Mouse motion accumulated since the previous reading, and the two buttons.
struct MouseReading {
  int dx = 0;
  int dy = 0;
  bool left = false;
  bool right = false;
};

// Keyboard and mouse as polled state; every read also handles pending window
// events (a close request ends the program at once).
class InputSource {
 public:
  virtual ~InputSource() = default;
  virtual void ReadKeyboard(KeyState& keys) = 0;
  virtual MouseReading ReadMouse() = 0;
};

}  // namespace kb::platform
