#pragma once

#include "canvas.h"

namespace kb::assetgen {

// The 12 x 24 mouse pointer; its tip is the top-left pixel.
Canvas PaintPointer();
// One 48 x 48 button of the snake game's control pad, its arrow pointing left.
Canvas PaintPadArrow();
// The 5 x 768 bar between the snake field and its panel.
Canvas PaintBar();
// The 768 x 1 line the board's grid is drawn with.
Canvas PaintGridLine();

}  // namespace kb::assetgen
