#pragma once

#include <cstdint>

#include "canvas.h"

namespace kb::assetgen {

constexpr int kSheetColumns = 4;
constexpr int kSheetRows = 5;
constexpr int kAnimationSteps = 16;

// The sheet cell the board shows at animation step 0..15. The board counts
// its frames n = 2..17 and shows column (n - 1) mod 4 of row n div 4, so the
// steps run (1,0) (2,0) (3,1) (0,1) ... (3,4) (0,4); the four cells it never
// reaches stay empty.
void SheetCell(int step, int* column, int* row);

// A stone breaking into shards that fly apart, shrink and fade over the
// sixteen steps; 192 x 240, transparent around the pieces.
Canvas PaintRemovalSheet(const Canvas& stone, uint32_t seed);

// A fireball that flares up, rolls outward and dies away into smoke.
Canvas PaintExplosionSheet();

}  // namespace kb::assetgen
