#pragma once

#include <cstdint>

namespace kb {

// The classic linear congruential generator every choice of the game draws
// from: state * 214013 + 2531011, result (state >> 16) & 0x7FFF.
class Random {
 public:
  void Seed(uint32_t seed) { state_ = seed; }
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFFu);
  }

 private:
  uint32_t state_ = 1;
};

// The millisecond tick count, as the game reads it for pacing and chances.
class TickSource {
 public:
  virtual ~TickSource() = default;
  virtual uint32_t TickCount() = 0;
};

// Each random choice takes r = next generator value + tick count, as an
// unsigned 32-bit sum, and reduces it with an unsigned modulo.
class Chance {
 public:
  Chance(Random& random, TickSource& ticks) : random_(random), ticks_(ticks) {}
  uint32_t Draw() { return static_cast<uint32_t>(random_.Next()) + ticks_.TickCount(); }
  uint32_t Below(uint32_t bound) { return Draw() % bound; }
  Random& Generator() { return random_; }
  TickSource& Ticks() { return ticks_; }

 private:
  Random& random_;
  TickSource& ticks_;
};

}  // namespace kb
