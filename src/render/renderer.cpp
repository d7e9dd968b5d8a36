#include "render/renderer.h"

#include <algorithm>
#include <utility>

namespace kb {

Renderer::Renderer(platform::Display& display)
    : display_(display),
      back_{Image(platform::kScreenWidth, platform::kScreenHeight)},
      front_(platform::kScreenWidth, platform::kScreenHeight) {}

const Image& Renderer::BackImage() const {
  std::vector<uint32_t>& pixels = back_.image.pixels;
  if (back_.state == Back::kToClear) std::fill(pixels.begin(), pixels.end(), clearColour_);
  if (back_.state == Back::kToRestore)
    std::copy(front_.pixels.begin(), front_.pixels.end(), pixels.begin());
  back_.state = Back::kCurrent;
  return back_.image;
}

void Renderer::Present() {
  const Image& back = BackImage();
  // A screen nobody touches draws the same frame ten times a second; the
  // comparison stops at the first changed pixel, and an unchanged frame
  // spares the display the upload of the whole picture.
  if (presented_ > 0 && back.pixels == front_.pixels) {
    display_.PresentAgain(back.pixels.data());
  } else {
    display_.Present(back.pixels.data());
  }
  std::swap(front_, back_.image);
  back_.state = Back::kToRestore;
  ++presented_;
}

}  // namespace kb
