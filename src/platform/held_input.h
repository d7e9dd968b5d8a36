#pragma once

#include <cstdint>

namespace kb::platform {

// One key or mouse button as the game reads it: down while it is held, and
// down once more for a tap that began and ended between two reads, so that a
// press shorter than a frame is not lost. A tap let go long before the read
// (during a pause, in which the game reads nothing) is over by then and does
// not act afterwards.
class HeldInput {
 public:
  static constexpr uint32_t kTapKeptMs = 150;

  // A press or release at `ticks` milliseconds.
  void Change(bool down, uint32_t ticks) {
    if (down && !held_) tapped_ = true;
    if (!down) releasedAt_ = ticks;
    held_ = down;
  }
  // Whether it counts as down at a read at `now`; a tap counts at one read only.
  bool Read(uint32_t now) {
    const bool recentTap = tapped_ && now - releasedAt_ <= kTapKeptMs;
    tapped_ = false;
    return held_ || recentTap;
  }

 private:
  bool held_ = false;
  bool tapped_ = false;
  uint32_t releasedAt_ = 0;
};

}  // namespace kb::platform
