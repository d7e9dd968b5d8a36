#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kb {

// The classic linear congruential generator every choice of the game draws
// from: state * 214013 + 2531011, result (state >> 16) & 0x7FFF.
class Random {
 public:
  static constexpr uint32_t kMultiplier = 214013u;
  static constexpr uint32_t kIncrement = 2531011u;

  void Seed(uint32_t seed) { state_ = seed; }
  int Next() {
    state_ = state_ * kMultiplier + kIncrement;
    return Value(state_);
  }
  uint32_t State() const { return state_; }
  // The value a state gives when the generator steps onto it.
  static int Value(uint32_t state) { return static_cast<int>((state >> 16) & 0x7FFFu); }

 private:
  uint32_t state_ = 1;
};

// The generator's state after `steps` steps is again linear in its state now,
// state * multiplier + increment (mod 2^32), so a loop can compute many draws
// independently of each other instead of one after the other.
struct RandomJump {
  uint32_t multiplier = 1;
  uint32_t increment = 0;
  constexpr uint32_t From(uint32_t state) const { return state * multiplier + increment; }
  // The jump one step further.
  constexpr RandomJump Step() const {
    return {multiplier * Random::kMultiplier, increment * Random::kMultiplier + Random::kIncrement};
  }
};
// The jumps of 0 to N - 1 steps.
template <size_t N>
constexpr std::array<RandomJump, N> JumpTable() {
  std::array<RandomJump, N> table{};
  for (size_t k = 1; k < N; ++k) table[k] = table[k - 1].Step();
  return table;
}

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

// A run of choices made within one tick, such as a cloud of thousands of
// sparks, which takes microseconds: the tick is read once at its start, not
// once per draw, and the generator works on a local copy of its state that is
// written back when the run ends. Where the clock stands still meanwhile, as
// the test clock does, every value is the one Chance would have drawn.
class ChanceRun {
 public:
  explicit ChanceRun(Chance& chance)
      : random_(chance.Generator()), state_(random_.State()), tick_(chance.Ticks().TickCount()) {}
  ~ChanceRun() { random_.Seed(state_); }
  ChanceRun(const ChanceRun&) = delete;
  ChanceRun& operator=(const ChanceRun&) = delete;

  uint32_t Draw() {
    state_ = state_ * Random::kMultiplier + Random::kIncrement;
    return static_cast<uint32_t>(Random::Value(state_)) + tick_;
  }
  uint32_t Below(uint32_t bound) { return Draw() % bound; }

  // For loops that step the generator themselves, by jumps: the state so far,
  // the tick, and the state to go on from.
  uint32_t State() const { return state_; }
  uint32_t Tick() const { return tick_; }
  void Continue(uint32_t state) { state_ = state; }

 private:
  Random& random_;
  uint32_t state_;
  uint32_t tick_;
};

}  // namespace kb
