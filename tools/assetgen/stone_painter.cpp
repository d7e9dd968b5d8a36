#include "stone_painter.h"

#include <algorithm>
#include <cmath>

#include "noise.h"
#include "text_art.h"

namespace kb::assetgen {
namespace {

struct Vec3 {
  float x, y, z;
};

Vec3 Normalise(Vec3 v) {
  const float l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return Vec3{v.x / l, v.y / l, v.z / l};
}

float Dot3(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

const Vec3 kLight = Normalise(Vec3{-0.55f, -0.7f, 0.65f});
const Rgba kOutline{0.035f, 0.035f, 0.04f, 1};
const Rgba kMarkOutline{1.0f, 0.93f, 0.45f, 1};

Vec2 Gradient(const Sdf& sdf, Vec2 p) {
  constexpr float kStep = 0.5f;
  const float gx = sdf(Vec2{p.x + kStep, p.y}) - sdf(Vec2{p.x - kStep, p.y});
  const float gy = sdf(Vec2{p.x, p.y + kStep}) - sdf(Vec2{p.x, p.y - kStep});
  const float l = std::sqrt(gx * gx + gy * gy);
  return l > 1e-6f ? Vec2{gx / l, gy / l} : Vec2{0, 0};
}

// Surface colour at p, d the signed distance there.
Rgba Shade(const LitShape& look, Vec2 p, float d, bool marked) {
  const float depth = std::clamp(-d / look.rim, 0.0f, 1.0f);
  // A quarter-circle profile: steep at the edge, flat once past the rim.
  const float u = 1.0f - depth;
  const float slope = std::min(u / std::sqrt(std::max(1e-4f, 1.0f - u * u)), 3.0f);
  const Vec2 g = Gradient(look.shape, p);
  const Vec3 n = Normalise(Vec3{g.x * slope, g.y * slope, 1.0f});
  const float diffuse = std::max(0.0f, Dot3(n, kLight));
  const Vec3 h = Normalise(Vec3{kLight.x, kLight.y, kLight.z + 1.0f});
  float specular = std::pow(std::max(0.0f, Dot3(n, h)), 28.0f);

  Rgba base = look.colour;
  if (marked) base = Lighten(Scale(base, 1.22f), 0.1f);
  float light = 0.42f + 0.78f * diffuse;
  switch (look.finish) {
    case Finish::kGloss:
      break;
    case Finish::kMatte:
      specular *= 0.25f;
      break;
    case Finish::kFrost: {
      const float grain = FractalNoise(p.x * 0.35f, p.y * 0.35f, look.seed, 3);
      base = Mix(base, Rgba{0.92f, 0.97f, 1.0f, 1}, 0.08f + 0.2f * grain);
      specular *= 0.6f;
      break;
    }
    case Finish::kSteel: {
      const float brush = ValueNoise(p.x * 0.25f, p.y * 2.2f, look.seed);
      light *= 0.9f + 0.22f * brush;
      specular *= 0.7f;
      break;
    }
  }
  Rgba c = Scale(base, light);
  return Mix(c, Rgba{1, 1, 1, 1}, std::min(1.0f, specular * 0.85f));
}

}  // namespace

void PaintLitShape(Canvas& canvas, const LitShape& look, bool outline, bool marked) {
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const Vec2 p{static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f};
      const float d = look.shape(p);
      const float cover = Coverage(d);
      if (cover <= 0.0f) continue;
      Rgba c;
      if (outline && d > (marked ? -2.4f : -1.6f)) {
        c = marked ? kMarkOutline : kOutline;
      } else if (outline && marked && d > -3.4f) {
        c = Scale(look.colour, 0.35f);
      } else {
        c = Shade(look, p, d, marked);
      }
      canvas.Blend(x, y, c, cover);
    }
  }
}

void PaintInlay(Canvas& canvas, const Sdf& shape, Rgba colour, bool marked) {
  const Rgba shadow{0.02f, 0.02f, 0.02f, 0.45f};
  FillShape(
      canvas,
      [&](Vec2 p) {
        return shape(Vec2{p.x - 1.2f, p.y - 1.2f});
      },
      [&](Vec2) { return shadow; });
  LitShape inlay{shape, marked ? Lighten(colour, 0.5f) : colour, 2.2f, Finish::kGloss, 7};
  FillShape(canvas, shape, [&](Vec2 p) {
    const float d = shape(p);
    if (d > -1.0f) return Scale(colour, 0.45f);
    return Shade(inlay, p, d, false);
  });
}

void PaintLetter(Canvas& canvas, std::u32string_view letter, Vec2 centre, int pixelSize, Rgba fill,
                 Rgba edge, FontStyle font) {
  const TextMask mask = RenderText(letter, font, pixelSize);
  TextStyle style;
  style.font = font;
  style.fillTop = Lighten(fill, 0.25f);
  style.fillBottom = Scale(fill, 0.85f);
  style.outline = edge;
  style.outlineWidth = 1.3f;
  style.shadow = Rgba{0.02f, 0.02f, 0.02f, 0.6f};
  style.shadowOffset = 1;
  const int baseline = static_cast<int>(std::lround(centre.y)) - mask.height / 2 + mask.baseline;
  PaintTextLine(canvas, letter, static_cast<int>(std::lround(centre.x)), baseline, true, pixelSize,
                style);
}

void PaintMarkGlow(Canvas& canvas, const Sdf& shape, Rgba colour, float width) {
  FillShape(
      canvas, [&](Vec2 p) { return shape(p) - width; },
      [&](Vec2 p) {
        const float d = std::max(0.0f, shape(p));
        return Mix(colour, Scale(colour, 0.55f), std::clamp(d / width, 0.0f, 1.0f));
      });
}

}  // namespace kb::assetgen
