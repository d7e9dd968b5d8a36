#include "app/game.h"
#include "core/colours.h"
#include "core/cp1252.h"
#include "core/key_codes.h"
#include "screens/help_text.h"

namespace kb {
namespace {

constexpr int32_t kLowestOffset = -120;  // row 128 then stands at screen row 8
constexpr int32_t kVisibleRows = 25;     // screen rows 0 to 24, y 30 to 510

}  // namespace

void Game::RunHelp() {
  EnterScreen("help");
  int32_t offset = 0;
  // KEPT: runs at the display's pace, one row per presented frame while a key is
  // held.
  while (!(input.KeyDown(key::kEscape) || input.RightButton != 0)) {
    const int32_t shown = offset;
    input.ReadKeyboard();
    input.ReadMouse();
    if (input.KeyDown(key::kUp) && offset < 0) ++offset;
    if (input.KeyDown(key::kDown) && offset > kLowestOffset) --offset;

    renderer.BeginFrame();
    sprites.DrawBackground(resources.helpBackground);
    for (const HelpLine& line : kHelpLines) {
      const int32_t screenRow = line.row + shown;
      if (screenRow >= 0 && screenRow < kVisibleRows) {
        text.DrawText(line.text, 10, 30 + 20 * screenRow, line.argb);
      }
    }
    text.DrawText("Zurück zum Hauptmenü mit ESC"_cp, 362, 740, kWhite);
    if (input.KeyDown(key::kF1)) TakeScreenshot();
    renderer.EndFrame();
    music.UpdateMusic();
  }
}

}  // namespace kb
