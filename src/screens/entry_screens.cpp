#include <cstdio>

#include "app/game.h"
#include "core/colours.h"
#include "core/cp1252.h"
#include "core/key_codes.h"

namespace kb {
namespace {

// Tick counts compared through their difference, so that the comparison
// holds across the wrap of the 32-bit count.
bool Before(uint32_t a, uint32_t b) {
  return static_cast<int32_t>(a - b) < 0;
}

void DrawTyped(TextDrawer& text, const TextBuffer& typed) {
  char line[kMaxTextLength + 2];
  std::snprintf(line, sizeof line, "%s%c", typed.data(), '_');
  text.DrawText(line, 300, 140, kBlue);
}

}  // namespace

void Game::EnterName(const char* place) {
  EnterScreen("name entry");
  platform::Clock& clock = platform.clock;
  uint32_t now = clock.TickCount();
  uint32_t deadline = now + 1000;
  highscores.Name.fill('\0');
  int32_t length = 0;
  music.WaitWithMusic(1000);
  input.FlushKeyboard(64);

  // KEPT: one step at the start of every period of about 100 ms, which is also
  // the repeat rate of a held key; only RETURN or a click ends the entry, not ESC.
  // MENDED: a display that presents at once finishes a step well inside the
  // first 2 ms of the period, so the period remembers its step; a second one
  // would type every key twice.
  bool stepped = false;
  while (!input.KeyDown(key::kReturn) && input.LeftButton == 0) {
    if (Before(deadline, now)) {
      deadline = clock.TickCount() + 100;
      stepped = false;
    }
    if (!stepped && Before(now, deadline - 98)) {
      stepped = true;
      input.ReadKeyboard();
      input.ReadMouse();
      renderer.BeginFrame();
      sprites.DrawBackground(resources.gameOverBackground);
      text.DrawText("Sie sind in den Highscores auf Platz     !", 300, 100, kBlack);
      text.DrawText(place, 670, 100, kBlack);
      text.DrawText("Bitte geben sie ihren Namen ein", 300, 120, kBlack);
      length = AppendTypedKeys(length, highscores.Name, input.Keys());
      DrawTyped(text, highscores.Name);
      renderer.EndFrame();
      if (input.KeyDown(key::kF1)) TakeScreenshot();
      music.UpdateMusic();
    } else {
      clock.SleepMicroseconds(1000);
    }
    now = clock.TickCount();
  }
}

void Game::EnterFileName() {
  EnterScreen("file name entry");
  platform::Clock& clock = platform.clock;
  int32_t length = 0;
  ScreenshotName.fill('\0');
  // KEPT: as in the name entry, a held key types once a step and ESC does not
  // cancel.
  while (!input.KeyDown(key::kReturn) && input.LeftButton == 0) {
    const uint32_t deadline = clock.TickCount() + 100;
    while (Before(clock.TickCount(), deadline)) clock.SleepMicroseconds(1000);
    input.ReadKeyboard();
    input.ReadMouse();
    renderer.BeginFrame();
    text.DrawText("Bitte geben sie den Dateinamen für den Screenshot ein"_cp, 300, 120, kWhite);
    length = AppendTypedKeys(length, ScreenshotName, input.Keys());
    DrawTyped(text, ScreenshotName);
    renderer.EndFrame();
    music.UpdateMusic();
  }
}

}  // namespace kb
