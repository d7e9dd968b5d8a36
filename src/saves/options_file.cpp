#include "saves/options_file.h"

#include <array>
#include <vector>

#include "core/little_endian.h"

namespace kb {
namespace {

constexpr size_t kValueCount = 5;
constexpr size_t kFileSize = 4 * kValueCount;

// The file's order, which is not the order of the fields.
std::array<int32_t*, kValueCount> FileOrder(OptionValues& o) {
  return {&o.ParticlesPerStone, &o.RingWidth, &o.AiStrength, &o.GraphicSet, &o.SnakeGraphicSet};
}

}  // namespace

void ReadOptionsFile(platform::FileSystem& files, OptionValues& options) {
  std::vector<uint8_t> bytes;
  // Only the first 20 bytes ever counted; a longer file is read no further.
  files.ReadFile(kOptionsFile, bytes, kFileSize);
  const std::array<int32_t*, kValueCount> fields = FileOrder(options);
  for (size_t i = 0; i < fields.size() && bytes.size() >= 4 * (i + 1); ++i) {
    *fields[i] = static_cast<int32_t>(GetU32(bytes.data() + 4 * i));
  }
}

bool WriteOptionsFile(platform::FileSystem& files, const OptionValues& options) {
  OptionValues copy = options;
  const std::array<int32_t*, kValueCount> fields = FileOrder(copy);
  std::array<uint8_t, kFileSize> bytes{};
  for (size_t i = 0; i < fields.size(); ++i) {
    const auto value = static_cast<uint32_t>(*fields[i]);
    for (size_t b = 0; b < 4; ++b) bytes[4 * i + b] = static_cast<uint8_t>(value >> (8 * b));
  }
  return files.WriteFile(kOptionsFile, bytes);
}

}  // namespace kb
