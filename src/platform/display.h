#pragma once

#include <cstdint>

namespace kb::platform {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kScreenPixels = kScreenWidth * kScreenHeight;

// Shows a finished 1024 x 768 ARGB frame. Presentation waits for the vertical
// retrace, or is paced to 60 frames a second where the display gives none.
class Display {
 public:
  virtual ~Display() = default;
  virtual void Present(const uint32_t* pixels) = 0;
  // Shows a frame that differs from the one presented before it only in the
  // rows [firstRow, endRow), none when they are equal; paced alike. A display
  // that still holds the earlier picture need be sent only those rows.
  virtual void PresentRows(const uint32_t* pixels, int firstRow, int endRow) {
    (void)firstRow;
    (void)endRow;
    Present(pixels);
  }
};

}  // namespace kb::platform
