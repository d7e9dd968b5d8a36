#include "render/renderer.h"

#include <algorithm>
#include <utility>

namespace kb {
namespace {

struct RowSpan {
  int first;
  int end;
};

// The rows from the first to the last in which two pictures of one size
// differ; empty when they are equal.
RowSpan ChangedRows(const Image& a, const Image& b) {
  const auto rowsEqual = [&](int y) {
    const size_t start = static_cast<size_t>(y) * static_cast<size_t>(a.width);
    return std::equal(a.pixels.begin() + start, a.pixels.begin() + start + a.width,
                      b.pixels.begin() + start);
  };
  int first = 0;
  while (first < a.height && rowsEqual(first)) ++first;
  int end = a.height;
  while (end > first && rowsEqual(end - 1)) --end;
  return {first, end};
}

}  // namespace

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
  // A screen nobody touches draws the same frame ten times a second, and an
  // idle match changes only its frame-rate table: the display is told which
  // rows changed, so that it need not be sent the whole picture again.
  if (presented_ > 0) {
    const RowSpan changed = ChangedRows(back, front_);
    display_.PresentRows(back.pixels.data(), changed.first, changed.end);
  } else {
    display_.Present(back.pixels.data());
  }
  std::swap(front_, back_.image);
  back_.state = Back::kToRestore;
  ++presented_;
}

void Renderer::PresentAgain() {
  if (presented_ == 0) return Present();
  display_.PresentRows(front_.pixels.data(), 0, 0);
  ++presented_;
}

}  // namespace kb
