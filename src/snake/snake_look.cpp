#include "snake/snake_look.h"

#include <array>

#include "snake/snake_game.h"

namespace kb {
namespace {

using Row = std::array<SnakeLook, 4>;
using Table = std::array<Row, 4>;

constexpr float kQuarter = 1.57f;
constexpr float kHalf = 3.14f;
constexpr float kThreeQuarters = 4.71f;
constexpr SnakeLook kHidden{};

// Rows: own direction, columns: the direction of the piece ahead, both in the
// order left, up, right, down. The pictures at angle 0: "snakebody" runs
// across, "snakebody_round" joins the left and the bottom edge, the tails
// continue to the left ("snakeendleft" comes up from below, "snakeendright"
// down from above).
constexpr Table kBody = {{
    {{{SnakeImage::kBody, 0.0f},
      {SnakeImage::kBodyRound, kHalf},
      kHidden,
      {SnakeImage::kBodyRound, kQuarter}}},
    {{{SnakeImage::kBodyRound, 0.0f},
      {SnakeImage::kBody, kQuarter},
      {SnakeImage::kBodyRound, kQuarter},
      kHidden}},
    {{kHidden,
      {SnakeImage::kBodyRound, kThreeQuarters},
      {SnakeImage::kBody, 0.0f},
      {SnakeImage::kBodyRound, 0.0f}}},
    {{{SnakeImage::kBodyRound, kThreeQuarters},
      kHidden,
      {SnakeImage::kBodyRound, kHalf},
      {SnakeImage::kBody, kQuarter}}},
}};

constexpr Table kTail = {{
    {{{SnakeImage::kEnd, 0.0f},
      {SnakeImage::kEndRight, kThreeQuarters},
      kHidden,
      {SnakeImage::kEndLeft, kQuarter}}},
    {{{SnakeImage::kEndLeft, 0.0f},
      {SnakeImage::kEnd, kThreeQuarters},
      {SnakeImage::kEndRight, kHalf},
      kHidden}},
    {{kHidden,
      {SnakeImage::kEndLeft, kThreeQuarters},
      {SnakeImage::kEnd, kHalf},
      {SnakeImage::kEndRight, kQuarter}}},
    {{{SnakeImage::kEndRight, 0.0f},
      kHidden,
      {SnakeImage::kEndLeft, kHalf},
      {SnakeImage::kEnd, kQuarter}}},
}};

bool IsDirection(int32_t d) {
  return d >= kSnakeLeft && d <= kSnakeDown;
}

}  // namespace

SnakeLook LookOfPiece(int32_t index, int32_t lastIndex, int32_t own, int32_t ahead) {
  if (!IsDirection(own)) return kHidden;
  if (index == 0) {
    switch (own) {
      case kSnakeLeft:
        return {SnakeImage::kHeadLeft, 0.0f};
      case kSnakeUp:
        return {SnakeImage::kHead, 0.0f};
      case kSnakeRight:
        return {SnakeImage::kHeadRight, 0.0f};
      default:
        return {SnakeImage::kHead, kHalf};
    }
  }
  if (!IsDirection(ahead)) return kHidden;
  const Table& table = index == lastIndex ? kTail : kBody;
  return table[static_cast<size_t>(own)][static_cast<size_t>(ahead)];
}

}  // namespace kb
