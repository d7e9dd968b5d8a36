#pragma once

#include <cstdint>

namespace kb {

// The colours the game writes its texts in and tints its sprites with, as the
// renderer takes them: 0xAARRGGBB, all opaque. White tints a sprite with its
// own colours; black is the cleared screen.
inline constexpr uint32_t kBlack = 0xFF000000u;
inline constexpr uint32_t kWhite = 0xFFFFFFFFu;
inline constexpr uint32_t kRed = 0xFFFF0000u;
inline constexpr uint32_t kGreen = 0xFF00FF00u;
inline constexpr uint32_t kBlue = 0xFF0000FFu;
inline constexpr uint32_t kYellow = 0xFFFFFF00u;

}  // namespace kb
