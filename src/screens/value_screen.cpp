#include "screens/value_screen.h"

#include <cstdio>

#include "app/game.h"
#include "core/colours.h"
#include "core/key_codes.h"

namespace kb {
namespace {

void DrawRows(Game& game, const ValueScreen& screen, int32_t working) {
  for (const ValueHeading& line : screen.heading) {
    game.text.DrawText(line.text, line.x, line.y, line.argb);
  }
  for (int32_t k = 0; k < screen.rows; ++k) {
    char number[12];
    const char* label = number;
    if (!screen.labels.empty()) {
      label = screen.labels[static_cast<size_t>(k)];
    } else {
      std::snprintf(number, sizeof number, "%2d", k * screen.step + screen.shownOffset);
    }
    game.text.DrawText(label, kValueRowX, kValueRowTop + kValueRowPitch * k,
                       k * screen.step == working ? kBlue : kWhite);
  }
}

}  // namespace

int32_t PickedValueRow(int32_t rows, int32_t x, int32_t y) {
  if (x < kValuePickLeft || x > kValuePickRight) return -1;
  // Row k takes y 285 + 20k to 303 + 20k; y 304 + 20k lies between two rows.
  const int32_t fromTop = y - (kValueRowTop + 1);
  if (fromTop < 0 || fromTop % kValueRowPitch == kValueRowPitch - 1) return -1;
  const int32_t row = fromTop / kValueRowPitch;
  return row < rows ? row : -1;
}

bool RunValueScreen(Game& game, const ValueScreen& screen, int32_t& working) {
  game.EnterScreen(screen.name);
  InputDevice& input = game.input;
  const int32_t last = (screen.rows - 1) * screen.step;
  bool stored = false;
  input.FlushKeyboard(1000000);
  while (!(input.KeyDown(key::kEscape) || input.KeyDown(key::kReturn) || input.LeftButton == 1 ||
           input.RightButton == 1)) {
    game.music.WaitWithMusic(100);
    game.renderer.BeginFrame();
    game.sprites.DrawBackground(game.resources.optionsBackground);
    input.ReadKeyboard();
    input.ReadMouse();
    game.sprites.Draw(game.resources.save, {.x = kSaveImageX, .y = kSaveImageY}, kWhite);

    // KEPT: a value from the file is stepped from where it is, between two rows or
    // beyond the ends; the ends only stop it moving further out.
    if (input.KeyDown(key::kUp) && working > 0) working -= screen.step;
    if (input.KeyDown(key::kDown) && working < last) working += screen.step;

    // KEPT: a click in the row column only picks, also on a heading there;
    // clearing the button keeps the screen open.
    if (input.LeftButton == 1 && input.PointerX >= kValuePickLeft &&
        input.PointerX <= kValuePickRight) {
      const int32_t row = PickedValueRow(screen.rows, input.PointerX, input.PointerY);
      if (row >= 0) working = row * screen.step;
      input.ClearButtons();
    }

    DrawRows(game, screen, working);
    game.DrawPointer();
    if (input.KeyDown(key::kF1)) game.TakeScreenshot();
    game.renderer.EndFrame();
    game.music.UpdateMusic();

    if (input.KeyDown(key::kReturn) ||
        (input.LeftButton == 1 && input.PointerX >= kSaveImageX && input.PointerY >= kSaveImageY)) {
      stored = true;
    }
  }
  input.ClearButtons();
  return stored;
}

}  // namespace kb
