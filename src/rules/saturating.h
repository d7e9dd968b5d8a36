#pragma once

#include <cstdint>
#include <limits>

namespace kb {

// MENDED: the score and its factors only ever grow; past the 32-bit range they stay
// at the largest value instead of wrapping into negative scores.

constexpr int32_t SaturatingAdd(int32_t a, int32_t b) {
  int32_t sum = 0;
  if (__builtin_add_overflow(a, b, &sum)) {
    return b > 0 ? std::numeric_limits<int32_t>::max() : std::numeric_limits<int32_t>::min();
  }
  return sum;
}

constexpr int32_t SaturatingMultiply(int32_t a, int32_t b) {
  int32_t product = 0;
  if (__builtin_mul_overflow(a, b, &product)) {
    return (a < 0) != (b < 0) ? std::numeric_limits<int32_t>::min()
                              : std::numeric_limits<int32_t>::max();
  }
  return product;
}

// A double truncated toward zero, held to the 32-bit range.
constexpr int32_t SaturatingTruncate(double value) {
  if (!(value == value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

}  // namespace kb
