#include "screens/options_file.h"

#include <array>
#include <vector>

namespace kb {

void ReadOptionsFile(platform::FileSystem& files, OptionValues& options) {
  std::vector<uint8_t> bytes;
  files.ReadFile(kOptionsFile, bytes);
  const std::array<int32_t*, 5> fields = {&options.ParticlesPerStone, &options.RingWidth,
                                          &options.AiStrength, &options.GraphicSet,
                                          &options.SnakeGraphicSet};
  for (size_t i = 0; i < fields.size() && bytes.size() >= 4 * (i + 1); ++i) {
    const uint8_t* p = bytes.data() + 4 * i;
    *fields[i] =
        static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                             static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
  }
}

}  // namespace kb
