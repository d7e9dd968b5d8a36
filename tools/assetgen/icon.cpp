#include "icon.h"

#include <algorithm>
#include <vector>

#include "shapes.h"
#include "stone_painter.h"

namespace kb::assetgen {
namespace {

constexpr float kPi = 3.14159265f;

// The emblem of each colour, as on the stones of the classic set (ring,
// triangle, diamond, star), k times the size it has on a 48-pixel stone.
Sdf IconEmblem(int colour, Vec2 centre, float k) {
  switch (colour) {
    case 0:
      return [=](Vec2 p) { return RingSdf(p, centre, 8.5f * k, 3.2f * k); };
    case 1: {
      const std::vector<Vec2> points =
          RegularPolygon(centre + Vec2{0.0f, 1.5f * k}, 11.5f * k, 3, -kPi / 2);
      return [=](Vec2 p) { return PolygonSdf(p, points); };
    }
    case 2: {
      const std::vector<Vec2> points = RegularPolygon(centre, 11.0f * k, 4, 0.0f);
      return [=](Vec2 p) { return PolygonSdf(p, points); };
    }
    default: {
      const std::vector<Vec2> points = StarPolygon(centre, 12.5f * k, 5.2f * k, 5, -kPi / 2);
      return [=](Vec2 p) { return PolygonSdf(p, points); };
    }
  }
}

}  // namespace

Canvas PaintIcon(int size) {
  Canvas canvas(size, size);
  // Everything is laid out on a 256-unit square and scaled to the size.
  const float u = static_cast<float>(size) / 256.0f;
  const Vec2 middle{128.0f * u, 128.0f * u};

  const Sdf tile = [=](Vec2 p) {
    return BoxSdf(p, middle, Vec2{116.0f * u, 116.0f * u}, 40.0f * u);
  };
  PaintLitShape(canvas, LitShape{tile, FromHex(0x262C42), 12.0f * u, Finish::kMatte, 3}, true,
                false);

  // Red, green / blue, yellow: the four colours side by side, as a board
  // shows them.
  const uint32_t colours[4] = {0xD8281E, 0x2BAA2E, 0x2457E0, 0xF2C81A};
  const float cell = 92.0f * u;
  const float gap = 6.0f * u;
  const float first = (256.0f * u - 2.0f * cell - gap) * 0.5f;
  const float k = cell / 48.0f;
  for (int i = 0; i < 4; ++i) {
    const int column = i % 2;
    const int row = i / 2;
    const float x = first + static_cast<float>(column) * (cell + gap);
    const float y = first + static_cast<float>(row) * (cell + gap);
    const Vec2 centre{x + cell * 0.5f, y + cell * 0.5f};
    const Vec2 half{21.5f * k, 21.5f * k};
    const Sdf body = [=](Vec2 p) { return BoxSdf(p, centre, half, 7.0f * k); };
    const Rgba base = FromHex(colours[i]);
    FillShape(
        canvas,
        [&](Vec2 p) {
          return body(p - Vec2{2.0f * k, 2.0f * k}) + 0.5f * k;
        },
        [](Vec2) {
          return Rgba{0.0f, 0.0f, 0.02f, 0.5f};
        });
    PaintLitShape(canvas, LitShape{body, base, 5.0f * k, Finish::kGloss, 11}, true, false);
    // The inlay's shaded edge and shadow are a pixel or two wide whatever the
    // size; on the small stones they would swallow the emblem, so there it
    // is a plain light shape.
    const Sdf emblem = IconEmblem(i, centre, k);
    if (size >= 128) {
      PaintInlay(canvas, emblem, Lighten(base, 0.42f), false);
    } else {
      FillShapeColour(canvas, emblem, Lighten(base, 0.6f));
    }
  }
  return canvas;
}

}  // namespace kb::assetgen
