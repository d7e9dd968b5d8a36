#include <array>

#include "app/game.h"
#include "core/key_codes.h"
#include "saves/options_file.h"
#include "screens/selection_menu.h"

namespace kb {
namespace {

constexpr std::array<MenuEntry, 5> kOptionsEntries = {{{141, 130, 130, 229},
                                                       {112, 210, 230, 329},
                                                       {116, 310, 330, 489},
                                                       {194, 470, 490, 589},
                                                       {142, 570, 590, 667}}};

}  // namespace

void Game::RunOptionsMenu() {
  EnterScreen("options");
  // KEPT: only these two start from 0, so a file too short to reach them leaves
  // them at 0.
  options.ParticlesPerStone = 0;
  options.AiStrength = 0;
  ReadOptionsFile(platform.files, options);
  input.FlushKeyboard(1000000);

  int32_t selection = 0;
  const SelectionMenu menu{kOptionsEntries, resources.optionsMenu, resources.optionsBackground,
                           ButtonClearing::kBeforeAction, 100000};
  RunSelectionMenu(
      *this, menu, selection, [&] { return input.KeyDown(key::kEscape) || input.RightButton == 1; },
      [&](int32_t entry) {
        switch (entry) {
          case 0:
            EditParticles();
            break;
          case 1:
            EditRingWidth();
            break;
          case 2:
            EditAiStrength();
            break;
          case 3:
            EditGraphicSet();
            break;
          default:
            EditSnakeGraphicSet();
            break;
        }
      });

  // Matches and snake games read the file, so this write is what carries the
  // choices into play.
  if (WriteOptionsFile(platform.files, options)) {
    OptionsWriteReported = false;
  } else {
    TellSaveFailure("Die Optionen konnten nicht in \"Optionen.bin\" gespeichert werden.",
                    OptionsWriteReported);
  }
  input.ClearButtons();
}

}  // namespace kb
