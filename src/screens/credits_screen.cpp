#include "app/game.h"
#include "core/key_codes.h"
#include "screens/credits_text.h"

namespace kb {
namespace {

// The block enters just below the screen and runs until its last line has
// gone 39 pixels past the top: 1868 frames.
constexpr int32_t kFirstY = 768;
constexpr int32_t kLastY = -1099;

}  // namespace

void Game::RunCredits() {
  EnterScreen("credits");
  renderer.BeginFrame();
  renderer.EndFrame();
  input.FlushKeyboard(1000000);
  for (int32_t y = kFirstY; y >= kLastY; --y) {
    music.WaitWithMusic(20);
    input.ReadKeyboard();
    input.ReadMouse();
    // KEPT: a RETURN still held after the flush ends the credits at their first
    // frame.
    if (input.KeyDown(key::kReturn) || input.KeyDown(key::kEscape) || input.LeftButton != 0 ||
        input.RightButton != 0) {
      return;
    }
    renderer.BeginFrame();
    // Every line every frame: the text drawer clips what lies off the screen.
    for (const CreditLine& line : kCreditLines) {
      text.DrawText(line.text, line.x, y + line.offset, line.argb);
    }
    if (input.KeyDown(key::kF1)) TakeScreenshot();
    renderer.EndFrame();
    music.UpdateMusic();
  }
}

}  // namespace kb
