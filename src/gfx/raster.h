#pragma once

#include <cstdint>

#include "gfx/image.h"

namespace kb {

// A writable block of ARGB pixels, usually the 1024 x 768 back buffer.
struct PixelTarget {
  uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

// Where a sprite lands: each source texel position p goes to
// rotate(p * scale - centre) + centre + (x, y); the centre is in scaled
// pixels and a positive rotation turns counterclockwise on screen.
struct SpritePlacement {
  float scaleX = 1.0f;
  float scaleY = 1.0f;
  float centreX = 0.0f;
  float centreY = 0.0f;
  float rotation = 0.0f;
  int x = 0;
  int y = 0;

  bool operator==(const SpritePlacement&) const = default;
};

// A rectangle of a texture, left/top inclusive, right/bottom exclusive.
struct SourceRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// A rectangle of target pixels, left/top inclusive, right/bottom exclusive.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Draws `source` of `texture` by the placement, each texel multiplied
// component-wise by `argb` and blended by the resulting alpha; texels of alpha
// 0 (the colour key) and texels outside the texture leave the target alone.
// Every write is clipped to the target.
void DrawSprite(PixelTarget target, const Image& texture, SourceRect source,
                const SpritePlacement& placement, uint32_t argb);
// The same drawing's pixels inside `clip` only: each exactly as the whole
// drawing gives it.
void DrawSpriteWithin(PixelTarget target, PixelRect clip, const Image& texture, SourceRect source,
                      const SpritePlacement& placement, uint32_t argb);
// A rectangle holding every pixel that drawing may change (before clipping
// to the target); empty for a drawing that changes none.
PixelRect SpriteBounds(const Image& texture, SourceRect source, const SpritePlacement& placement,
                       uint32_t argb);

// Copies the whole picture into the rectangle [left, right) x [top, bottom)
// without filtering, squeezed or stretched to fit, clipped to the target.
void StretchCopy(PixelTarget target, const Image& source, int left, int top, int right, int bottom);

// Turns every pixel of exactly opaque black into full transparency.
void ApplyColourKey(Image& image);

// Nearest-neighbour resampling, for pictures whose file size differs from the
// size the game asks for.
Image ResampleNearest(const Image& image, int width, int height);

}  // namespace kb
