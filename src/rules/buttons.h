#pragma once

#include <cstdint>

namespace kb {

// A screen rectangle with both bounds inclusive; left/top is where its image is drawn.
struct ScreenRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;

  constexpr bool Contains(int32_t x, int32_t y) const {
    return x >= left && x <= right && y >= top && y <= bottom;
  }
};

// The 96 x 48 buttons beside the one-player board, and the exit of the split board.
inline constexpr ScreenRect kShuffleButton{780, 635, 875, 682};
inline constexpr ScreenRect kUndoButton{900, 635, 995, 682};
inline constexpr ScreenRect kSwapButton{780, 710, 875, 757};
inline constexpr ScreenRect kExitButton{900, 710, 995, 757};
inline constexpr ScreenRect kTwoPlayerExitButton{464, 710, 559, 757};

}  // namespace kb
