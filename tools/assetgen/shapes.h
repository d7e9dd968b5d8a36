#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "canvas.h"

namespace kb::assetgen {

struct Vec2 {
  float x = 0.0f;
  float y = 0.0f;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
  return Vec2{a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
  return Vec2{a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, float s) {
  return Vec2{a.x * s, a.y * s};
}
inline float Dot(Vec2 a, Vec2 b) {
  return a.x * b.x + a.y * b.y;
}
inline float Length(Vec2 a) {
  return std::sqrt(Dot(a, a));
}
Vec2 Rotate(Vec2 v, float radians);

// Signed distances in pixels: negative inside, positive outside.
float CircleSdf(Vec2 p, Vec2 centre, float radius);
float BoxSdf(Vec2 p, Vec2 centre, Vec2 half, float cornerRadius = 0.0f);
float SegmentSdf(Vec2 p, Vec2 a, Vec2 b, float halfWidth);
float PolygonSdf(Vec2 p, const std::vector<Vec2>& points);
float RingSdf(Vec2 p, Vec2 centre, float radius, float halfWidth);

std::vector<Vec2> RegularPolygon(Vec2 centre, float radius, int corners, float rotation);
std::vector<Vec2> StarPolygon(Vec2 centre, float outer, float inner, int points, float rotation);

// Coverage of a pixel whose centre lies at signed distance d from an edge.
inline float Coverage(float d) {
  return std::clamp(0.5f - d, 0.0f, 1.0f);
}

// Paints every pixel of the box [x0, x1) x [y0, y1) that the shape covers with
// the colour paint(x, y) returns, anti-aliased at the shape's edge.
template <typename Sdf, typename Paint>
void FillShape(Canvas& canvas, int x0, int y0, int x1, int y1, Sdf sdf, Paint paint) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, canvas.Width());
  y1 = std::min(y1, canvas.Height());
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const Vec2 p{static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f};
      const float c = Coverage(sdf(p));
      if (c > 0.0f) canvas.Blend(x, y, paint(p), c);
    }
  }
}

template <typename Sdf, typename Paint>
void FillShape(Canvas& canvas, Sdf sdf, Paint paint) {
  FillShape(canvas, 0, 0, canvas.Width(), canvas.Height(), sdf, paint);
}

template <typename Sdf>
void FillShapeColour(Canvas& canvas, Sdf sdf, Rgba colour) {
  FillShape(canvas, sdf, [colour](Vec2) { return colour; });
}

// A straight line with round ends.
void DrawLine(Canvas& canvas, Vec2 a, Vec2 b, float width, Rgba colour);

}  // namespace kb::assetgen
