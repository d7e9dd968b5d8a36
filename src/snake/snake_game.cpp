#include "snake/snake_game.h"

namespace kb {
namespace {

constexpr int32_t kStartCentre = 360;  // column 7, row 7

int32_t StepX(int32_t direction) {
  return direction == kSnakeLeft    ? -SnakeGame::kCell
         : direction == kSnakeRight ? SnakeGame::kCell
                                    : 0;
}
int32_t StepY(int32_t direction) {
  return direction == kSnakeUp ? -SnakeGame::kCell : direction == kSnakeDown ? SnakeGame::kCell : 0;
}

bool LeavesField(const SnakeSegment& piece) {
  switch (piece.direction) {
    case kSnakeLeft:
      return piece.x <= SnakeGame::kFirstCentre;
    case kSnakeUp:
      return piece.y <= SnakeGame::kFirstCentre;
    case kSnakeRight:
      return piece.x >= SnakeGame::kLastCentre;
    default:
      return piece.y >= SnakeGame::kLastCentre;
  }
}

}  // namespace

// KEPT: the egg may land under the snake, hidden there until the head reaches it.
void SnakeGame::PlaceEgg(Chance& chance) {
  EggX = kFirstCentre + kCell * static_cast<int32_t>(chance.Draw() & 15u);
  EggY = kFirstCentre + kCell * static_cast<int32_t>(chance.Draw() & 15u);
}

void SnakeGame::Start(Chance& chance) {
  PlaceEgg(chance);
  Points = 0;
  LastIndex = 0;
  GameOver = false;
  Pieces[0] = SnakeSegment{kStartCentre, kStartCentre, static_cast<int32_t>(chance.Below(4))};
}

void SnakeGame::Steer(const SnakeSteering& steering) {
  int32_t& direction = Pieces[0].direction;
  if (steering.left && direction != kSnakeRight) direction = kSnakeLeft;
  if (steering.up && direction != kSnakeDown) direction = kSnakeUp;
  if (steering.right && direction != kSnakeLeft) direction = kSnakeRight;
  if (steering.down && direction != kSnakeUp) direction = kSnakeDown;
}

void SnakeGame::Move() {
  for (int32_t i = 0; i <= LastIndex; ++i) {
    SnakeSegment& piece = Pieces[static_cast<size_t>(i)];
    if (LeavesField(piece)) {
      GameOver = true;
      continue;
    }
    piece.x += StepX(piece.direction);
    piece.y += StepY(piece.direction);
  }
}

void SnakeGame::FollowHead() {
  const SnakeSegment& head = Pieces[0];
  for (int32_t i = LastIndex; i >= 1; --i) {
    SnakeSegment& piece = Pieces[static_cast<size_t>(i)];
    piece.direction = Pieces[static_cast<size_t>(i - 1)].direction;
    if (head.x == piece.x && head.y == piece.y) GameOver = true;
  }
}

void SnakeGame::EatEgg(Chance& chance) {
  PlaceEgg(chance);
  Points += kEggPoints;
  // MENDED: the snake stops growing at 256 pieces, when it fills the field, and
  // the game ends.
  if (LastIndex + 1 >= kMaxPieces) {
    GameOver = true;
    return;
  }
  // The new tail may stand outside the field for one step when the old one
  // was at the border; it moves back in with the next step.
  const SnakeSegment tail = Pieces[static_cast<size_t>(LastIndex)];
  ++LastIndex;
  Pieces[static_cast<size_t>(LastIndex)] =
      SnakeSegment{tail.x - StepX(tail.direction), tail.y - StepY(tail.direction), tail.direction};
  if (LastIndex + 1 == kMaxPieces) GameOver = true;
}

}  // namespace kb
