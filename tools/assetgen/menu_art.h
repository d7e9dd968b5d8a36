#pragma once

#include <string_view>

#include "canvas.h"

namespace kb::assetgen {

enum class ButtonColour { kBlue, kAmber, kGreen, kGrey, kRed };

// A 96 x 48 game-screen button with one or two lines of text.
Canvas PaintButton(std::u32string_view line1, std::u32string_view line2, ButtonColour colour);

// The 256 x 64 save button of the option value screens.
Canvas PaintSaveButton();

// One 64 x 96 letter of the bout result; LOSE burns red, WIN shines green.
Canvas PaintResultLetter(char32_t letter, bool win);

}  // namespace kb::assetgen
