#include "saves/sound_switches.h"

#include <array>
#include <vector>

namespace kb {

SoundSwitches ReadSoundSwitches(platform::FileSystem& files) {
  std::vector<uint8_t> bytes;
  if (files.ReadFile(kSoundSwitchesFile, bytes, 3) != platform::ReadResult::kRead ||
      bytes.size() != 2 || bytes[0] > 1 || bytes[1] > 1) {
    return {};
  }
  return {bytes[0] == 1, bytes[1] == 1};
}

bool WriteSoundSwitches(platform::FileSystem& files, const SoundSwitches& switches) {
  const std::array<uint8_t, 2> bytes = {static_cast<uint8_t>(switches.music ? 1 : 0),
                                        static_cast<uint8_t>(switches.effects ? 1 : 0)};
  return files.WriteFile(kSoundSwitchesFile, bytes);
}

}  // namespace kb
