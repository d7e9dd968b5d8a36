#pragma once

#include "platform/input_model.h"

namespace kb::platform {

// A finger on the picture as the game's mouse. The pointer jumps to where
// the finger touches. A tap is a left click there. A finger that stays
// down for a moment, or moves away from where it touched, holds the right
// button instead, and the pointer follows it until it is lifted: on the
// board the cursor follows without removing anything. Only the first finger
// counts; others touching meanwhile are ignored. Points are the picture's
// pixels, times milliseconds of any one clock.
class TouchGestures {
 public:
  static constexpr double kHoldMs = 300.0;
  // A third of a stone: a tapping finger wobbles less than that.
  static constexpr int kHoldDistance = 16;

  explicit TouchGestures(InputModel& input) : input_(input) {}

  void Down(long finger, int x, int y, double nowMs);
  void Moved(long finger, int x, int y);
  void Up(long finger);
  // The browser took the finger over (a system gesture): no click.
  void Cancelled(long finger);
  // Called at every poll: a finger down long enough holds the right button.
  void Tick(double nowMs);
  // The input was cleared or let go: the finger down now does nothing more.
  void Forget() { state_ = State::kNone; }

 private:
  enum class State { kNone, kTouching, kHolding };
  void Hold();

  InputModel& input_;
  State state_ = State::kNone;
  long finger_ = 0;
  int startX_ = 0;
  int startY_ = 0;
  double startMs_ = 0.0;
};

}  // namespace kb::platform
