#pragma once

#include <cstdint>
#include <span>

namespace kb {

class Game;

// A line of a value screen's heading.
struct ValueHeading {
  const char* text;
  int32_t x;
  int32_t y;
  uint32_t argb;
};

// One option's screen: a column of rows, row k standing for the value
// k x step. The working value moves by `step` on UP and DOWN, so a stored
// value between two rows keeps its remainder while it is stepped.
struct ValueScreen {
  const char* name;  // told to EnterScreen
  std::span<const ValueHeading> heading;
  int32_t rows;
  int32_t step;
  // Row labels; when empty, the row's value plus `shownOffset` in "%2d".
  std::span<const char* const> labels;
  int32_t shownOffset;
};

// The rows' column and the save image: row k stands at (502, 284 + 20k) and is
// picked by pointer y 285 + 20k to 303 + 20k within x 413 to 661.
inline constexpr int32_t kValueRowX = 502;
inline constexpr int32_t kValueRowTop = 284;
inline constexpr int32_t kValueRowPitch = 20;
inline constexpr int32_t kValuePickLeft = 413;
inline constexpr int32_t kValuePickRight = 661;
inline constexpr int32_t kSaveImageX = 768;
inline constexpr int32_t kSaveImageY = 704;

// The row that pointer (x, y) picks on a screen of `rows` rows, or -1.
int32_t PickedValueRow(int32_t rows, int32_t x, int32_t y);

// Runs one value screen on `working` until ESC, RETURN or a mouse button ends
// it. Returns true when the player stored the working value (RETURN or the
// save image), false when he left without storing.
bool RunValueScreen(Game& game, const ValueScreen& screen, int32_t& working);

}  // namespace kb
