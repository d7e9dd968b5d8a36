#pragma once

#include <cstdint>
#include <vector>

namespace kb {

// The file formats the game reads and writes (BMP, WAV) store their numbers
// least significant byte first.
inline void PutU16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  PutU16(out, v & 0xFFFFu);
  PutU16(out, v >> 16);
}

}  // namespace kb
