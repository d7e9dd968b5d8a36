#pragma once

#include "canvas.h"

namespace kb::assetgen {

// The game's name as a logo: "Klotzbrecher" in gold over a dark extrusion
// and a big red "3", centred on (centreX, baseline) at the given font size.
void PaintLogo(Canvas& canvas, int centreX, int baseline, int pixelSize);

}  // namespace kb::assetgen
