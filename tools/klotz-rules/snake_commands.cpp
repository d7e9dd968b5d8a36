#include <ostream>

#include "rules_driver.h"
#include "snake_pilot.h"

namespace kb {
namespace {

// A bound that keeps a round from running for ever; the field fills long before.
constexpr int32_t kMaxSnakeSteps = 1000000;

const char* DirectionName(int32_t direction) {
  switch (direction) {
    case kSnakeLeft:
      return "left";
    case kSnakeUp:
      return "up";
    case kSnakeRight:
      return "right";
    default:
      return "down";
  }
}

int32_t CellOf(int32_t centre) {
  return (centre - SnakeGame::kFirstCentre) / SnakeGame::kCell;
}

// One step of the round in the snake screen's order (Game::SnakeStep), which
// draws between these calls.
void StepSnake(SnakeGame& snake, const SnakeSteering& steering, Chance& chance) {
  snake.Steer(steering);
  snake.Move();
  snake.FollowHead();
  if (snake.HeadOnEgg()) snake.EatEgg(chance);
}

}  // namespace

void RulesDriver::SnakeStart(const Words& words, std::ostream& out) {
  if (words.size() != 1) {
    out << "error usage: snake\n";
    return;
  }
  snake_.Start(chance_);
  snakeSteps_ = 0;
  snakeRunning_ = true;
  out << "snake";
  WriteSnakeLine(out);
}

void RulesDriver::SnakeStep(const Words& words, std::ostream& out) {
  if (!snakeRunning_) {
    out << "error no snake round under way; use snake\n";
    return;
  }
  SnakeSteering steering;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string_view word = words[i];
    bool* held = word == "left"    ? &steering.left
                 : word == "up"    ? &steering.up
                 : word == "right" ? &steering.right
                 : word == "down"  ? &steering.down
                                   : nullptr;
    if (held == nullptr) {
      out << "error unknown direction: " << word << '\n';
      return;
    }
    *held = true;
  }
  StepSnake(snake_, steering, chance_);
  ++snakeSteps_;
  snakeRunning_ = !snake_.GameOver;
  out << "step " << snakeSteps_;
  WriteSnakeLine(out);
}

void RulesDriver::SnakePlay(const Words& words, std::ostream& out) {
  if (words.size() != 1) {
    out << "error usage: snake-play\n";
    return;
  }
  if (!snakeRunning_) {
    out << "error no snake round under way; use snake\n";
    return;
  }
  PlaySnakeToEnd(&out);
}

void RulesDriver::PlaySnakeToEnd(std::ostream* lines) {
  while (!snake_.GameOver && snakeSteps_ < kMaxSnakeSteps) {
    const int32_t direction = snake_.Pieces[0].direction;
    const int32_t points = snake_.Points;
    StepSnake(snake_, SteerTowardsEgg(snake_), chance_);
    ++snakeSteps_;
    const bool told =
        snake_.Pieces[0].direction != direction || snake_.Points != points || snake_.GameOver;
    if (lines != nullptr && told) {
      *lines << "step " << snakeSteps_;
      WriteSnakeLine(*lines);
    }
  }
  snakeRunning_ = false;
}

void RulesDriver::WriteSnakeLine(std::ostream& out) const {
  const SnakeSegment& head = snake_.Pieces[0];
  out << " head " << CellOf(head.x) << ',' << CellOf(head.y) << ' ' << DirectionName(head.direction)
      << " length " << snake_.LastIndex + 1 << " points " << snake_.Points << " egg "
      << CellOf(snake_.EggX) << ',' << CellOf(snake_.EggY);
  if (snake_.GameOver) out << " over";
  out << '\n';
}

}  // namespace kb
