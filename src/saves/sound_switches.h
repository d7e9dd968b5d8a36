#pragma once

#include "platform/file_system.h"

namespace kb {

// The player's sound switches, F2 for the music and F3 for the effects, kept
// across starts in a file of their own: "Ton.bin", two bytes, the music's
// and the effects', each 1 on and 0 off.
inline constexpr const char kSoundSwitchesFile[] = "Ton.bin";

struct SoundSwitches {
  bool music = true;
  bool effects = true;
  bool operator==(const SoundSwitches&) const = default;
};

// Both on where there is no such file or it is not one of ours.
SoundSwitches ReadSoundSwitches(platform::FileSystem& files);
// Whole or not at all; false when it could not be written.
bool WriteSoundSwitches(platform::FileSystem& files, const SoundSwitches& switches);

}  // namespace kb
