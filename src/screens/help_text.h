#pragma once

#include <array>
#include <cstdint>

namespace kb {

// One line of the help text, at its row of the scrolling text (rows 0 to 128,
// with empty rows between the sections).
struct HelpLine {
  int32_t row;
  uint32_t argb;
  const char* text;
};

inline constexpr int32_t kHelpLineCount = 89;
extern const std::array<HelpLine, kHelpLineCount> kHelpLines;

}  // namespace kb
