#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>

#include "driver_words.h"
#include "rules/player_input.h"

namespace kb::driver {

// The keys and buttons held through a burst, from words[first] on: left right up down
// return lctrl rctrl space numpad0 w a s d, and click X Y, rclick X Y (a mouse button
// held at the screen point) or pointer X Y.
std::optional<PlayerInput> ParseHeldInput(const Words& words, size_t first, std::ostream& out);

}  // namespace kb::driver
