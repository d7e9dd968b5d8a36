#pragma once

#include <string>

#include "canvas.h"

namespace kb::assetgen {

constexpr int kSnakeSetCount = 3;

enum class SnakePiece {
  kBody,       // straight, joining the left and the right edge
  kHead,       // moving up; the neck leaves at the bottom edge
  kHeadLeft,   // moving left; the neck leaves at the right edge
  kHeadRight,  // moving right; the neck leaves at the left edge
  kEndLeft,    // tail: body to the left, came up from below (tip at the bottom)
  kEndRight,   // tail: body to the left, came down from above (tip at the top)
  kEgg,
  kEnd,        // tail: body to the left, tip to the right
  kBodyRound,  // bend joining the left and the bottom edge
};

// The folder name of snake set 0 to 2 below "Snake Grafiksets", UTF-8.
std::string SnakeSetFolder(int set);

// A 48 x 48 piece of a snake set, drawn for rotation angle 0.
Canvas PaintSnakePiece(int set, SnakePiece piece);

}  // namespace kb::assetgen
