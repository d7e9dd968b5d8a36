#pragma once

#include <functional>
#include <string_view>

#include "canvas.h"
#include "font.h"
#include "shapes.h"

namespace kb::assetgen {

using Sdf = std::function<float(Vec2)>;

// How light falls on a raised shape: the width of the rounded rim (large for
// a dome, small for a crisp bevel) and a surface finish.
enum class Finish { kGloss, kMatte, kFrost, kSteel };

struct LitShape {
  Sdf shape;
  Rgba colour;
  float rim = 5.0f;  // pixels from the edge over which the surface curves down
  Finish finish = Finish::kGloss;
  uint32_t seed = 1;  // texture of the frost and steel finishes
};

// The shape, lit from the top left, with a dark outline; a marked stone gets
// a bright outline and a lighter surface instead.
void PaintLitShape(Canvas& canvas, const LitShape& look, bool outline, bool marked);

// A raised inlay (emblem) on a stone face: lighter colour, thin dark edge and
// a soft drop shadow to the lower right.
void PaintInlay(Canvas& canvas, const Sdf& shape, Rgba colour, bool marked);

// A letter inlay, centred on centre, ink about pixelSize tall.
void PaintLetter(Canvas& canvas, std::u32string_view letter, Vec2 centre, int pixelSize, Rgba fill,
                 Rgba edge, FontStyle font = FontStyle::kSansBold);

// The glow a marked stone keeps around its silhouette: bright pixels in a
// band just outside the shape.
void PaintMarkGlow(Canvas& canvas, const Sdf& shape, Rgba colour, float width);

}  // namespace kb::assetgen
