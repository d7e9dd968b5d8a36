#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/file_system.h"

namespace kb {

// A replay played unseen on the fake platform, the pictures and sounds read
// through `files`: the line "score S level L frames F hash H" (H the last
// frame's hash), or why the replay could not be played to the end it
// recorded, as a sentence for the player.
struct ReplayCheck {
  bool played = false;
  std::string line;
  std::string problem;
};
ReplayCheck CheckReplay(std::span<const uint8_t> file, platform::FileSystem& files);

}  // namespace kb
