#pragma once

#include <cstdint>

#include "canvas.h"
#include "shapes.h"

namespace kb::assetgen {

// Paints source scaled and turned about its centre, which lands on centre;
// bilinear sampling, colours multiplied by brightness.
void DrawTransformed(Canvas& target, const Canvas& source, Vec2 centre, float scale, float angle,
                     float brightness = 1.0f, float opacity = 1.0f);

// Paints source narrowed or widened to the target's width (heights equal),
// with bilinear sampling.
void DrawSqueezed(Canvas& target, const Canvas& source);

// A vertical gradient over the whole canvas, opaque.
void FillVertical(Canvas& canvas, Rgba top, Rgba bottom);

// Multiplies the canvas by a mottled texture (amount 0..1), for painted
// backdrops that are not flat.
void AddMottle(Canvas& canvas, float amount, float featureSize, uint32_t seed);

// Darkens towards the corners.
void AddVignette(Canvas& canvas, float strength);

// Darkens an elliptical area (centre, radii) by up to strength, softly.
void DarkenAround(Canvas& canvas, Vec2 centre, Vec2 radii, float strength);

// A thin double line just inside the picture's edges.
void PaintFrame(Canvas& canvas, Rgba colour);

// A rounded panel (for areas that carry text), with a thin border.
void PaintPanel(Canvas& canvas, Box area, float radius, Rgba fill, Rgba border, float opacity);

}  // namespace kb::assetgen
