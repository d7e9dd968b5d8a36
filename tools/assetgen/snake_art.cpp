#include "snake_art.h"

#include <algorithm>
#include <cmath>

#include "noise.h"
#include "shapes.h"
#include "stone_painter.h"

namespace kb::assetgen {
namespace {

constexpr float kPi = 3.14159265f;
constexpr float kHalfWidth = 12.5f;  // the body is 25 pixels across
constexpr float kCell = 48.0f;

struct SnakeLook {
  Rgba back;     // main scale colour
  Rgba pattern;  // markings along the back
  Rgba belly;    // the flanks
  Rgba eye;
  int markings;  // 0 diamonds, 1 bands, 2 blotches
  float jaws;    // how much wider the head grows behind the eyes
};

SnakeLook LookOf(int set) {
  switch (set) {
    case 1:  // jungle: a lime tree snake with dark bands
      return SnakeLook{
          FromHex(0x7CCB2A), FromHex(0x1F5A18), FromHex(0xD8E860), FromHex(0xFF3020), 1, 3.5f};
    case 2:  // stone desert: a sand-coloured viper with brown diamonds
      return SnakeLook{
          FromHex(0xD2B07A), FromHex(0x6B4424), FromHex(0xF0DDB0), FromHex(0x202020), 0, 8.0f};
    default:  // classic: a green snake with a darker chain
      return SnakeLook{
          FromHex(0x3DA23A), FromHex(0x16602A), FromHex(0xA8D870), FromHex(0xF8E020), 2, 5.0f};
  }
}

// Distance from u to the nearest centre of a marking repeated every period,
// centred so the pattern reads the same from both ends of a piece.
float PatternPhase(float u, float period) {
  const float k = std::round((u - period * 0.5f) / period);
  return std::abs(u - (period * 0.5f + k * period)) / (period * 0.5f);
}

// Colour of the body at position u along it (0..48 over one piece) and v
// across it (-1..1), before the outline.
Rgba BodyColour(const SnakeLook& look, float u, float v, uint32_t seed) {
  const float across = std::abs(v);
  Rgba c = Mix(look.back, look.belly, std::clamp((across - 0.55f) / 0.4f, 0.0f, 1.0f));
  bool marked = false;
  switch (look.markings) {
    case 0:
      marked = PatternPhase(u, 16.0f) + across * 1.25f < 0.7f;
      break;
    case 1:
      marked = PatternPhase(u, 12.0f) < 0.32f && across < 0.85f;
      break;
    default: {
      const float phase = PatternPhase(u, 16.0f);
      marked = phase * phase + across * across * 1.4f < 0.28f && phase + across > 0.12f;
      break;
    }
  }
  if (marked) c = look.pattern;
  // Scales: a faint lattice of darker rims.
  const float su = u / 4.0f;
  const float sv = v * 3.0f + (static_cast<int>(std::floor(su)) % 2 == 0 ? 0.0f : 0.5f);
  const float rim = std::min(std::abs(su - std::round(su)), std::abs(sv - std::round(sv)));
  if (rim < 0.1f) c = Scale(c, 0.82f);
  c = Scale(c, 0.92f + 0.16f * ValueNoise(u * 0.7f, v * 4.0f, seed));
  // Round body lit from above: bright along the spine, darker at both
  // flanks, so every piece looks the same whichever way the game turns it.
  c = Scale(c, 1.08f - 0.45f * v * v);
  if (across < 0.22f) c = Lighten(c, 0.1f);
  return c;
}

// A piece of body seen from above: width at u given by taper(u), the body
// coordinates of a pixel given by map(p, &u, &v) (v in pixels from the
// middle line).
template <typename Map, typename Taper>
void PaintBodyStrip(Canvas& canvas, const SnakeLook& look, Map map, Taper taper, uint32_t seed) {
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const Vec2 p{static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f};
      float u = 0.0f;
      float v = 0.0f;
      if (!map(p, &u, &v)) continue;
      const float width = kHalfWidth * taper(u);
      if (width <= 0.5f) continue;
      const float d = std::abs(v) - width;  // signed distance to the flank
      const float cover = Coverage(d);
      if (cover <= 0.0f) continue;
      const Rgba c =
          d > -1.4f ? Rgba{0.05f, 0.08f, 0.04f, 1} : BodyColour(look, u, v / width, seed);
      canvas.Blend(x, y, c, cover);
    }
  }
}

bool StraightMap(Vec2 p, float* u, float* v) {
  *u = p.x;
  *v = p.y - 24.0f;
  return true;
}

// A quarter circle about a corner of the cell, from the left edge's middle
// to the middle of the bottom (corner (0, 48)) or top (corner (0, 0)) edge.
template <bool kDown>
bool BendMap(Vec2 p, float* u, float* v) {
  const Vec2 corner{0.0f, kDown ? kCell : 0.0f};
  const Vec2 d = p - corner;
  const float r = Length(d);
  float angle = std::atan2(d.x, kDown ? -d.y : d.y);  // 0 at the left edge, pi/2 at the other
  if (angle < -0.05f || angle > kPi / 2 + 0.05f) return false;
  *u = angle / (kPi / 2) * kCell;
  *v = kDown ? 24.0f - r : r - 24.0f;
  return true;
}

float FullWidth(float) {
  return 1.0f;
}

// The tail narrows to a rounded point about 6 pixels before the piece ends.
float TailTaper(float u) {
  const float t = std::clamp(u / 42.0f, 0.0f, 1.0f);
  return std::sqrt(std::max(0.0f, 1.0f - t * t * t));
}

void PaintHead(Canvas& canvas, const SnakeLook& look, float rotation, uint32_t seed) {
  // Shapes are laid out pointing up and looked up through the turn.
  auto local = [rotation](Vec2 p) { return Rotate(p - Vec2{24, 24}, -rotation) + Vec2{24, 24}; };
  const Sdf neck = [](Vec2 q) { return BoxSdf(q, Vec2{24.0f, 40.0f}, Vec2{kHalfWidth, 9.0f}); };
  const Sdf skull = [&look](Vec2 q) {
    // Wider at the jaws, narrowing to the snout.
    const float widen = std::clamp((q.y - 8.0f) / 20.0f, 0.0f, 1.0f);
    const Vec2 scaled{(q.x - 24.0f) / (11.0f + look.jaws * widen), (q.y - 22.0f) / 16.5f};
    return (Length(scaled) - 1.0f) * 12.0f;
  };
  const Sdf head = [&](Vec2 p) {
    const Vec2 q = local(p);
    return std::min(neck(q), skull(q));
  };
  // The tongue first, so the head covers its root.
  const Sdf tongue = [&](Vec2 p) {
    const Vec2 q = local(p);
    float d = SegmentSdf(q, Vec2{24.0f, 8.0f}, Vec2{24.0f, 3.0f}, 0.9f);
    d = std::min(d, SegmentSdf(q, Vec2{24.0f, 3.0f}, Vec2{21.5f, 0.5f}, 0.8f));
    return std::min(d, SegmentSdf(q, Vec2{24.0f, 3.0f}, Vec2{26.5f, 0.5f}, 0.8f));
  };
  FillShapeColour(canvas, tongue, FromHex(0xE02030));
  FillShape(canvas, head, [&](Vec2 p) {
    const float d = head(p);
    if (d > -1.4f) return Rgba{0.05f, 0.08f, 0.04f, 1};
    const Vec2 q = local(p);
    // The neck is painted like the body it joins, so the seam does not show.
    if (q.y > 34.0f && skull(q) > -1.5f) {
      return BodyColour(look, q.y, std::clamp((q.x - 24.0f) / kHalfWidth, -1.0f, 1.0f), seed);
    }
    const float v = std::clamp((q.x - 24.0f) / (11.0f + look.jaws), -1.0f, 1.0f);
    Rgba c = BodyColour(look, 24.0f + (q.y - 24.0f) * 0.3f, v, seed);
    if (q.y < 30.0f && std::abs(q.x - 24.0f) < (30.0f - q.y) * 0.35f && q.y > 14.0f) {
      c = Scale(look.pattern, 1.1f);  // a dark arrow mark on the crown
    }
    return c;
  });
  for (float side : {-1.0f, 1.0f}) {
    const Vec2 eye{24.0f + side * 7.5f, 17.0f};
    FillShape(
        canvas, [&](Vec2 p) { return CircleSdf(local(p), eye, 3.4f); },
        [](Vec2) {
          return Rgba{0.04f, 0.04f, 0.04f, 1};
        });
    FillShape(
        canvas, [&](Vec2 p) { return CircleSdf(local(p), eye, 2.5f); },
        [&](Vec2) { return look.eye; });
    FillShape(
        canvas,
        [&](Vec2 p) {
          const Vec2 q = local(p) - eye;
          return BoxSdf(Vec2{q.x * 2.2f, q.y}, Vec2{0, 0}, Vec2{0.8f, 2.0f}, 0.8f);
        },
        [](Vec2) {
          return Rgba{0.04f, 0.04f, 0.04f, 1};
        });
    FillShape(
        canvas,
        [&](Vec2 p) {
          return CircleSdf(local(p), eye + Vec2{-0.8f, -1.0f}, 0.7f);
        },
        [](Vec2) {
          return Rgba{1, 1, 1, 1};
        });
    FillShape(
        canvas,
        [&](Vec2 p) {
          return CircleSdf(local(p), Vec2{24.0f + side * 2.5f, 8.5f}, 0.8f);
        },
        [](Vec2) {
          return Rgba{0.05f, 0.05f, 0.05f, 1};
        });
  }
}

void PaintEgg(Canvas& canvas, int set) {
  static const uint32_t kShell[kSnakeSetCount] = {0xF4EEDC, 0xCDEBB0, 0xE8D4A8};
  static const uint32_t kSpots[kSnakeSetCount] = {0xB09878, 0x3C7A28, 0x8A5A30};
  const Sdf egg = [](Vec2 p) {
    // Narrower towards the top.
    const float top = std::clamp((31.0f - p.y) / 30.0f, 0.0f, 1.0f);
    const Vec2 q{(p.x - 24.0f) / (14.0f - 3.5f * top), (p.y - 26.0f) / 18.0f};
    return (Length(q) - 1.0f) * 13.0f;
  };
  PaintLitShape(canvas, LitShape{egg, FromHex(kShell[set]), 14.0f, Finish::kGloss, 41}, true,
                false);
  AssetRandom random(300 + static_cast<uint32_t>(set));
  for (int i = 0; i < 9; ++i) {
    const Vec2 c{random.Range(15.0f, 33.0f), random.Range(14.0f, 40.0f)};
    const float r = random.Range(1.0f, 2.4f);
    FillShape(
        canvas, [&](Vec2 p) { return std::max(CircleSdf(p, c, r), egg(p) + 2.5f); },
        [&](Vec2) { return WithAlpha(FromHex(kSpots[set]), 0.85f); });
  }
}

}  // namespace

Canvas PaintSnakePiece(int set, SnakePiece piece) {
  Canvas canvas(48, 48);
  const SnakeLook look = LookOf(set);
  const uint32_t seed = 500 + static_cast<uint32_t>(set);
  switch (piece) {
    case SnakePiece::kBody:
      PaintBodyStrip(canvas, look, StraightMap, FullWidth, seed);
      break;
    case SnakePiece::kBodyRound:
      PaintBodyStrip(canvas, look, BendMap<true>, FullWidth, seed);
      break;
    case SnakePiece::kEnd:
      PaintBodyStrip(canvas, look, StraightMap, TailTaper, seed);
      break;
    case SnakePiece::kEndLeft:
      PaintBodyStrip(canvas, look, BendMap<true>, TailTaper, seed);
      break;
    case SnakePiece::kEndRight:
      PaintBodyStrip(canvas, look, BendMap<false>, TailTaper, seed);
      break;
    case SnakePiece::kHead:
      PaintHead(canvas, look, 0.0f, seed);
      break;
    // The same head turned a quarter to either side; painting it turned
    // rather than letting the game turn it keeps the light on the top left.
    case SnakePiece::kHeadLeft:
      PaintHead(canvas, look, -kPi / 2, seed);
      break;
    case SnakePiece::kHeadRight:
      PaintHead(canvas, look, kPi / 2, seed);
      break;
    case SnakePiece::kEgg:
      PaintEgg(canvas, set);
      break;
  }
  return canvas;
}

}  // namespace kb::assetgen
