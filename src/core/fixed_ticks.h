#pragma once

#include <cstdint>

#include "core/random.h"

namespace kb {

// A tick count that reads the same value at every call until its holder sets
// another: with it the generator's draws repeat from run to run, for the
// tests, the benchmarks and the rules driver.
class FixedTicks : public TickSource {
 public:
  uint32_t TickCount() override { return ticks; }
  uint32_t ticks = 0;
};

}  // namespace kb
