#pragma once

#include <cstdint>
#include <string_view>

namespace kb::platform {

// The DirectInput code the game reads for a browser key, named by its
// KeyboardEvent.code ("KeyA", "ArrowUp"); 0 for keys the game knows nothing of.
uint8_t DirectInputCode(std::string_view code);

}  // namespace kb::platform
