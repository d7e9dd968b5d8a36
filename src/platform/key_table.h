#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kb::platform {

// One key the game has a DirectInput code for, with the names the machines
// give the same key position: its USB HID usage (which SDL's scancodes are)
// and the browser's KeyboardEvent.code. All three name positions, not
// labels, so a German keyboard's Z key (at the US Y position) reads as DIK_Y,
// as the game expects.
struct KeyName {
  uint8_t code;
  uint16_t usbUsage;
  std::string_view browserCode;
};

std::span<const KeyName> EveryKey();
// The DirectInput code of a key, or 0 for a key the game has no code for.
uint8_t KeyOfUsbUsage(int usage);
uint8_t KeyOfBrowserCode(std::string_view browserCode);

}  // namespace kb::platform
