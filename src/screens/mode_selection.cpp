#include <array>

#include "app/game.h"
#include "core/key_codes.h"
#include "screens/selection_menu.h"

namespace kb {
namespace {

constexpr std::array<MenuEntry, 3> kModeEntries = {
    {{315, 250, 250, 329}, {15, 330, 330, 416}, {330, 417, 417, 496}}};

struct Mode {
  int32_t humans;
  int32_t computers;
};
// One player; one player against the computer; two players.
constexpr std::array<Mode, 3> kModes = {{{1, 0}, {1, 1}, {2, 0}}};

}  // namespace

void Game::RunModeSelection() {
  EnterScreen("mode selection");
  renderer.BeginFrame();
  renderer.EndFrame();
  input.FlushKeyboard(100000);
  int32_t selection = 0;
  const SelectionMenu menu{kModeEntries, resources.modeMenu, kNoHandle, ButtonClearing::kAlways, 0};
  RunSelectionMenu(
      *this, menu, selection,
      [&] {
        // KEPT: a RETURN still held from the main menu ends the selection at once.
        return input.KeyDown(key::kReturn) || input.KeyDown(key::kEscape) || input.RightButton != 0;
      },
      [&](int32_t entry) {
        rules.match.HumanPlayers = kModes[static_cast<size_t>(entry)].humans;
        rules.match.ComputerPlayers = kModes[static_cast<size_t>(entry)].computers;
        RunMatch();
        rules.match.SwapModeArmed = 0;
      });
}

}  // namespace kb
