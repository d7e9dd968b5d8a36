#pragma once

#include <string_view>

namespace kb {

// F1 saves the screen in this folder of the player's, under the name typed
// for it with ".bmp" added.
inline constexpr char kScreenshotFolder[] = "Screenshots";

// Whether a file of that folder can be a screenshot the game saved.
bool IsScreenshotFileName(std::string_view name);

}  // namespace kb
