#include "snake_pilot.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace kb {
namespace {

constexpr std::array<int32_t, 4> kDirections = {kSnakeLeft, kSnakeUp, kSnakeRight, kSnakeDown};

int32_t Opposite(int32_t direction) {
  return (direction + 2) % 4;
}

struct Cell {
  int32_t x;
  int32_t y;
};

Cell Ahead(const SnakeSegment& head, int32_t direction) {
  const int32_t step = SnakeGame::kCell;
  switch (direction) {
    case kSnakeLeft:
      return {head.x - step, head.y};
    case kSnakeUp:
      return {head.x, head.y - step};
    case kSnakeRight:
      return {head.x + step, head.y};
    default:
      return {head.x, head.y + step};
  }
}

// After the step the pieces stand where the ones before them stood, so the head
// must keep off every piece but the tail.
bool Safe(const SnakeGame& snake, Cell cell) {
  if (cell.x < SnakeGame::kFirstCentre || cell.x > SnakeGame::kLastCentre ||
      cell.y < SnakeGame::kFirstCentre || cell.y > SnakeGame::kLastCentre) {
    return false;
  }
  for (int32_t i = 0; i < snake.LastIndex; ++i) {
    const SnakeSegment& piece = snake.Pieces[static_cast<size_t>(i)];
    if (piece.x == cell.x && piece.y == cell.y) return false;
  }
  return true;
}

int32_t DistanceToEgg(const SnakeGame& snake, Cell cell) {
  return std::abs(cell.x - snake.EggX) + std::abs(cell.y - snake.EggY);
}

SnakeSteering SteeringOf(int32_t direction) {
  SnakeSteering steering;
  steering.left = direction == kSnakeLeft;
  steering.up = direction == kSnakeUp;
  steering.right = direction == kSnakeRight;
  steering.down = direction == kSnakeDown;
  return steering;
}

}  // namespace

SnakeSteering SteerTowardsEgg(const SnakeGame& snake) {
  const SnakeSegment& head = snake.Pieces[0];
  int32_t best = head.direction;
  int32_t bestDistance = -1;
  std::array<int32_t, 5> order{head.direction};
  std::copy(kDirections.begin(), kDirections.end(), order.begin() + 1);
  for (const int32_t direction : order) {
    if (direction == Opposite(head.direction)) continue;
    const Cell cell = Ahead(head, direction);
    if (!Safe(snake, cell)) continue;
    const int32_t distance = DistanceToEgg(snake, cell);
    if (bestDistance < 0 || distance < bestDistance) {
      best = direction;
      bestDistance = distance;
    }
  }
  return SteeringOf(best);
}

}  // namespace kb
