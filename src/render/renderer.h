#pragma once

#include <cstdint>

#include "gfx/image.h"
#include "gfx/raster.h"
#include "platform/display.h"

namespace kb {

// Owns the 1024 x 768 back buffer every screen draws into, and a copy of the
// last presented frame for screenshots.
class Renderer {
 public:
  explicit Renderer(platform::Display& display);

  void SetClearColour(uint32_t argb) { clearColour_ = argb; }
  // Clears the back buffer to the clear colour.
  void BeginFrame();
  // Presents the whole back buffer.
  void EndFrame() { Present(); }
  // Presents without ending anything; the back buffer keeps its contents.
  void Present();

  PixelTarget BackBuffer() { return {back_.pixels.data(), back_.width, back_.height}; }
  const Image& BackImage() const { return back_; }
  const Image& FrontBuffer() const { return front_; }
  uint64_t PresentedFrames() const { return presented_; }

 private:
  platform::Display& display_;
  uint32_t clearColour_ = 0xFF000000u;
  Image back_;
  Image front_;
  uint64_t presented_ = 0;
};

}  // namespace kb
