#include "platform/touch_gestures.h"

#include <cstdlib>

namespace kb::platform {

void TouchGestures::Down(long finger, int x, int y, double nowMs) {
  if (state_ != State::kNone) return;
  state_ = State::kTouching;
  finger_ = finger;
  startX_ = x;
  startY_ = y;
  startMs_ = nowMs;
  input_.PlaceAt(x, y);
}

void TouchGestures::Moved(long finger, int x, int y) {
  if (state_ == State::kNone || finger != finger_) return;
  if (state_ == State::kTouching) {
    if (std::abs(x - startX_) < kHoldDistance && std::abs(y - startY_) < kHoldDistance) return;
    Hold();
  }
  input_.PlaceAt(x, y);
}

void TouchGestures::Up(long finger) {
  if (state_ == State::kNone || finger != finger_) return;
  if (state_ == State::kTouching) {
    // Down and up before any read: the game still sees the click once.
    input_.ChangeButton(MouseButton::kLeft, true);
    input_.ChangeButton(MouseButton::kLeft, false);
  } else {
    input_.ChangeButton(MouseButton::kRight, false);
  }
  state_ = State::kNone;
}

void TouchGestures::Cancelled(long finger) {
  if (state_ == State::kNone || finger != finger_) return;
  if (state_ == State::kHolding) input_.ChangeButton(MouseButton::kRight, false);
  state_ = State::kNone;
}

void TouchGestures::Tick(double nowMs) {
  if (state_ == State::kTouching && nowMs - startMs_ >= kHoldMs) Hold();
}

void TouchGestures::Hold() {
  state_ = State::kHolding;
  input_.ChangeButton(MouseButton::kRight, true);
}

}  // namespace kb::platform
