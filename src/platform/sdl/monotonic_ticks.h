#pragma once

#include <time.h>

#include <cstdint>

namespace kb::platform {

// The game's millisecond tick on Linux: milliseconds since the game started,
// read from the monotonic clock through the vDSO, without a system call and
// without SDL's 64-bit bookkeeping on top. The coarse clock would be cheaper
// still, but it steps by 4 ms on Debian's kernels, and the match's 100 ms
// periods, which end at the first tick past their end, would stretch to
// 104 ms.
class MonotonicTicks {
 public:
  MonotonicTicks() : start_(Milliseconds()) {}
  uint32_t Now() const { return static_cast<uint32_t>(Milliseconds() - start_); }

 private:
  static uint64_t Milliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000u +
           static_cast<uint64_t>(now.tv_nsec) / 1000000u;
  }

  uint64_t start_;
};

}  // namespace kb::platform
