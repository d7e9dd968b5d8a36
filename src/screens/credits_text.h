#pragma once

#include <array>
#include <cstdint>

namespace kb {

// One line of the credits block: drawn at (x, y + offset), y being where the
// block's first line stands in the frame.
struct CreditLine {
  int32_t offset;
  int32_t x;
  uint32_t argb;
  const char* text;
};

inline constexpr int32_t kCreditLineCount = 54;
extern const std::array<CreditLine, kCreditLineCount> kCreditLines;

}  // namespace kb
