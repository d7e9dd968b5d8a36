#include <array>

#include "app/game.h"
#include "core/key_codes.h"
#include "screens/selection_menu.h"

namespace kb {
namespace {

constexpr int32_t kExitEntry = 6;

// KEPT: bands and images do not coincide, as they never did; the bands alone pick
// an entry.
constexpr std::array<MenuEntry, 7> kMainMenuEntries = {{{381, 60, 60, 149},
                                                        {266, 130, 150, 234},
                                                        {388, 225, 235, 304},
                                                        {175, 295, 305, 394},
                                                        {311, 385, 395, 469},
                                                        {336, 460, 470, 539},
                                                        {323, 530, 540, 637}}};

}  // namespace

void Game::RunMainMenu() {
  EnterScreen("main menu");
  int32_t selection = 0;
  const SelectionMenu menu{kMainMenuEntries, resources.mainMenu, resources.menuBackground,
                           ButtonClearing::kUnlessStayingOnLast, 0};
  RunSelectionMenu(
      *this, menu, selection,
      [&] {
        return selection == kExitEntry && (input.KeyDown(key::kReturn) || input.LeftButton == 1);
      },
      [&](int32_t entry) {
        switch (entry) {
          case 0:
            RunModeSelection();
            break;
          case 1:
            ShowHighscores();
            break;
          case 2:
            RunHelp();
            break;
          case 3:
            // The stand-alone snake game always counts with both factors at 1.
            rules.match.Multiplier = 1;
            rules.match.UltraMultiplier = 1;
            RunSnakeGame(true);
            break;
          case 4:
            RunOptionsMenu();
            break;
          case 5:
            RunCredits();
            break;
          default:
            break;  // the exit entry: the leave test ends the menu
        }
      });
  input.ClearButtons();
}

}  // namespace kb
