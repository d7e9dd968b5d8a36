#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/colours.h"

namespace kb {

// A picture in memory: 32-bit ARGB pixels (alpha in the top byte), row by row
// from the top-left corner.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  Image() = default;
  Image(int w, int h, uint32_t fill = kBlack)
      : width(w),
        height(h),
        pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}

  bool Empty() const { return pixels.empty(); }
  uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

}  // namespace kb
