#include "compose.h"

#include <algorithm>
#include <cmath>

#include "noise.h"

namespace kb::assetgen {
namespace {

Rgba Sample(const Canvas& source, float x, float y) {
  const float fx = x - 0.5f;
  const float fy = y - 0.5f;
  const int x0 = static_cast<int>(std::floor(fx));
  const int y0 = static_cast<int>(std::floor(fy));
  const float tx = fx - static_cast<float>(x0);
  const float ty = fy - static_cast<float>(y0);
  auto at = [&](int px, int py) {
    if (!source.Inside(px, py)) return Rgba{0, 0, 0, 0};
    return source.At(px, py);
  };
  // Blend in premultiplied form so transparent neighbours do not darken edges.
  Rgba sum{0, 0, 0, 0};
  const float weights[4] = {(1 - tx) * (1 - ty), tx * (1 - ty), (1 - tx) * ty, tx * ty};
  const Rgba texels[4] = {at(x0, y0), at(x0 + 1, y0), at(x0, y0 + 1), at(x0 + 1, y0 + 1)};
  for (int i = 0; i < 4; ++i) {
    const float w = weights[i] * texels[i].a;
    sum.r += texels[i].r * w;
    sum.g += texels[i].g * w;
    sum.b += texels[i].b * w;
    sum.a += w;
  }
  if (sum.a <= 1e-5f) return Rgba{0, 0, 0, 0};
  return Rgba{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a};
}

}  // namespace

void DrawTransformed(Canvas& target, const Canvas& source, Vec2 centre, float scale, float angle,
                     float brightness, float opacity) {
  const float half = 0.5f * scale *
                     std::sqrt(static_cast<float>(source.Width() * source.Width() +
                                                  source.Height() * source.Height()));
  const int x0 = static_cast<int>(std::floor(centre.x - half));
  const int y0 = static_cast<int>(std::floor(centre.y - half));
  const int x1 = static_cast<int>(std::ceil(centre.x + half));
  const int y1 = static_cast<int>(std::ceil(centre.y + half));
  const Vec2 sourceCentre{static_cast<float>(source.Width()) * 0.5f,
                          static_cast<float>(source.Height()) * 0.5f};
  for (int y = std::max(0, y0); y < std::min(target.Height(), y1); ++y) {
    for (int x = std::max(0, x0); x < std::min(target.Width(), x1); ++x) {
      const Vec2 d{static_cast<float>(x) + 0.5f - centre.x,
                   static_cast<float>(y) + 0.5f - centre.y};
      const Vec2 s = Rotate(d, -angle) * (1.0f / scale) + sourceCentre;
      const Rgba c = Sample(source, s.x, s.y);
      if (c.a <= 0.0f) continue;
      target.Blend(x, y, WithAlpha(Scale(c, brightness), 1.0f), c.a * opacity);
    }
  }
}

void DrawSqueezed(Canvas& target, const Canvas& source) {
  const float sx = static_cast<float>(source.Width()) / static_cast<float>(target.Width());
  for (int y = 0; y < target.Height(); ++y) {
    for (int x = 0; x < target.Width(); ++x) {
      const Rgba c =
          Sample(source, (static_cast<float>(x) + 0.5f) * sx, static_cast<float>(y) + 0.5f);
      if (c.a > 0.0f) target.Blend(x, y, WithAlpha(c, 1.0f), c.a);
    }
  }
}

void FillVertical(Canvas& canvas, Rgba top, Rgba bottom) {
  for (int y = 0; y < canvas.Height(); ++y) {
    const Rgba c = WithAlpha(
        Mix(top, bottom, static_cast<float>(y) / static_cast<float>(canvas.Height() - 1)), 1.0f);
    for (int x = 0; x < canvas.Width(); ++x) canvas.At(x, y) = c;
  }
}

void AddMottle(Canvas& canvas, float amount, float featureSize, uint32_t seed) {
  const float f = 1.0f / featureSize;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const float n = FractalNoise(static_cast<float>(x) * f, static_cast<float>(y) * f, seed, 4);
      Rgba& p = canvas.At(x, y);
      p = Scale(p, 1.0f + amount * (n - 0.5f) * 2.0f);
    }
  }
}

void AddVignette(Canvas& canvas, float strength) {
  const float cx = static_cast<float>(canvas.Width()) * 0.5f;
  const float cy = static_cast<float>(canvas.Height()) * 0.5f;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const float dx = (static_cast<float>(x) - cx) / cx;
      const float dy = (static_cast<float>(y) - cy) / cy;
      const float r2 = (dx * dx + dy * dy) * 0.5f;
      Rgba& p = canvas.At(x, y);
      p = Scale(p, 1.0f - strength * r2 * r2);
    }
  }
}

void DarkenAround(Canvas& canvas, Vec2 centre, Vec2 radii, float strength) {
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const float dx = (static_cast<float>(x) - centre.x) / radii.x;
      const float dy = (static_cast<float>(y) - centre.y) / radii.y;
      const float inside = std::clamp(1.3f - std::sqrt(dx * dx + dy * dy), 0.0f, 1.0f);
      Rgba& p = canvas.At(x, y);
      p = Scale(p, 1.0f - strength * inside);
    }
  }
}

void PaintFrame(Canvas& canvas, Rgba colour) {
  const float w = static_cast<float>(canvas.Width());
  const float h = static_cast<float>(canvas.Height());
  for (float inset : {4.0f, 8.0f}) {
    const Vec2 half{w * 0.5f - inset, h * 0.5f - inset};
    const float alpha = inset < 6.0f ? 0.9f : 0.45f;
    FillShape(
        canvas,
        [&](Vec2 p) {
          return std::abs(BoxSdf(p, Vec2{w * 0.5f, h * 0.5f}, half, 6.0f)) - 0.6f;
        },
        [&](Vec2) { return WithAlpha(colour, alpha); });
  }
}

void PaintPanel(Canvas& canvas, Box area, float radius, Rgba fill, Rgba border, float opacity) {
  const Vec2 centre{static_cast<float>(area.x) + static_cast<float>(area.width) * 0.5f,
                    static_cast<float>(area.y) + static_cast<float>(area.height) * 0.5f};
  const Vec2 half{static_cast<float>(area.width) * 0.5f, static_cast<float>(area.height) * 0.5f};
  FillShape(
      canvas, area.x - 2, area.y - 2, area.x + area.width + 2, area.y + area.height + 2,
      [&](Vec2 p) { return BoxSdf(p, centre, half, radius); },
      [&](Vec2 p) {
        const float d = BoxSdf(p, centre, half, radius);
        return WithAlpha(d > -2.0f ? border : fill, opacity);
      });
}

}  // namespace kb::assetgen
