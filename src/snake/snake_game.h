#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/random.h"

namespace kb {

enum SnakeDirection : int32_t { kSnakeLeft = 0, kSnakeUp = 1, kSnakeRight = 2, kSnakeDown = 3 };

// A piece stands at the pixel centre of its cell and moves by its direction
// at the next step; the head's direction is the steering.
struct SnakeSegment {
  int32_t x = 0;
  int32_t y = 0;
  int32_t direction = kSnakeLeft;
};

// The arrows or pad buttons held in this step.
struct SnakeSteering {
  bool left = false;
  bool up = false;
  bool right = false;
  bool down = false;
};

// The snake on its 16 x 16 field of 48-pixel cells at the screen's top-left.
// Points stay after the end until the next start: the bonus takes them from here.
struct SnakeGame {
  static constexpr int32_t kMaxPieces = 256;  // as many as the field has cells
  static constexpr int32_t kCell = 48;
  static constexpr int32_t kFirstCentre = 24;
  static constexpr int32_t kLastCentre = 744;
  static constexpr int32_t kEggPoints = 100;

  // A new egg, no points, only the head in the middle facing a random way.
  void Start(Chance& chance);
  // Each held direction in the order left, up, right, down turns the head
  // unless it points the opposite way at that moment.
  void Steer(const SnakeSteering& steering);
  // Every piece moves one cell by its direction; one that would leave the
  // field stays and ends the game.
  void Move();
  // Directions pass one piece back; the head on any other piece ends the game.
  void FollowHead();
  bool HeadOnEgg() const { return Pieces[0].x == EggX && Pieces[0].y == EggY; }
  // A new egg anywhere, even under the snake; 100 points; one piece more
  // behind the tail. A snake that fills the whole field has won: the game ends.
  void EatEgg(Chance& chance);
  void PlaceEgg(Chance& chance);

  int32_t Points = 0;
  int32_t LastIndex = 0;  // the tail; 0 while the snake is only its head
  bool GameOver = false;
  uint32_t NextStepTime = 0;
  std::array<SnakeSegment, kMaxPieces> Pieces{};
  int32_t EggX = 0;
  int32_t EggY = 0;
};

}  // namespace kb
