#include "render/renderer.h"

#include <algorithm>

namespace kb {

Renderer::Renderer(platform::Display& display)
    : display_(display),
      back_(platform::kScreenWidth, platform::kScreenHeight),
      front_(platform::kScreenWidth, platform::kScreenHeight) {}

void Renderer::BeginFrame() {
  std::fill(back_.pixels.begin(), back_.pixels.end(), clearColour_);
}

void Renderer::Present() {
  display_.Present(back_.pixels.data());
  front_.pixels = back_.pixels;
  ++presented_;
}

}  // namespace kb
