#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "platform/clock.h"
#include "platform/input_source.h"

namespace kb {

// The keyboard state and the game's own mouse pointer, read by polling.
class InputDevice {
 public:
  static constexpr int32_t kPointerMaxX = 1024;
  static constexpr int32_t kPointerMaxY = 768;

  InputDevice(platform::InputSource& source, platform::Clock& clock)
      : source_(source), clock_(clock) {}

  // Centres the pointer; start-up then moves it to (512, 50).
  void Init();
  // A read that acts counts a tap once; one that only keeps the input current
  // leaves it for the next read that acts. Taps of the keys in `heldBack`
  // wait as well: the screen does not look at them this time.
  void ReadKeyboard(platform::ReadUse use = platform::ReadUse::kActs,
                    std::span<const uint8_t> heldBack = {});
  // Adds the motion since the last read to the pointer, clamped to
  // 0..1024 x 0..768 (one pixel beyond the last column and row is reachable).
  void ReadMouse(platform::ReadUse use = platform::ReadUse::kActs);
  void ClearButtons() {
    LeftButton = 0;
    RightButton = 0;
  }
  // Reading the keyboard many times in a row, so that a key still held from
  // the previous screen is seen as held before it counts as a new command.
  // Takes about one microsecond per read and sleeps meanwhile; it is a pause,
  // so taps let go during it do not act after it.
  void FlushKeyboard(int reads);
  // A pause (a message, the start of a match) has passed: taps let go before
  // now do not act after it. Keys and buttons still held go on.
  void DropTaps() { source_.PollInput().DropTaps(); }
  void Shutdown() {}

  // KEPT: a key is a level, not a press, as the game always read it: a held key
  // acts again at every read that tests it.
  bool KeyDown(uint8_t code) const { return (keys_[code] & 0x80u) != 0; }
  const platform::KeyState& Keys() const { return keys_; }
  // The keys as the last read left them, for a replay to start from.
  platform::KeyState& KeysRead() { return keys_; }
  void SetPointer(int32_t x, int32_t y) {
    PointerX = x;
    PointerY = y;
  }

  // Told each time F2 or F3 goes down, on whatever screen reads the keys:
  // the player's sound switches.
  std::function<void(uint8_t)> OnSwitchKey;

  int32_t BufferedMouse = 0;
  int32_t PointerX = 512;
  int32_t PointerY = 384;
  int32_t LeftButton = 0;
  int32_t RightButton = 0;

 private:
  platform::InputSource& source_;
  platform::Clock& clock_;
  platform::KeyState keys_{};
};

}  // namespace kb
