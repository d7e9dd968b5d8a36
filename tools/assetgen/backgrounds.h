#pragma once

#include "canvas.h"

namespace kb::assetgen {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

// Full-screen pictures, 1024 x 768, opaque. Each keeps the area where its
// screen prints text calm and in the contrast that text needs.
Canvas PaintTitleBackground();
Canvas PaintMenuBackground();
Canvas PaintGameoverBackground();    // light card for black text at x 300-730, y 100-160
Canvas PaintHighscoresBackground();  // dark for white text at x 330-770, y 95-400
Canvas PaintOptionsBackground();     // dark, not blue, for coloured text at x 260-760, y 220-670
Canvas PaintHelpBackground();        // dark and even over x 10-1010, y 30-530 and y 740

}  // namespace kb::assetgen
