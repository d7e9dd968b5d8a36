#pragma once

#include <string_view>
#include <vector>

#include "canvas.h"

namespace kb::assetgen {

// One entry of a selection menu: its picture, where the game puts it on the
// 1024 x 768 screen, and its text ('\n' breaks a line).
struct MenuEntry {
  const char* name;  // the picture's name in the menu folder (data_files::MenuPath)
  int x = 0;         // screen position of the picture's top-left corner
  int y = 0;
  int width = 0;
  int height = 0;
  const char32_t* text = U"";
};

// The main menu, the mode selection and the options menu, top to bottom.
const std::vector<std::vector<MenuEntry>>& Menus();

// The largest text size at which every entry of a menu fits its picture, so
// that all entries of one menu read alike.
int MenuTextSize(const std::vector<MenuEntry>& menu);

// An entry as a picture of its text, centred on the screen's middle column,
// transparent around it. The highlighted variant lies on a lit plate, its
// letters gold, with a marker stone at either end.
Canvas PaintMenuEntry(const MenuEntry& entry, int pixelSize, bool highlighted);

}  // namespace kb::assetgen
