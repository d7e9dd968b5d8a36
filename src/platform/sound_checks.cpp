#include "platform/sound_checks.h"

#include <cstring>

#include "core/little_endian.h"

namespace kb::platform {

bool IsPlainWave(std::span<const uint8_t> bytes) {
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
      std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
    return false;
  }
  // A player would reserve what a header claims, up to 4 GB.
  bool format = false;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    const size_t size = GetU32(bytes.data() + at + 4);
    if (at + 8 + size > bytes.size()) return false;
    if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0) {
      if (size < 16) return false;
      const uint32_t channels = GetU16(bytes.data() + at + 10);
      const uint32_t rate = GetU32(bytes.data() + at + 12);
      format = channels >= 1 && channels <= 8 && rate >= 8000 && rate <= 192000;
      if (!format) return false;
    }
    at += 8 + size + (size & 1u);
  }
  return format;
}

bool IsOgg(std::span<const uint8_t> bytes) {
  return bytes.size() >= 4 && std::memcmp(bytes.data(), "OggS", 4) == 0;
}

}  // namespace kb::platform
