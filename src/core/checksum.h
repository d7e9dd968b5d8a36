#pragma once

#include <cstdint>
#include <span>

namespace kb {

// FNV-1a (32 bit), the sum the game's own files end with: a damaged byte
// anywhere makes another sum.
inline uint32_t Fnv1a32(std::span<const uint8_t> bytes) {
  uint32_t sum = 2166136261u;
  for (const uint8_t b : bytes) sum = (sum ^ b) * 16777619u;
  return sum;
}

// FNV-1a (64 bit) of a frame, a pixel at a time: the hash the replay check
// prints and the browser build's frames are compared by.
inline uint64_t FrameHash(std::span<const uint32_t> pixels) {
  uint64_t hash = 0xcbf29ce484222325u;
  for (const uint32_t p : pixels) hash = (hash ^ p) * 0x100000001b3u;
  return hash;
}

#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
// No mutation of a fuzzer could keep a sum right; the checks behind it are
// what the fuzzer is for.
inline constexpr bool kChecksumsMatter = false;
#else
inline constexpr bool kChecksumsMatter = true;
#endif

}  // namespace kb
