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
  // Shows the same frame as the last Present once more, paced alike; a
  // display that still holds that picture need not be sent it again.
  virtual void PresentAgain(const uint32_t* pixels) { Present(pixels); }
};

}  // namespace kb::platform
