#pragma once

#include "canvas.h"

namespace kb::assetgen {

// The program's icon, size x size pixels: four stones of the classic set,
// one of each colour with its emblem, on a dark rounded tile; transparent
// around the tile. Painted at each size rather than scaled, so the small
// sizes stay sharp.
Canvas PaintIcon(int size);

}  // namespace kb::assetgen
