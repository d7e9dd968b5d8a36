#include "screens/selection_menu.h"

#include "app/game.h"
#include "core/colours.h"
#include "core/key_codes.h"

namespace kb {

int32_t EntryInBand(std::span<const MenuEntry> entries, int32_t pointerY) {
  for (size_t i = 0; i < entries.size(); ++i) {
    if (pointerY >= entries[i].bandTop && pointerY <= entries[i].bandBottom) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

void RunSelectionMenu(Game& game, const SelectionMenu& menu, int32_t& selection,
                      const std::function<bool()>& leave,
                      const std::function<void(int32_t)>& start) {
  InputDevice& input = game.input;
  const auto last = static_cast<int32_t>(menu.entries.size()) - 1;
  // What the frame presented last showed, and the count of frames after it:
  // while nobody else presents, nothing is pressed and neither the pointer
  // nor the selection moves, the menu would draw that very picture again.
  struct Shown {
    int32_t selection;
    int32_t pointerX;
    int32_t pointerY;
    bool operator==(const Shown&) const = default;
  };
  Shown shown{};
  bool shownWhole = false;
  uint64_t shownFrames = 0;
  while (!leave()) {
    game.music.WaitWithMusic(100);
    input.ReadKeyboard();
    input.ReadMouse();
    const Shown now{selection, input.PointerX, input.PointerY};
    const bool pressed = input.KeyDown(key::kUp) || input.KeyDown(key::kDown) ||
                         input.KeyDown(key::kReturn) || input.KeyDown(key::kF1) ||
                         input.LeftButton != 0;
    if (!pressed && shownWhole && shown == now && game.renderer.PresentedFrames() == shownFrames) {
      game.renderer.PresentAgain();
      shownFrames = game.renderer.PresentedFrames();
      game.music.UpdateMusic();
      continue;
    }
    const uint64_t framesBefore = game.renderer.PresentedFrames();
    game.renderer.BeginFrame();
    if (menu.background != kNoHandle) game.sprites.DrawBackground(menu.background);

    if (input.KeyDown(key::kUp) && selection > 0) --selection;
    if (input.KeyDown(key::kDown) && selection < last) ++selection;

    // KEPT: RETURN counts for as long as it is held, so a held RETURN starts the
    // highlighted entry again in every frame.
    const bool returnDown = input.KeyDown(key::kReturn);
    if (input.LeftButton == 1 || returnDown) {
      const int32_t previous = selection;
      if (!returnDown) {
        // KEPT: only the pointer's y picks, and a click outside every band starts
        // the highlighted entry.
        const int32_t picked = EntryInBand(menu.entries, input.PointerY);
        if (picked >= 0) selection = picked;
      }
      const bool starts = selection == previous || returnDown;
      if (starts && menu.clearing == ButtonClearing::kBeforeAction) input.ClearButtons();
      if (starts) {
        start(selection);
        if (menu.flushAfterAction > 0) input.FlushKeyboard(menu.flushAfterAction);
      }
      if (menu.clearing == ButtonClearing::kAlways ||
          (menu.clearing == ButtonClearing::kUnlessStayingOnLast &&
           !(previous == last && selection == last))) {
        input.ClearButtons();
      }
    }

    for (int32_t i = 0; i <= last; ++i) {
      const MenuImage& image = menu.images[static_cast<size_t>(i)];
      const MenuEntry& entry = menu.entries[static_cast<size_t>(i)];
      game.sprites.Draw(i == selection ? image.highlighted : image.normal,
                        {.x = entry.x, .y = entry.y}, kWhite);
    }
    game.DrawPointer();
    if (input.KeyDown(key::kF1)) game.TakeScreenshot();
    game.renderer.EndFrame();
    // A frame drawn over what an entry's screen or a screenshot left is
    // drawn anew next time, as always.
    shownFrames = game.renderer.PresentedFrames();
    shownWhole = shownFrames == framesBefore + 1;
    shown = Shown{selection, input.PointerX, input.PointerY};
    game.music.UpdateMusic();
  }
}

}  // namespace kb
