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

inline uint32_t GetU16(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8;
}

inline uint32_t GetU32(const uint8_t* p) {
  return GetU16(p) | GetU16(p + 2) << 16;
}

inline uint64_t GetU64(const uint8_t* p) {
  return static_cast<uint64_t>(GetU32(p)) | static_cast<uint64_t>(GetU32(p + 4)) << 32;
}

}  // namespace kb
