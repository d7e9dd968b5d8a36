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

#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
// No mutation of a fuzzer could keep a sum right; the checks behind it are
// what the fuzzer is for.
inline constexpr bool kChecksumsMatter = false;
#else
inline constexpr bool kChecksumsMatter = true;
#endif

}  // namespace kb
