#include "gfx/raster.h"

#include <algorithm>
#include <bit>
#include <cmath>

#ifdef __wasm_simd128__
#include <wasm_simd128.h>
#endif

#include "core/colours.h"

namespace kb {
namespace {

// Most turned sprites are not scaled: a division by 1 is exact and can be
// left out, which spares every pixel row of a turning stone two divisions.
double DivideBy(double value, double divisor) {
  return divisor == 1.0 ? value : value / divisor;
}

uint32_t Channel(uint32_t argb, int shift) {
  return (argb >> shift) & 0xFFu;
}

uint32_t MultiplyChannel(uint32_t a, uint32_t b) {
  return (a * b + 127u) / 255u;
}

uint32_t Modulate(uint32_t texel, uint32_t argb) {
  if (argb == kWhite) return texel;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    out |= MultiplyChannel(Channel(texel, shift), Channel(argb, shift)) << shift;
  }
  return out;
}

uint32_t Blend(uint32_t src, uint32_t dst) {
  const uint32_t alpha = src >> 24;
  if (alpha == 255u) return src;
  uint32_t out = 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t c =
        (Channel(src, shift) * alpha + Channel(dst, shift) * (255u - alpha) + 127u) / 255u;
    out |= c << shift;
  }
  return out;
}

// Rows are tinted and composited in pieces of this many pixels, in a buffer
// on the stack.
constexpr int kPiece = 256;

// What a row of tinted texels holds: any that show at all, any that are
// neither keyed nor opaque.
struct RowAlpha {
  bool visible;
  bool partial;
};
RowAlpha SummariseAlpha(const uint32_t* src, int count) {
  uint32_t visible = 0;
  uint32_t partial = 0;
  for (int i = 0; i < count; ++i) {
    visible |= src[i] >> 24;
    partial |= (src[i] >> 24) - 1u < 254u ? 1u : 0u;
  }
  return {visible != 0, partial != 0};
}

// One row of tinted texels onto the target, as the rule puts each: a texel
// of alpha 0 leaves the pixel alone, an opaque one replaces it, any other
// blends with it. The game's pictures are opaque or keyed, and a row of
// those takes a plain select, which the compiler turns into vector code; a
// row of keyed texels only leaves nothing to do.
void CompositeRow(uint32_t* dst, const uint32_t* src, int count, RowAlpha alpha) {
  if (!alpha.visible) return;
  if (alpha.partial) {
    for (int i = 0; i < count; ++i) {
      if ((src[i] >> 24) != 0) dst[i] = Blend(src[i], dst[i]);
    }
    return;
  }
  int i = 0;
#ifdef __wasm_simd128__
  // The browser's compiler leaves this loop scalar, reading the pixel only
  // under a keyed texel; four at a time, texels of alpha above 0 chosen.
  const v128_t keyed = wasm_i32x4_splat(0x00FFFFFF);
  for (; i + 4 <= count; i += 4) {
    const v128_t texels = wasm_v128_load(src + i);
    wasm_v128_store(dst + i, wasm_v128_bitselect(texels, wasm_v128_load(dst + i),
                                                 wasm_u32x4_gt(texels, keyed)));
  }
#endif
  for (; i < count; ++i) dst[i] = (src[i] >> 24) != 0 ? src[i] : dst[i];
}

// Texel (u, v) of the source lands on pixel (x + u, y + v), as the general
// rule gives for scale 1 and no rotation, whatever the centre.
void DrawUnscaled(PixelTarget target, PixelRect clip, const Image& texture, SourceRect source,
                  int x, int y, uint32_t argb) {
  const int u0 = std::max({0, clip.left - x, -source.x});
  const int v0 = std::max({0, clip.top - y, -source.y});
  const int u1 = std::min({source.width, clip.right - x, texture.width - source.x});
  const int v1 = std::min({source.height, clip.bottom - y, texture.height - source.y});
  uint32_t tinted[kPiece];
  for (int v = v0; v < v1; ++v) {
    const uint32_t* texels =
        &texture.pixels[static_cast<size_t>(source.y + v) * texture.width + source.x];
    uint32_t* row = target.pixels + static_cast<size_t>(y + v) * target.width + x;
    for (int u = u0; u < u1; u += kPiece) {
      const int count = std::min(kPiece, u1 - u);
      const uint32_t* piece = texels + u;
      if (argb != kWhite) {
        for (int i = 0; i < count; ++i) tinted[i] = Modulate(piece[i], argb);
        piece = tinted;
      }
      CompositeRow(row + u, piece, count, SummariseAlpha(piece, count));
    }
  }
}

// Pixels first to first + count - 1 of a texel row magnified by 2^shift,
// pixel i showing texel column + ((first + i) >> shift). From the texel
// under the first pixel on the indices stay small, whatever first is.
void Magnify(uint32_t* out, const uint32_t* texels, int column, int64_t first, int count,
             int shift) {
  const uint32_t* from = texels + (column + (first >> shift));
  const int phase = static_cast<int>(first & ((int64_t{1} << shift) - 1));
  int i = 0;
#ifdef __wasm_simd128__
  // The browser's compiler turns the plain loop into lane-by-lane gathers;
  // whole texels are written as vectors instead, after the pixels up to
  // the first texel boundary.
  const int scale = 1 << shift;
  for (; i < count && ((phase + i) & (scale - 1)) != 0; ++i) out[i] = from[(phase + i) >> shift];
  const uint32_t* texel = from + ((phase + i) >> shift);
  if (scale == 2) {
    for (; i + 8 <= count; i += 8, texel += 4) {
      const v128_t four = wasm_v128_load(texel);
      wasm_v128_store(out + i, wasm_i32x4_shuffle(four, four, 0, 0, 1, 1));
      wasm_v128_store(out + i + 4, wasm_i32x4_shuffle(four, four, 2, 2, 3, 3));
    }
  } else if (scale >= 4) {
    for (; i + scale <= count; i += scale, ++texel) {
      const v128_t same = wasm_v128_load32_splat(texel);
      for (int k = 0; k < scale; k += 4) wasm_v128_store(out + i + k, same);
    }
  }
#endif
  for (; i < count; ++i) out[i] = from[(phase + i) >> shift];
}

// Scales the block drawing takes: powers of two, for which the general rule's
// arithmetic below is exact.
bool IsBlockScale(float scale) {
  for (float s = 1.0f; s <= 64.0f; s *= 2.0f) {
    if (scale == s) return true;
  }
  return false;
}

bool IsWholeCentre(float centre) {
  return centre == std::floor(centre) && std::fabs(centre) <= 1048576.0f;
}

// Unturned, with whole-number centre and scales of a power of two, pixel X of
// the general rule samples u = (X + 0.5 - x) / scale exactly, which is texel
// (X - x) / scale rounded down: every texel (u, v) covers the block of
// scaleX x scaleY pixels at (x + u * scaleX, y + v * scaleY), whatever the
// centre. The explosions' magnified sheets are drawn this way: each texel row
// is magnified and tinted once, piece by piece, and composited onto the
// scaleY rows it covers.
void DrawBlocks(PixelTarget target, PixelRect clip, const Image& texture, SourceRect source, int x,
                int y, int scaleX, int scaleY, uint32_t argb) {
  // The part of the source rectangle that lies in the texture.
  const int u0 = std::max(0, -source.x);
  const int v0 = std::max(0, -source.y);
  const int u1 = std::min(source.width, texture.width - source.x);
  const int v1 = std::min(source.height, texture.height - source.y);
  if (u0 >= u1 || v0 >= v1) return;
  const int64_t left = std::max<int64_t>(clip.left, x + int64_t{u0} * scaleX);
  const int64_t right = std::min<int64_t>(clip.right, x + int64_t{u1} * scaleX);
  const int64_t top = std::max<int64_t>(clip.top, y + int64_t{v0} * scaleY);
  const int64_t bottom = std::min<int64_t>(clip.bottom, y + int64_t{v1} * scaleY);
  const int shiftX = std::countr_zero(static_cast<unsigned>(scaleX));
  uint32_t magnified[kPiece];
  for (int64_t blockTop = top; blockTop < bottom;) {
    const int64_t v = (blockTop - y) / scaleY;
    const int64_t blockBottom = std::min(bottom, y + (v + 1) * scaleY);
    const uint32_t* texels = &texture.pixels[static_cast<size_t>(source.y + v) * texture.width];
    for (int64_t pieceLeft = left; pieceLeft < right; pieceLeft += kPiece) {
      const int count = static_cast<int>(std::min<int64_t>(kPiece, right - pieceLeft));
      const int64_t first = pieceLeft - x;
      Magnify(magnified, texels, source.x, first, count, shiftX);
      if (argb != kWhite) {
        for (int i = 0; i < count; ++i) magnified[i] = Modulate(magnified[i], argb);
      }
      const RowAlpha alpha = SummariseAlpha(magnified, count);
      for (int64_t Y = blockTop; Y < blockBottom && alpha.visible; ++Y) {
        uint32_t* row = target.pixels + static_cast<size_t>(Y) * target.width;
        CompositeRow(row + pieceLeft, magnified, count, alpha);
      }
    }
    blockTop = blockBottom;
  }
}

// The source rectangle's corners mapped forward: the extent of what the
// general rule covers, before clipping.
struct Bounds {
  double minX, minY, maxX, maxY;
};
Bounds ForwardBounds(SourceRect source, const SpritePlacement& p, double cosA, double sinA) {
  Bounds b{1e300, 1e300, -1e300, -1e300};
  for (const double u : {0.0, static_cast<double>(source.width)}) {
    for (const double v : {0.0, static_cast<double>(source.height)}) {
      const double dx = u * p.scaleX - p.centreX;
      const double dy = v * p.scaleY - p.centreY;
      const double X = dx * cosA + dy * sinA + p.centreX + p.x;
      const double Y = -dx * sinA + dy * cosA + p.centreY + p.y;
      b.minX = std::min(b.minX, X);
      b.maxX = std::max(b.maxX, X);
      b.minY = std::min(b.minY, Y);
      b.maxY = std::max(b.maxY, Y);
    }
  }
  return b;
}

bool Drawable(const Image& texture, SourceRect source, const SpritePlacement& p, uint32_t argb) {
  if (texture.Empty() || source.width <= 0 || source.height <= 0) return false;
  if (p.scaleX == 0.0f || p.scaleY == 0.0f || (argb >> 24) == 0) return false;
  return std::isfinite(p.scaleX) && std::isfinite(p.scaleY) && std::isfinite(p.rotation) &&
         std::isfinite(p.centreX) && std::isfinite(p.centreY);
}

}  // namespace

PixelRect SpriteBounds(const Image& texture, SourceRect source, const SpritePlacement& p,
                       uint32_t argb) {
  if (!Drawable(texture, source, p, argb)) return {};
  const double angle = static_cast<double>(p.rotation);
  const Bounds b = ForwardBounds(source, p, std::cos(angle), std::sin(angle));
  // The general rule covers exactly these pixels. The paths for unturned
  // sprites place texels at whole numbers, which the corners' doubles miss
  // by far less than a pixel: rounded outwards, they stay inside.
  const auto side = [](double value) {
    return static_cast<int>(std::clamp(value, -1048576.0, 1048576.0));
  };
  return {side(std::floor(b.minX)), side(std::floor(b.minY)), side(std::ceil(b.maxX)),
          side(std::ceil(b.maxY))};
}

void DrawSprite(PixelTarget target, const Image& texture, SourceRect source,
                const SpritePlacement& p, uint32_t argb) {
  DrawSpriteWithin(target, {0, 0, target.width, target.height}, texture, source, p, argb);
}

void DrawSpriteWithin(PixelTarget target, PixelRect clip, const Image& texture, SourceRect source,
                      const SpritePlacement& p, uint32_t argb) {
  if (!Drawable(texture, source, p, argb)) return;
  clip = {std::max(clip.left, 0), std::max(clip.top, 0), std::min(clip.right, target.width),
          std::min(clip.bottom, target.height)};
  if (clip.left >= clip.right || clip.top >= clip.bottom) return;

  // Most sprites are neither scaled nor turned: their texels land one to one.
  if (p.scaleX == 1.0f && p.scaleY == 1.0f && p.rotation == 0.0f) {
    DrawUnscaled(target, clip, texture, source, p.x, p.y, argb);
    return;
  }
  if (p.rotation == 0.0f && IsBlockScale(p.scaleX) && IsBlockScale(p.scaleY) &&
      IsWholeCentre(p.centreX) && IsWholeCentre(p.centreY)) {
    DrawBlocks(target, clip, texture, source, p.x, p.y, static_cast<int>(p.scaleX),
               static_cast<int>(p.scaleY), argb);
    return;
  }

  const double cosA = std::cos(static_cast<double>(p.rotation));
  const double sinA = std::sin(static_cast<double>(p.rotation));
  const double sx = p.scaleX;
  const double sy = p.scaleY;
  const double cx = p.centreX;
  const double cy = p.centreY;

  // Forward mapping of the source rectangle's corners gives the bounding box.
  const Bounds b = ForwardBounds(source, p, cosA, sinA);
  // The walk along a row starts at the target's edge, never at the clip's,
  // so that a clipped drawing reaches each pixel by the same sums.
  const int x0 = static_cast<int>(std::max(0.0, std::floor(b.minX)));
  const int y0 = static_cast<int>(std::max(0.0, std::floor(b.minY)));
  const int x1 = static_cast<int>(std::min(static_cast<double>(clip.right), std::ceil(b.maxX)));
  const int y1 = static_cast<int>(std::min(static_cast<double>(clip.bottom), std::ceil(b.maxY)));
  if (x0 >= x1 || y0 >= y1) return;

  // Inverse mapping of every covered pixel centre back into the source:
  // p * scale = unrotate(screen - centre - (x, y)) + centre.
  const double stepU = cosA / sx;  // change of u per pixel to the right
  const double stepV = sinA / sy;
  for (int Y = std::max(y0, clip.top); Y < y1; ++Y) {
    const double ey = Y + 0.5 - cy - p.y;
    const double ex0 = x0 + 0.5 - cx - p.x;
    double u = DivideBy(ex0 * cosA - ey * sinA + cx, sx);
    double v = DivideBy(ex0 * sinA + ey * cosA + cy, sy);
    uint32_t* row = target.pixels + static_cast<size_t>(Y) * target.width;
    for (int X = x0; X < x1; ++X, u += stepU, v += stepV) {
      if (X < clip.left) continue;
      if (u < 0.0 || v < 0.0 || u >= source.width || v >= source.height) continue;
      const int tx = source.x + static_cast<int>(u);
      const int ty = source.y + static_cast<int>(v);
      if (tx < 0 || ty < 0 || tx >= texture.width || ty >= texture.height) continue;
      const uint32_t texel = Modulate(texture.At(tx, ty), argb);
      if ((texel >> 24) == 0) continue;
      row[X] = Blend(texel, row[X]);
    }
  }
}

void StretchCopy(PixelTarget target, const Image& source, int left, int top, int right,
                 int bottom) {
  if (source.Empty() || right <= left || bottom <= top) return;
  const int64_t w = right - left;
  const int64_t h = bottom - top;
  const int xs = std::max(left, 0);
  const int ys = std::max(top, 0);
  const int xe = std::min(right, target.width);
  const int ye = std::min(bottom, target.height);
  if (w == source.width && h == source.height) {
    // One to one, as every background is: whole rows at a time.
    for (int Y = ys; Y < ye; ++Y) {
      std::copy_n(&source.pixels[static_cast<size_t>(Y - top) * source.width + (xs - left)],
                  xe - xs, target.pixels + static_cast<size_t>(Y) * target.width + xs);
    }
    return;
  }
  for (int Y = ys; Y < ye; ++Y) {
    const int sy = static_cast<int>((Y - top) * static_cast<int64_t>(source.height) / h);
    uint32_t* row = target.pixels + static_cast<size_t>(Y) * target.width;
    for (int X = xs; X < xe; ++X) {
      const int sx = static_cast<int>((X - left) * static_cast<int64_t>(source.width) / w);
      row[X] = source.At(sx, sy);
    }
  }
}

void ApplyColourKey(Image& image) {
  for (uint32_t& p : image.pixels) {
    if (p == kBlack) p = 0;
  }
}

Image ResampleNearest(const Image& image, int width, int height) {
  if (image.width == width && image.height == height) return image;
  Image out(width, height, kBlack);
  if (image.Empty()) return out;
  StretchCopy(PixelTarget{out.pixels.data(), width, height}, image, 0, 0, width, height);
  return out;
}

}  // namespace kb
