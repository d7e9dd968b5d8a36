#pragma once

#include <cstdint>

#include "core/colours.h"
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
  void BeginFrame() { back_.state = Back::kToClear; }
  // Presents the whole back buffer.
  void EndFrame() { Present(); }
  // Presents without ending anything; the back buffer keeps its contents.
  void Present();
  // Presents the frame presented last once more, paced as any frame, for a
  // screen that knows it would draw exactly that picture again: nothing is
  // drawn or compared.
  void PresentAgain();

  PixelTarget BackBuffer() {
    BackImage();
    return {back_.image.pixels.data(), back_.image.width, back_.image.height};
  }
  // For a drawing that overwrites every pixel (a full-screen background):
  // the back buffer as it is, without the clearing nobody would see.
  PixelTarget BackBufferToCover() {
    back_.state = Back::kCurrent;
    return {back_.image.pixels.data(), back_.image.width, back_.image.height};
  }
  const Image& BackImage() const;
  const Image& FrontBuffer() const { return front_; }
  uint64_t PresentedFrames() const { return presented_; }

 private:
  // Presenting swaps the buffers instead of copying the frame for
  // screenshots, and beginning a frame only notes the clearing: the back
  // buffer is cleared, or given the presented frame again, when something
  // draws on it, unless that drawing covers it whole.
  struct Back {
    enum State { kCurrent, kToClear, kToRestore };
    Image image;
    State state = kCurrent;
  };

  platform::Display& display_;
  uint32_t clearColour_ = kBlack;
  mutable Back back_;
  Image front_;
  uint64_t presented_ = 0;
};

}  // namespace kb
