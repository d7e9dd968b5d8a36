#pragma once

#include <SDL2/SDL_scancode.h>

#include <cstdint>

namespace kb::platform {

// The DirectInput code of the key at the same position, or 0 for keys the
// game has no code for.
uint8_t DirectInputCode(SDL_Scancode scancode);

}  // namespace kb::platform
