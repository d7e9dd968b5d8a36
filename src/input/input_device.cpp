#include "input/input_device.h"

#include <algorithm>

#include "core/key_codes.h"

namespace kb {

void InputDevice::Init() {
  BufferedMouse = 0;
  SetPointer(512, 384);
}

void InputDevice::ReadKeyboard(platform::ReadUse use, std::span<const uint8_t> heldBack) {
  const bool f2 = KeyDown(key::kF2);
  const bool f3 = KeyDown(key::kF3);
  source_.PollInput().ReadKeys(keys_, use, heldBack);
  if (!OnSwitchKey) return;
  if (!f2 && KeyDown(key::kF2)) OnSwitchKey(key::kF2);
  if (!f3 && KeyDown(key::kF3)) OnSwitchKey(key::kF3);
}

void InputDevice::ReadMouse(platform::ReadUse use) {
  const platform::MouseReading m = source_.PollInput().ReadMouse(use);
  if (m.placed) SetPointer(m.x, m.y);
  PointerX = std::clamp(PointerX + m.dx, 0, kPointerMaxX);
  PointerY = std::clamp(PointerY + m.dy, 0, kPointerMaxY);
  LeftButton = m.left ? 1 : 0;
  RightButton = m.right ? 1 : 0;
}

void InputDevice::FlushKeyboard(int reads) {
  if (reads <= 0) return;
  const uint64_t frequency = std::max<uint64_t>(clock_.PerformanceFrequency(), 1);
  const uint64_t start = clock_.PerformanceCounter();
  const uint64_t length = static_cast<uint64_t>(reads) * frequency / 1000000u;
  for (;;) {
    ReadKeyboard();
    const uint64_t passed = clock_.PerformanceCounter() - start;
    if (passed >= length) break;
    const uint64_t leftUs = (length - passed) * 1000000u / frequency;
    clock_.SleepMicroseconds(static_cast<uint32_t>(std::min<uint64_t>(leftUs + 1, 1000)));
  }
  DropTaps();
}

}  // namespace kb
