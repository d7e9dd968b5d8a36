#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "render/resources.h"

namespace kb {

class Game;

// One entry of a selection menu: where its image stands and the band of
// pointer y values (both inclusive) that picks it.
struct MenuEntry {
  int32_t x;
  int32_t y;
  int32_t bandTop;
  int32_t bandBottom;
};

// When a menu clears the mouse buttons after a click or RETURN.
enum class ButtonClearing {
  kAlways,
  // Not when the last entry was highlighted and stays so: holding the button
  // on the highlighted exit entry then leaves the menu.
  kUnlessStayingOnLast,
  // Only just before an entry's action starts.
  kBeforeAction,
};

struct SelectionMenu {
  std::span<const MenuEntry> entries;
  std::span<const MenuImage> images;
  SurfaceHandle background = kNoHandle;  // kNoHandle: the cleared black frame
  ButtonClearing clearing = ButtonClearing::kAlways;
  int32_t flushAfterAction = 0;  // keyboard reads after an action returns
};

// The index of the entry whose band holds the pointer y, or -1.
int32_t EntryInBand(std::span<const MenuEntry> entries, int32_t pointerY);

// The selection rule shared by the main menu, the mode selection and the
// options menu: 100 ms frames with music, UP and DOWN move the highlight, a
// click highlights the entry under the pointer and a click on the highlighted
// one (or RETURN) starts it. `leave` is tested before every frame on the input
// as last read; `start` runs an entry's action to its end inside the frame.
void RunSelectionMenu(Game& game, const SelectionMenu& menu, int32_t& selection,
                      const std::function<bool()>& leave,
                      const std::function<void(int32_t)>& start);

}  // namespace kb
