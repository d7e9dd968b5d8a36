#pragma once

#include <cstdint>

#include "platform/file_system.h"

namespace kb {

// The five options, as "Optionen.bin" stores them: five little-endian 32-bit
// values, 20 bytes, in this order. Values outside their ranges are kept as
// stored; every use clamps them at the point of use.
struct OptionValues {
  int32_t ParticlesPerStone = 0;  // 0 (off), 16, 32, ... 4096
  int32_t RingWidth = 0;          // 0 to 60, a multiple of 4
  int32_t AiStrength = 0;         // 0 to 19, shown as 1 to 20
  int32_t GraphicSet = 0;         // 0 to 5
  int32_t SnakeGraphicSet = 0;    // 0 to 2
};

inline constexpr const char kOptionsFile[] = "Optionen.bin";

// Reads as many whole values as the file holds; a missing or short file keeps
// the values it does not reach.
void ReadOptionsFile(platform::FileSystem& files, OptionValues& options);

// Writes all five values, whole or not at all; false when the file could not
// be written (the old one, if any, is then left as it was).
bool WriteOptionsFile(platform::FileSystem& files, const OptionValues& options);

}  // namespace kb
