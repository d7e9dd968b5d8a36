#pragma once

#include <cstdint>

namespace kb {

// The keys and mouse state the rules read in one drawing burst, as levels: a key or
// button counts in every step while it is held. The screen fills it from the input
// device; the pointer is clamped to 0..1024 x 0..768 there.
struct PlayerInput {
  bool Left = false;  // arrow keys: the main cursor
  bool Right = false;
  bool Up = false;
  bool Down = false;
  bool Return = false;     // the main player commits
  bool LeftCtrl = false;   // the left-half player commits
  bool RightCtrl = false;  // undo
  bool Space = false;      // shuffle
  bool Numpad0 = false;    // stone swap
  bool W = false;          // the second cursor
  bool A = false;
  bool S = false;
  bool D = false;
  int32_t PointerX = 0;
  int32_t PointerY = 0;
  int32_t LeftButton = 0;
  int32_t RightButton = 0;
};

}  // namespace kb
