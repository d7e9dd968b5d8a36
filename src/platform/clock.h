#pragma once

#include <cstdint>

#include "core/random.h"

namespace kb::platform {

// Time as the game sees it: the 32-bit millisecond tick count and a
// high-resolution counter for the frame rate.
class Clock : public TickSource {
 public:
  uint32_t TickCount() override = 0;
  // Milliseconds since the machine started, which differ from run to run,
  // for the random seed; where there is no such clock, the tick count.
  virtual uint32_t MachineTicks() { return TickCount(); }
  virtual uint64_t PerformanceCounter() = 0;
  virtual uint64_t PerformanceFrequency() = 0;
  // Gives the processor away for about this long; window events keep being
  // handled meanwhile. Waits of the game sleep in slices of at most 1 ms.
  virtual void SleepMicroseconds(uint32_t us) = 0;
};

}  // namespace kb::platform
