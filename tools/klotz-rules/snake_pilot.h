#pragma once

#include "snake/snake_game.h"

namespace kb {

// A plain, fixed way of steering the snake for the driver's whole rounds: of the
// directions that keep the head on the field and off the body in the next step, the one
// that brings it nearest the egg, the present direction first among equals. With no
// safe direction the snake goes straight on and the round ends.
SnakeSteering SteerTowardsEgg(const SnakeGame& snake);

}  // namespace kb
