#pragma once

#include <cstdint>
#include <vector>

#include "gfx/image.h"

namespace kb::assetgen {

// A colour with straight (not premultiplied) alpha, every channel from 0 to 1.
struct Rgba {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
  float a = 1.0f;
};

// A pixel rectangle: top-left corner and size.
struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

Rgba Mix(Rgba a, Rgba b, float t);
Rgba Scale(Rgba c, float factor);  // colour times factor, alpha kept
Rgba Lighten(Rgba c, float t);     // towards white
Rgba WithAlpha(Rgba c, float a);
Rgba FromHex(uint32_t rgb, float alpha = 1.0f);
Rgba HueColour(float hue, float saturation, float value);  // hue in turns, 0..1

// The drawing surface every picture is painted on before it is encoded.
// Pixels start fully transparent; painting composites with source-over.
class Canvas {
 public:
  Canvas(int width, int height, Rgba fill = Rgba{0, 0, 0, 0});

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Rgba& At(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  const Rgba& At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

  // Source-over of colour c, its alpha weighted by coverage (0..1).
  void Blend(int x, int y, Rgba c, float coverage = 1.0f);
  void Set(int x, int y, Rgba c) {
    if (Inside(x, y)) At(x, y) = c;
  }
  // Paints another canvas onto this one with its top-left corner at (x, y).
  void Draw(const Canvas& source, int x, int y, float opacity = 1.0f);

  // For pictures the game keys out: pixels less than half covered become pure
  // black (the transparent key), every other pixel keeps its colour but is
  // nudged off pure black so it stays visible.
  Image ToKeyedImage() const;
  // For pictures without transparency: everything composited over a backdrop.
  Image ToOpaqueImage(Rgba backdrop = Rgba{0, 0, 0, 1}) const;

 private:
  int width_;
  int height_;
  std::vector<Rgba> pixels_;
};

uint32_t PackArgb(Rgba c);

}  // namespace kb::assetgen
