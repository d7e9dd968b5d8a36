#include "small_art.h"

#include <cmath>
#include <vector>

#include "noise.h"
#include "shapes.h"
#include "stone_painter.h"

namespace kb::assetgen {

Canvas PaintPointer() {
  Canvas canvas(12, 24);
  const std::vector<Vec2> outer = {{0.0f, 0.0f},   {0.0f, 19.5f}, {4.4f, 15.4f}, {7.2f, 22.6f},
                                   {10.3f, 21.4f}, {7.4f, 14.4f}, {12.0f, 14.4f}};
  const std::vector<Vec2> inner = {{1.5f, 3.4f},  {1.5f, 16.2f}, {4.9f, 13.0f}, {7.9f, 20.6f},
                                   {8.9f, 20.2f}, {5.9f, 12.9f}, {9.2f, 12.9f}};
  FillShape(
      canvas, [&](Vec2 p) { return std::min(PolygonSdf(p, outer), p.x + p.y - 1.2f); },
      [](Vec2) { return FromHex(0x101010); });
  FillShape(
      canvas, [&](Vec2 p) { return PolygonSdf(p, inner); },
      [](Vec2 p) { return Mix(FromHex(0xFFFFFF), FromHex(0xC8D4E8), p.y / 22.0f); });
  return canvas;
}

Canvas PaintPadArrow() {
  Canvas canvas(48, 48, FromHex(0x14161C));
  const Sdf body = [](Vec2 p) { return BoxSdf(p, Vec2{24, 24}, Vec2{22.5f, 22.5f}, 8.0f); };
  PaintLitShape(canvas, LitShape{body, FromHex(0x5A6478), 6.0f, Finish::kGloss, 61}, true, false);
  const std::vector<Vec2> arrow = {{9.0f, 24.0f},  {25.0f, 10.0f}, {25.0f, 18.0f}, {38.0f, 18.0f},
                                   {38.0f, 30.0f}, {25.0f, 30.0f}, {25.0f, 38.0f}};
  const Sdf shape = [&](Vec2 p) { return PolygonSdf(p, arrow); };
  FillShapeColour(
      canvas,
      [&](Vec2 p) {
        return shape(Vec2{p.x - 1.5f, p.y - 1.5f});
      },
      Rgba{0.04f, 0.04f, 0.05f, 0.7f});
  PaintLitShape(canvas, LitShape{shape, FromHex(0xFFD040), 2.5f, Finish::kGloss, 62}, true, false);
  return canvas;
}

Canvas PaintBar() {
  Canvas canvas(5, 768);
  static const float kProfile[5] = {0.45f, 0.85f, 1.0f, 0.75f, 0.4f};
  for (int y = 0; y < 768; ++y) {
    const float wave = 0.9f + 0.1f * ValueNoise(0.5f, static_cast<float>(y) * 0.05f, 71);
    for (int x = 0; x < 5; ++x) {
      canvas.At(x, y) = Scale(FromHex(0xC8A050), kProfile[x] * wave);
    }
  }
  return canvas;
}

Canvas PaintGridLine() {
  Canvas canvas(768, 1);
  for (int x = 0; x < 768; ++x) canvas.At(x, 0) = FromHex(0x3C4660);
  return canvas;
}

}  // namespace kb::assetgen
