#include "shapes.h"

namespace kb::assetgen {

Vec2 Rotate(Vec2 v, float radians) {
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  return Vec2{v.x * c - v.y * s, v.x * s + v.y * c};
}

float CircleSdf(Vec2 p, Vec2 centre, float radius) {
  return Length(p - centre) - radius;
}

float BoxSdf(Vec2 p, Vec2 centre, Vec2 half, float cornerRadius) {
  const float qx = std::abs(p.x - centre.x) - half.x + cornerRadius;
  const float qy = std::abs(p.y - centre.y) - half.y + cornerRadius;
  const float outside = Length(Vec2{std::max(qx, 0.0f), std::max(qy, 0.0f)});
  return outside + std::min(std::max(qx, qy), 0.0f) - cornerRadius;
}

float SegmentSdf(Vec2 p, Vec2 a, Vec2 b, float halfWidth) {
  const Vec2 pa = p - a;
  const Vec2 ba = b - a;
  const float len2 = Dot(ba, ba);
  const float h = len2 > 0.0f ? std::clamp(Dot(pa, ba) / len2, 0.0f, 1.0f) : 0.0f;
  return Length(pa - ba * h) - halfWidth;
}

float RingSdf(Vec2 p, Vec2 centre, float radius, float halfWidth) {
  return std::abs(Length(p - centre) - radius) - halfWidth;
}

// Exact distance to a closed polygon, with the even-odd rule for the sign.
float PolygonSdf(Vec2 p, const std::vector<Vec2>& v) {
  const std::size_t n = v.size();
  float d = Dot(p - v[0], p - v[0]);
  float sign = 1.0f;
  for (std::size_t i = 0, j = n - 1; i < n; j = i, ++i) {
    const Vec2 e = v[j] - v[i];
    const Vec2 w = p - v[i];
    const float h = std::clamp(Dot(w, e) / Dot(e, e), 0.0f, 1.0f);
    const Vec2 b = w - e * h;
    d = std::min(d, Dot(b, b));
    const bool c1 = p.y >= v[i].y;
    const bool c2 = p.y < v[j].y;
    const bool c3 = e.x * w.y > e.y * w.x;
    if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) sign = -sign;
  }
  return sign * std::sqrt(d);
}

std::vector<Vec2> RegularPolygon(Vec2 centre, float radius, int corners, float rotation) {
  std::vector<Vec2> points;
  for (int i = 0; i < corners; ++i) {
    const float a = rotation + 6.2831853f * static_cast<float>(i) / static_cast<float>(corners);
    points.push_back(Vec2{centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
  }
  return points;
}

std::vector<Vec2> StarPolygon(Vec2 centre, float outer, float inner, int points, float rotation) {
  std::vector<Vec2> out;
  for (int i = 0; i < points * 2; ++i) {
    const float r = (i % 2 == 0) ? outer : inner;
    const float a = rotation + 3.14159265f * static_cast<float>(i) / static_cast<float>(points);
    out.push_back(Vec2{centre.x + r * std::cos(a), centre.y + r * std::sin(a)});
  }
  return out;
}

void DrawLine(Canvas& canvas, Vec2 a, Vec2 b, float width, Rgba colour) {
  const float pad = width + 2.0f;
  const int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) - pad));
  const int y0 = static_cast<int>(std::floor(std::min(a.y, b.y) - pad));
  const int x1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + pad));
  const int y1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + pad));
  FillShape(
      canvas, x0, y0, x1, y1, [&](Vec2 p) { return SegmentSdf(p, a, b, width * 0.5f); },
      [colour](Vec2) { return colour; });
}

}  // namespace kb::assetgen
