#include "stones.h"

#include <cmath>
#include <vector>

#include "compose.h"
#include "shapes.h"
#include "stone_painter.h"

namespace kb::assetgen {
namespace {

constexpr float kPi = 3.14159265f;
const Vec2 kCentre{24.0f, 24.0f};

enum class SetStyle { kClassic, kNeoClassic, kGeometric, kBuildings, kTraffic, kWinter };

SetStyle StyleOf(int set) {
  return static_cast<SetStyle>(set);
}

Sdf Polygon(std::vector<Vec2> points) {
  return [points = std::move(points)](Vec2 p) { return PolygonSdf(p, points); };
}

Sdf Union(Sdf a, Sdf b) {
  return [a = std::move(a), b = std::move(b)](Vec2 p) { return std::min(a(p), b(p)); };
}

Sdf Box(float x0, float y0, float x1, float y1, float radius = 0.0f) {
  const Vec2 centre{(x0 + x1) * 0.5f, (y0 + y1) * 0.5f};
  const Vec2 half{(x1 - x0) * 0.5f, (y1 - y0) * 0.5f};
  return [=](Vec2 p) { return BoxSdf(p, centre, half, radius); };
}

Sdf Circle(Vec2 centre, float radius) {
  return [=](Vec2 p) { return CircleSdf(p, centre, radius); };
}

Sdf Inset(Sdf shape, float by) {
  return [shape = std::move(shape), by](Vec2 p) { return shape(p) + by; };
}

Rgba BaseColour(int set, StoneKind kind) {
  static const uint32_t kColours[kStoneSetCount][4] = {
      {0xD8281E, 0x2BAA2E, 0x2457E0, 0xF2C81A},  // Classic
      {0xF0203A, 0x18C85A, 0x1E6BFF, 0xFFD21E},  // Neo Classic: more vivid
      {0xE03A2A, 0x3DB548, 0x3566D6, 0xF0C020},  // Geometric
      {0xB8432E, 0x4E9A3A, 0x3F78C8, 0xE3B33A},  // Buildings: brick, moss, glass, sandstone
      {0xD51F26, 0x1D9A48, 0x1F5FB8, 0xF7CE16},  // Traffic: sign colours
      {0xD9485A, 0x3FA46A, 0x5C86E8, 0xF2D45A},  // Winter: frosted
  };
  return FromHex(kColours[set][static_cast<int>(kind)]);
}

// The silhouette of the special stones in each set.
Sdf SpecialShape(int set) {
  switch (StyleOf(set)) {
    case SetStyle::kClassic:
      return Box(2.5f, 2.5f, 45.5f, 45.5f, 7.0f);
    case SetStyle::kNeoClassic:
      return Circle(kCentre, 22.0f);
    case SetStyle::kGeometric:
      return Polygon(RegularPolygon(kCentre, 23.5f, 6, 0.0f));
    case SetStyle::kBuildings:
      return Box(3.0f, 3.0f, 45.0f, 45.0f, 3.0f);
    case SetStyle::kTraffic:
      return Circle(kCentre, 22.5f);
    case SetStyle::kWinter:
      return Box(2.5f, 2.5f, 45.5f, 45.5f, 9.0f);
  }
  return Box(2.5f, 2.5f, 45.5f, 45.5f, 7.0f);
}

// Colour emblems, one shape per colour so the stones differ beyond colour:
// ring, triangle, diamond, star.
Sdf Emblem(StoneKind kind, float size) {
  switch (kind) {
    case StoneKind::kRed:
      return [size](Vec2 p) { return RingSdf(p, kCentre, 8.5f * size, 3.2f * size); };
    case StoneKind::kGreen:
      return Polygon(RegularPolygon(Vec2{24.0f, 25.5f}, 11.5f * size, 3, -kPi / 2));
    case StoneKind::kBlue:
      return Polygon(RegularPolygon(kCentre, 11.0f * size, 4, 0.0f));
    default:
      return Polygon(StarPolygon(kCentre, 12.5f * size, 5.2f * size, 5, -kPi / 2));
  }
}

void PaintSnowCap(Canvas& canvas, const Sdf& body) {
  const Sdf cap = [](Vec2 p) { return p.y - (11.0f + 2.2f * std::sin(p.x * 0.55f + 1.0f)); };
  const Sdf snow = [&](Vec2 p) { return std::max(body(p) + 1.6f, cap(p)); };
  PaintLitShape(canvas, LitShape{snow, Rgba{0.96f, 0.98f, 1.0f, 1}, 3.0f, Finish::kMatte, 3}, false,
                false);
}

void PaintClassicLike(Canvas& canvas, int set, StoneKind kind, bool marked) {
  const Rgba base = BaseColour(set, kind);
  const bool neo = StyleOf(set) == SetStyle::kNeoClassic;
  const Sdf body = neo ? Circle(kCentre, 22.0f) : Box(2.5f, 2.5f, 45.5f, 45.5f, 7.0f);
  PaintLitShape(canvas, LitShape{body, base, neo ? 20.0f : 5.0f, Finish::kGloss, 11}, true, marked);
  PaintInlay(canvas, Emblem(kind, neo ? 0.8f : 1.0f), Lighten(base, neo ? 0.6f : 0.42f), marked);
}

void PaintGeometric(Canvas& canvas, int set, StoneKind kind, bool marked) {
  Sdf body;
  Sdf inner;
  switch (kind) {
    case StoneKind::kRed:
      body = Circle(kCentre, 22.0f);
      inner = Circle(kCentre, 9.0f);
      break;
    case StoneKind::kGreen:
      body = Inset(Polygon(RegularPolygon(Vec2{24.0f, 29.0f}, 24.0f, 3, -kPi / 2)), -1.5f);
      inner = Polygon(RegularPolygon(Vec2{24.0f, 29.0f}, 9.5f, 3, -kPi / 2));
      break;
    case StoneKind::kBlue:
      body = Box(4.0f, 4.0f, 44.0f, 44.0f, 2.0f);
      inner = Box(16.0f, 16.0f, 32.0f, 32.0f, 1.0f);
      break;
    default:
      body = Inset(Polygon(RegularPolygon(kCentre, 22.5f, 4, 0.0f)), -0.8f);
      inner = Polygon(RegularPolygon(kCentre, 9.5f, 4, 0.0f));
      break;
  }
  const Rgba base = BaseColour(set, kind);
  PaintLitShape(canvas, LitShape{body, base, 3.5f, Finish::kMatte, 5}, true, marked);
  PaintInlay(canvas, inner, Lighten(base, 0.5f), marked);
}

void PaintWindow(Canvas& canvas, float x0, float y0, float x1, float y1, bool marked) {
  const Rgba lit = marked ? Rgba{1.0f, 1.0f, 0.8f, 1} : Rgba{1.0f, 0.9f, 0.45f, 1};
  FillShapeColour(canvas, Box(x0 - 1, y0 - 1, x1 + 1, y1 + 1), Rgba{0.1f, 0.08f, 0.06f, 1});
  FillShapeColour(canvas, Box(x0, y0, x1, y1), lit);
}

void PaintBuilding(Canvas& canvas, int set, StoneKind kind, bool marked) {
  const Rgba base = BaseColour(set, kind);
  const Rgba dark{0.22f, 0.12f, 0.08f, 1};
  switch (kind) {
    case StoneKind::kRed: {  // a house with a pitched roof
      const Sdf walls = Box(7.0f, 20.0f, 41.0f, 45.5f, 1.0f);
      const Sdf roof = Polygon({{2.5f, 23.0f}, {24.0f, 2.5f}, {45.5f, 23.0f}});
      PaintLitShape(canvas, LitShape{Union(walls, roof), base, 2.5f, Finish::kMatte, 5}, true,
                    marked);
      PaintLitShape(canvas,
                    LitShape{Inset(roof, 1.6f), Scale(base, 0.62f), 2.5f, Finish::kMatte, 6}, false,
                    marked);
      PaintWindow(canvas, 11.0f, 27.0f, 18.0f, 33.0f, marked);
      PaintWindow(canvas, 30.0f, 27.0f, 37.0f, 33.0f, marked);
      FillShapeColour(canvas, Box(20.0f, 31.0f, 28.0f, 44.0f, 1.0f), dark);
      break;
    }
    case StoneKind::kGreen: {  // a castle tower with battlements
      Sdf tower = Box(10.0f, 10.0f, 38.0f, 45.5f, 1.0f);
      for (float x : {10.0f, 21.0f, 32.0f})
        tower = Union(tower, Box(x, 2.5f, x + 6.0f, 11.0f, 0.5f));
      PaintLitShape(canvas, LitShape{tower, base, 2.5f, Finish::kMatte, 7}, true, marked);
      FillShapeColour(canvas, Union(Box(20.0f, 19.0f, 28.0f, 29.0f), Circle(Vec2{24, 19}, 4.0f)),
                      marked ? Rgba{1, 1, 0.8f, 1} : Rgba{1.0f, 0.85f, 0.4f, 1});
      FillShapeColour(canvas, Union(Box(19.0f, 37.0f, 29.0f, 45.0f), Circle(Vec2{24, 37}, 5.0f)),
                      dark);
      break;
    }
    case StoneKind::kBlue: {  // a tower block of glass
      const Sdf block = Union(Box(11.0f, 5.0f, 37.0f, 45.5f, 1.0f), Box(22.5f, 1.0f, 25.5f, 6.0f));
      PaintLitShape(canvas, LitShape{block, base, 2.5f, Finish::kGloss, 9}, true, marked);
      for (int row = 0; row < 6; ++row) {
        for (int col = 0; col < 3; ++col) {
          const float x = 14.5f + static_cast<float>(col) * 7.0f;
          const float y = 9.0f + static_cast<float>(row) * 6.0f;
          const Rgba pane = ((row + col) % 3 == 0) ? Rgba{1.0f, 0.95f, 0.6f, 1}
                                                   : Lighten(base, marked ? 0.8f : 0.55f);
          FillShapeColour(canvas, Box(x, y, x + 4.0f, y + 3.5f), pane);
        }
      }
      break;
    }
    default: {  // a domed hall
      const Sdf hall =
          Union(Box(5.0f, 25.0f, 43.0f, 45.5f, 1.0f), Circle(Vec2{24.0f, 25.0f}, 15.5f));
      PaintLitShape(canvas, LitShape{hall, base, 4.0f, Finish::kMatte, 13}, true, marked);
      for (float x : {10.0f, 16.0f, 30.0f, 36.0f}) {
        FillShapeColour(canvas, Box(x, 28.0f, x + 2.5f, 43.0f), Scale(base, 0.7f));
      }
      FillShapeColour(canvas, Circle(Vec2{24.0f, 18.0f}, 4.0f), Rgba{0.1f, 0.08f, 0.06f, 1});
      FillShapeColour(canvas, Circle(Vec2{24.0f, 18.0f}, 3.0f), Rgba{1.0f, 0.9f, 0.5f, 1});
      FillShapeColour(canvas, Union(Box(20.0f, 34.0f, 28.0f, 45.0f), Circle(Vec2{24, 34}, 4.0f)),
                      dark);
      break;
    }
  }
}

// Each building stands on a tile of its own colour, darker, so a group of
// one colour reads as one area on the board while the shapes tell the
// colours apart.
void PaintBuildingTile(Canvas& canvas, int set, StoneKind kind, bool marked) {
  const Rgba base = BaseColour(set, kind);
  const Sdf tile = Box(2.5f, 2.5f, 45.5f, 45.5f, 5.0f);
  PaintLitShape(canvas,
                LitShape{tile, Mix(Scale(base, 0.58f), FromHex(0x20283A), 0.2f), 3.0f,
                         Finish::kMatte, 19 + static_cast<uint32_t>(kind)},
                true, marked);
  // A strip of ground along the bottom.
  FillShapeColour(canvas, Box(5.0f, 39.0f, 43.0f, 42.5f, 1.0f), Scale(base, 0.32f));
  Canvas building(kStoneSize, kStoneSize);
  PaintBuilding(building, set, kind, marked);
  DrawTransformed(canvas, building, Vec2{24.0f, 23.5f}, 0.8f, 0.0f);
}

void PaintTraffic(Canvas& canvas, int set, StoneKind kind, bool marked) {
  const Rgba base = BaseColour(set, kind);
  const Rgba white{0.97f, 0.97f, 0.97f, 1};
  Sdf sign;
  switch (kind) {
    case StoneKind::kRed:
      sign = Polygon(RegularPolygon(kCentre, 23.5f, 8, kPi / 8));
      break;
    case StoneKind::kGreen:
      sign = Circle(kCentre, 22.5f);
      break;
    case StoneKind::kBlue:
      sign = Box(2.5f, 2.5f, 45.5f, 45.5f, 5.0f);
      break;
    default:
      sign = Inset(Polygon(RegularPolygon(kCentre, 23.5f, 4, 0.0f)), -0.5f);
      break;
  }
  PaintLitShape(canvas, LitShape{sign, white, 2.0f, Finish::kGloss, 3}, true, marked);
  const float border = kind == StoneKind::kYellow ? 5.0f : 3.5f;
  PaintLitShape(canvas, LitShape{Inset(sign, border), base, 1.5f, Finish::kGloss, 4}, false,
                marked);
  switch (kind) {
    case StoneKind::kRed:  // no entry
      FillShapeColour(canvas, Box(11.0f, 20.5f, 37.0f, 27.5f, 1.0f), white);
      break;
    case StoneKind::kGreen:  // straight on
      FillShapeColour(canvas,
                      Polygon({{24.0f, 9.0f},
                               {35.0f, 21.0f},
                               {28.0f, 21.0f},
                               {28.0f, 38.0f},
                               {20.0f, 38.0f},
                               {20.0f, 21.0f},
                               {13.0f, 21.0f}}),
                      white);
      break;
    case StoneKind::kBlue:  // parking
      PaintLetter(canvas, U"P", Vec2{24.0f, 24.0f}, 30, white, Scale(base, 0.6f));
      break;
    default:  // priority road: a dark line inside the yellow field
      FillShapeColour(
          canvas,
          [](Vec2 p) {
            return std::abs(PolygonSdf(p, RegularPolygon(kCentre, 11.5f, 4, 0.0f))) - 0.9f;
          },
          Rgba{0.15f, 0.12f, 0.05f, 1});
      break;
  }
}

Sdf WinterEmblem(StoneKind kind) {
  switch (kind) {
    case StoneKind::kRed:
      return Circle(Vec2{24.0f, 27.0f}, 8.0f);  // a snowball
    case StoneKind::kGreen: {                   // a fir tree
      Sdf tree = Polygon({{24.0f, 13.0f}, {31.0f, 24.0f}, {17.0f, 24.0f}});
      tree = Union(tree, Polygon({{24.0f, 18.0f}, {34.0f, 33.0f}, {14.0f, 33.0f}}));
      return Union(tree, Box(22.0f, 33.0f, 26.0f, 38.0f));
    }
    case StoneKind::kBlue:  // an ice crystal
      return [](Vec2 p) {
        float d = 1e9f;
        const Vec2 c{24.0f, 27.0f};
        for (int i = 0; i < 3; ++i) {
          const Vec2 dir = Rotate(Vec2{0.0f, 11.0f}, static_cast<float>(i) * kPi / 3.0f);
          d = std::min(d, SegmentSdf(p, c - dir, c + dir, 1.6f));
          for (float s : {-1.0f, 1.0f}) {
            const Vec2 tip = c + dir * (0.62f * s);
            const Vec2 branch = Rotate(dir * (0.3f * s), 0.7f);
            const Vec2 branch2 = Rotate(dir * (0.3f * s), -0.7f);
            d = std::min(d, SegmentSdf(p, tip, tip + branch, 1.2f));
            d = std::min(d, SegmentSdf(p, tip, tip + branch2, 1.2f));
          }
        }
        return d;
      };
    default:
      return Polygon(StarPolygon(Vec2{24.0f, 27.0f}, 11.5f, 4.8f, 5, -kPi / 2));
  }
}

void PaintWinter(Canvas& canvas, int set, StoneKind kind, bool marked) {
  const Rgba base = BaseColour(set, kind);
  const Sdf body = Box(2.5f, 2.5f, 45.5f, 45.5f, 9.0f);
  PaintLitShape(canvas,
                LitShape{body, base, 6.0f, Finish::kFrost, 17 + static_cast<uint32_t>(kind)}, true,
                marked);
  PaintSnowCap(canvas, body);
  PaintInlay(canvas, WinterEmblem(kind), Rgba{0.95f, 0.97f, 1.0f, 1}, marked);
}

void PaintConnector(Canvas& canvas, int set, bool marked) {
  const Sdf body = SpecialShape(set);
  PaintLitShape(canvas,
                LitShape{body, Rgba{0.9f, 0.9f, 0.92f, 1},
                         StyleOf(set) == SetStyle::kNeoClassic ? 20.0f : 5.0f,
                         StyleOf(set) == SetStyle::kWinter ? Finish::kFrost : Finish::kGloss, 21},
                true, marked);
  // A rainbow ring: the connector joins every colour.
  FillShapeColour(
      canvas, [](Vec2 p) { return RingSdf(p, kCentre, 15.0f, 4.3f); }, Rgba{0.1f, 0.1f, 0.12f, 1});
  FillShape(
      canvas, [](Vec2 p) { return RingSdf(p, kCentre, 15.0f, 3.2f); },
      [&](Vec2 p) {
        const float hue = std::atan2(p.y - 24.0f, p.x - 24.0f) / (2.0f * kPi) + 0.5f;
        return HueColour(hue, marked ? 0.6f : 0.85f, 1.0f);
      });
  PaintLetter(canvas, U"C", Vec2{24.0f, 24.5f}, 22, Rgba{0.1f, 0.1f, 0.14f, 1},
              Rgba{0.05f, 0.05f, 0.07f, 1});
  if (StyleOf(set) == SetStyle::kWinter) PaintSnowCap(canvas, body);
}

void PaintMultiplier(Canvas& canvas, int set, bool marked) {
  const Sdf body = SpecialShape(set);
  PaintLitShape(
      canvas,
      LitShape{body, FromHex(0x6A2AA0), StyleOf(set) == SetStyle::kNeoClassic ? 20.0f : 5.0f,
               StyleOf(set) == SetStyle::kWinter ? Finish::kFrost : Finish::kGloss, 23},
      true, marked);
  if (StyleOf(set) == SetStyle::kWinter) PaintSnowCap(canvas, body);
  // A golden "times" sign: the multiplier raises every later score.
  PaintLetter(canvas, U"x", Vec2{24.0f, 25.0f}, 38, FromHex(marked ? 0xFFF2A0 : 0xFFC830),
              Rgba{0.2f, 0.08f, 0.02f, 1});
}

void PaintIndestructible(Canvas& canvas, int set) {
  const Sdf plate = Box(2.5f, 2.5f, 45.5f, 45.5f, StyleOf(set) == SetStyle::kWinter ? 6.0f : 3.0f);
  PaintLitShape(canvas, LitShape{plate, FromHex(0x8C9099), 3.5f, Finish::kSteel, 29}, true, false);
  // A recessed panel and four rivets.
  FillShape(
      canvas,
      [](Vec2 p) {
        return std::abs(BoxSdf(p, kCentre, Vec2{14.0f, 14.0f}, 2.0f)) - 0.8f;
      },
      [](Vec2 p) { return p.x + p.y < 48.0f ? FromHex(0x3C3F45) : FromHex(0xC8CCD4); });
  for (Vec2 c : {Vec2{8.5f, 8.5f}, Vec2{39.5f, 8.5f}, Vec2{8.5f, 39.5f}, Vec2{39.5f, 39.5f}}) {
    PaintLitShape(canvas, LitShape{Circle(c, 3.2f), FromHex(0xB4B8C0), 3.0f, Finish::kGloss, 31},
                  true, false);
  }
  const Sdf cross = [](Vec2 p) {
    return std::min(SegmentSdf(p, Vec2{17.0f, 17.0f}, Vec2{31.0f, 31.0f}, 1.6f),
                    SegmentSdf(p, Vec2{31.0f, 17.0f}, Vec2{17.0f, 31.0f}, 1.6f));
  };
  PaintInlay(canvas, cross, FromHex(0x9EA3AD), false);
  if (StyleOf(set) == SetStyle::kWinter) PaintSnowCap(canvas, plate);
}

}  // namespace

Canvas PaintStone(int set, StoneKind kind, bool marked) {
  Canvas canvas(kStoneSize, kStoneSize);
  switch (kind) {
    case StoneKind::kConnector:
      PaintConnector(canvas, set, marked);
      return canvas;
    case StoneKind::kMultiplier:
      PaintMultiplier(canvas, set, marked);
      return canvas;
    case StoneKind::kIndestructible:
      PaintIndestructible(canvas, set);
      return canvas;
    default:
      break;
  }
  switch (StyleOf(set)) {
    case SetStyle::kClassic:
    case SetStyle::kNeoClassic:
      PaintClassicLike(canvas, set, kind, marked);
      break;
    case SetStyle::kGeometric:
      PaintGeometric(canvas, set, kind, marked);
      break;
    case SetStyle::kBuildings:
      PaintBuildingTile(canvas, set, kind, marked);
      break;
    case SetStyle::kTraffic:
      PaintTraffic(canvas, set, kind, marked);
      break;
    case SetStyle::kWinter:
      PaintWinter(canvas, set, kind, marked);
      break;
  }
  return canvas;
}

Canvas PaintCursor(int set) {
  static const uint32_t kTints[kStoneSetCount] = {0xFFFFFF, 0xC8F4FF, 0xFFE8FF,
                                                  0xFFEAC0, 0xFFFF90, 0xD8ECFF};
  Canvas canvas(kStoneSize, kStoneSize);
  const Rgba tint = FromHex(kTints[set]);
  const Sdf frame = [](Vec2 p) {
    const float outer = BoxSdf(p, kCentre, Vec2{23.5f, 23.5f}, 3.0f);
    const float inner = BoxSdf(p, kCentre, Vec2{20.0f, 20.0f}, 1.0f);
    return std::max(outer, -inner);
  };
  // Thicker corners make the frame readable over any stone.
  const Sdf corners = [](Vec2 p) {
    const float qx = std::abs(p.x - 24.0f);
    const float qy = std::abs(p.y - 24.0f);
    const float outer = BoxSdf(p, kCentre, Vec2{23.5f, 23.5f}, 3.0f);
    const float armX = std::max(outer, std::max(17.5f - qy, 12.0f - qx));
    const float armY = std::max(outer, std::max(17.5f - qx, 12.0f - qy));
    return std::min(armX, armY);
  };
  const Sdf shape = Union(frame, corners);
  FillShape(canvas, shape, [&](Vec2 p) {
    const float d = shape(p);
    return d > -1.2f ? Rgba{0.03f, 0.03f, 0.03f, 1} : tint;
  });
  return canvas;
}

Canvas PaintSwapMarker(int set) {
  static const uint32_t kColours[kStoneSetCount] = {0x40F0FF, 0xFF60F0, 0x40F0FF,
                                                    0x60FF80, 0xFF8020, 0x40F0FF};
  Canvas canvas(kStoneSize, kStoneSize);
  const Rgba colour = FromHex(kColours[set]);
  // Two arrows chasing each other round the stone: the swap.
  const Sdf arcs = [](Vec2 p) {
    const float a = std::atan2(p.y - 24.0f, p.x - 24.0f);
    const float ring = RingSdf(p, kCentre, 19.0f, 2.6f);
    const bool gap = std::abs(std::sin(a)) < 0.22f;
    return gap ? 1e3f : ring;
  };
  const float r = 19.0f;
  const float s = 0.25f;
  auto head = [&](float angle, float dir) {
    const Vec2 tip{24.0f + r * std::cos(angle + dir * s), 24.0f + r * std::sin(angle + dir * s)};
    const Vec2 out{std::cos(angle), std::sin(angle)};
    const Vec2 base{24.0f + r * std::cos(angle - dir * 0.12f),
                    24.0f + r * std::sin(angle - dir * 0.12f)};
    return Polygon({tip, base + out * 6.5f, base - out * 6.5f});
  };
  const Sdf heads = Union(head(-0.22f, 1.0f), head(kPi - 0.22f, 1.0f));
  const Sdf shape = Union(arcs, heads);
  FillShape(
      canvas, [&](Vec2 p) { return shape(p) - 1.2f; },
      [](Vec2) {
        return Rgba{0.03f, 0.03f, 0.03f, 1};
      });
  FillShapeColour(canvas, shape, colour);
  return canvas;
}

}  // namespace kb::assetgen
