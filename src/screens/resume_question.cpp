#include <cstring>

#include "app/game.h"
#include "core/colours.h"
#include "core/key_codes.h"

namespace kb {
namespace {

constexpr int32_t kQuestionY = 340;
constexpr int32_t kAnswersY = 400;

// Where a line starts that stands centred on x `centre`.
int32_t CentredX(const char* text, int32_t centre) {
  return centre - static_cast<int32_t>(std::strlen(text)) * TextDrawer::kAdvance / 2;
}

}  // namespace

void Game::OfferSavedMatch() {
  const std::optional<SavedMatch> saved = ReadSavedMatch(platform.files);
  if (!saved) return;
  EnterScreen("resume question");
  const char* question = "Das unterbrochene Spiel fortsetzen?";
  const char* yes = "RETURN: ja";
  const char* no = "ESC: nein";
  renderer.BeginFrame();
  sprites.DrawBackground(resources.menuBackground);
  text.DrawText(question, CentredX(question, 512), kQuestionY, kWhite);
  text.DrawText(yes, CentredX(yes, 412), kAnswersY, kGreen);
  text.DrawText(no, CentredX(no, 612), kAnswersY, kRed);
  renderer.EndFrame();
  // The picture rests, the music plays on, until one of the two keys.
  while (!input.KeyDown(key::kReturn) && !input.KeyDown(key::kEscape)) {
    input.ReadKeyboard();
    input.ReadMouse();
    music.UpdateMusic();
    platform.clock.SleepMicroseconds(1000);
  }
  const bool resume = input.KeyDown(key::kReturn);
  input.FlushKeyboard(100000);
  if (!resume) {
    DropSavedMatch(platform.files);
    return;
  }
  ContinueMatch(*saved);
}

}  // namespace kb
