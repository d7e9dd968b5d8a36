#include "platform/key_table.h"

#include <algorithm>
#include <array>

#include "core/key_codes.h"

namespace kb::platform {
namespace {

constexpr KeyName kKeys[] = {
    {key::kEscape, 41, "Escape"},
    {key::k1, 30, "Digit1"},
    {0x03, 31, "Digit2"},
    {0x04, 32, "Digit3"},
    {0x05, 33, "Digit4"},
    {0x06, 34, "Digit5"},
    {0x07, 35, "Digit6"},
    {0x08, 36, "Digit7"},
    {0x09, 37, "Digit8"},
    {0x0A, 38, "Digit9"},
    {key::k0, 39, "Digit0"},
    {0x0C, 45, "Minus"},
    {0x0D, 46, "Equal"},
    {key::kBackspace, 42, "Backspace"},
    {0x0F, 43, "Tab"},
    {key::kQ, 20, "KeyQ"},
    {key::kW, 26, "KeyW"},
    {0x12, 8, "KeyE"},
    {0x13, 21, "KeyR"},
    {0x14, 23, "KeyT"},
    {0x15, 28, "KeyY"},
    {0x16, 24, "KeyU"},
    {0x17, 12, "KeyI"},
    {0x18, 18, "KeyO"},
    {0x19, 19, "KeyP"},
    {0x1A, 47, "BracketLeft"},
    {0x1B, 48, "BracketRight"},
    {key::kReturn, 40, "Enter"},
    {key::kLeftControl, 224, "ControlLeft"},
    {key::kA, 4, "KeyA"},
    {key::kS, 22, "KeyS"},
    {key::kD, 7, "KeyD"},
    {0x21, 9, "KeyF"},
    {0x22, 10, "KeyG"},
    {0x23, 11, "KeyH"},
    {0x24, 13, "KeyJ"},
    {0x25, 14, "KeyK"},
    {0x26, 15, "KeyL"},
    {0x27, 51, "Semicolon"},
    {0x28, 52, "Quote"},
    {0x29, 53, "Backquote"},
    {key::kLeftShift, 225, "ShiftLeft"},
    {0x2B, 49, "Backslash"},
    {0x2C, 29, "KeyZ"},
    {0x2D, 27, "KeyX"},
    {0x2E, 6, "KeyC"},
    {0x2F, 25, "KeyV"},
    {0x30, 5, "KeyB"},
    {0x31, 17, "KeyN"},
    {0x32, 16, "KeyM"},
    {0x33, 54, "Comma"},
    {0x34, 55, "Period"},
    {0x35, 56, "Slash"},
    {key::kRightShift, 229, "ShiftRight"},
    {0x37, 85, "NumpadMultiply"},
    {0x38, 226, "AltLeft"},
    {key::kSpace, 44, "Space"},
    {0x3A, 57, "CapsLock"},
    {key::kF1, 58, "F1"},
    {0x3C, 59, "F2"},
    {0x3D, 60, "F3"},
    {0x3E, 61, "F4"},
    {0x3F, 62, "F5"},
    {0x40, 63, "F6"},
    {0x41, 64, "F7"},
    {0x42, 65, "F8"},
    {0x43, 66, "F9"},
    {0x44, 67, "F10"},
    {0x45, 83, "NumLock"},
    {0x46, 71, "ScrollLock"},
    {key::kNumpad7, 95, "Numpad7"},
    {0x48, 96, "Numpad8"},
    {0x49, 97, "Numpad9"},
    {0x4A, 86, "NumpadSubtract"},
    {0x4B, 92, "Numpad4"},
    {0x4C, 93, "Numpad5"},
    {0x4D, 94, "Numpad6"},
    {0x4E, 87, "NumpadAdd"},
    {0x4F, 89, "Numpad1"},
    {0x50, 90, "Numpad2"},
    {0x51, 91, "Numpad3"},
    {key::kNumpad0, 98, "Numpad0"},
    {0x53, 99, "NumpadDecimal"},
    {0x56, 100, "IntlBackslash"},
    {0x57, 68, "F11"},
    {0x58, 69, "F12"},
    {0x9C, 88, "NumpadEnter"},
    {key::kRightControl, 228, "ControlRight"},
    {0xB5, 84, "NumpadDivide"},
    {0xB7, 70, "PrintScreen"},
    {0xB8, 230, "AltRight"},
    {0xC5, 72, "Pause"},
    {0xC7, 74, "Home"},
    {key::kUp, 82, "ArrowUp"},
    {0xC9, 75, "PageUp"},
    {key::kLeft, 80, "ArrowLeft"},
    {key::kRight, 79, "ArrowRight"},
    {0xCF, 77, "End"},
    {key::kDown, 81, "ArrowDown"},
    {0xD1, 78, "PageDown"},
    {0xD2, 73, "Insert"},
    {0xD3, 76, "Delete"},
    {0xDB, 227, "MetaLeft"},
    {0xDC, 231, "MetaRight"},
    {0xDD, 101, "ContextMenu"},
};

constexpr size_t kUsages = 256;

constexpr std::array<uint8_t, kUsages> CodesByUsage() {
  std::array<uint8_t, kUsages> codes{};
  for (const KeyName& k : kKeys) codes[k.usbUsage] = k.code;
  return codes;
}

constexpr std::array<uint8_t, kUsages> kCodesByUsage = CodesByUsage();

}  // namespace

std::span<const KeyName> EveryKey() {
  return kKeys;
}

uint8_t KeyOfUsbUsage(int usage) {
  if (usage < 0 || usage >= static_cast<int>(kUsages)) return 0;
  return kCodesByUsage[static_cast<size_t>(usage)];
}

uint8_t KeyOfBrowserCode(std::string_view browserCode) {
  const auto* k = std::find_if(std::begin(kKeys), std::end(kKeys), [browserCode](const KeyName& n) {
    return n.browserCode == browserCode;
  });
  return k != std::end(kKeys) ? k->code : 0;
}

}  // namespace kb::platform
