#pragma once

#include <cstdint>

namespace kb {

// What a board cell holds. Colours are 1 to 4; the other values are special stones.
using StoneCode = int32_t;

inline constexpr StoneCode kConnector = 5;
inline constexpr StoneCode kMultiplier = 6;
inline constexpr StoneCode kIndestructible = 7;
inline constexpr StoneCode kEmpty = 32767;

inline constexpr int32_t kColourCount = 4;

constexpr bool IsColour(StoneCode code) {
  return code > 0 && code < 5;
}

// Empty and indestructible cells never take part in a group.
constexpr bool CanJoinGroup(StoneCode code) {
  return code != kEmpty && code != kIndestructible;
}

}  // namespace kb
