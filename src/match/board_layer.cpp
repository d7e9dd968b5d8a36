#include <algorithm>
#include <array>
#include <vector>

#include "core/colours.h"
#include "match/match_screen.h"

namespace kb {
namespace {

// Beyond this many changed looks (a new level, a shuffle) the whole board is
// drawn again: as cheap, and simpler.
constexpr size_t kMostChangedLooks = 48;

constexpr PixelRect kBoardRect{0, 0, kBoardPixels, kBoardPixels};

bool IsEmpty(const PixelRect& r) {
  return r.left >= r.right || r.top >= r.bottom;
}

PixelRect Intersection(const PixelRect& a, const PixelRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

void CopyRect(const PixelRect& r, const uint32_t* from, uint32_t* to, int32_t width) {
  for (int32_t y = r.top; y < r.bottom; ++y) {
    const size_t start = static_cast<size_t>(y) * static_cast<size_t>(width) + r.left;
    std::copy_n(from + start, r.right - r.left, to + start);
  }
}

}  // namespace

bool MatchScreen::BoardCanBeKept(const BoardLooks& looks, LookBounds& bounds) const {
  if (game_.IsTwoPlayer() || RemovalAnimationsRun(game_.rules.effects)) return false;
  for (size_t i = 0; i < looks.size(); ++i) {
    bounds[i] = game_.sprites.Bounds(looks[i].texture, looks[i].placement, kWhite);
    // A look reaching past the board's right edge would lie over the
    // panel's texts, which are drawn before the board.
    if (bounds[i].right > kBoardPixels) return false;
  }
  return true;
}

void MatchScreen::ShowGridUnderBoard() {
  const PixelTarget frame = game_.renderer.BackBuffer();
  CopyRect(kBoardRect, gridFrame_.pixels.data(), frame.pixels, frame.width);
}

void MatchScreen::KeepBoardFrame(const BoardLooks& looks) {
  LookBounds bounds;
  boardFrameKept_ = BoardCanBeKept(looks, bounds);
  if (!boardFrameKept_) return;
  if (boardFrame_.Empty()) boardFrame_ = gridFrame_;
  CopyRect(kBoardRect, game_.renderer.BackBuffer().pixels, boardFrame_.pixels.data(),
           boardFrame_.width);
  keptLooks_ = looks;
}

bool MatchScreen::RedrawChangedLooks(const BoardLooks& looks) {
  LookBounds bounds;
  if (!BoardCanBeKept(looks, bounds)) return false;
  std::vector<PixelRect> changed;
  for (size_t i = 0; i < looks.size(); ++i) {
    const StoneLook& kept = keptLooks_[i];
    if (looks[i] == kept) continue;
    const PixelRect before = game_.sprites.Bounds(kept.texture, kept.placement, kWhite);
    const PixelRect place = Intersection(Union(before, bounds[i]), kBoardRect);
    if (!IsEmpty(place)) changed.push_back(place);
  }
  if (changed.size() > kMostChangedLooks) return false;

  // Each changed place is drawn as the whole board would draw it: the grid
  // frame, then every look that reaches into it, in the board's order.
  // Places that overlap are each right on their own, whichever comes last.
  const PixelTarget frame = game_.renderer.BackBuffer();
  for (const PixelRect& place : changed) {
    CopyRect(place, gridFrame_.pixels.data(), frame.pixels, frame.width);
    for (size_t i = 0; i < looks.size(); ++i) {
      if (IsEmpty(Intersection(bounds[i], place))) continue;
      game_.sprites.DrawPartWithin(frame, place, looks[i].texture, looks[i].placement, std::nullopt,
                                   kWhite);
    }
  }
  for (const PixelRect& place : changed) {
    CopyRect(place, frame.pixels, boardFrame_.pixels.data(), frame.width);
  }
  keptLooks_ = looks;
  return true;
}

}  // namespace kb
