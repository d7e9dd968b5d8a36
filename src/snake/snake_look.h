#pragma once

#include <cstddef>
#include <cstdint>

namespace kb {

// The nine pictures of a snake graphic set; kNone draws nothing.
enum class SnakeImage {
  kNone,
  kHead,
  kHeadLeft,
  kHeadRight,
  kBody,
  kBodyRound,
  kEnd,
  kEndLeft,
  kEndRight
};

// A picture and its rotation in radians, counterclockwise about the cell's centre.
struct SnakeLook {
  SnakeImage image = SnakeImage::kNone;
  float angle = 0.0f;
};

// How piece `index` of a snake whose tail is `lastIndex` looks, from its own
// direction and that of the piece ahead of it, both as they were before the
// directions pass back. A piece folded back onto the one ahead shows nothing.
SnakeLook LookOfPiece(int32_t index, int32_t lastIndex, int32_t own, int32_t ahead);

}  // namespace kb
