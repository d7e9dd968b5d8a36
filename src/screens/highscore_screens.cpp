#include <cstdio>

#include "app/game.h"
#include "core/colours.h"
#include "core/key_codes.h"
#include "saves/highscore_file.h"
#include "saves/highscore_save.h"

namespace kb {
namespace {

// Right-aligned in ten characters of the fixed-pitch font; a negative score
// is padded like one below 10.
void FormatScore(char (&out)[24], int32_t score) {
  int32_t spaces = 9;
  for (int64_t limit = 10; limit <= 1000000000 && score >= limit; limit *= 10) --spaces;
  std::snprintf(out, sizeof out, "%*s%d", spaces, "", score);
}

}  // namespace

void Game::ShowHighscores() {
  EnterScreen("highscores");
  renderer.BeginFrame();
  sprites.DrawBackground(resources.highscoresBackground);
  HighscoreList list;
  ReadHighscores(platform.files, list);
  for (int32_t rank = 1; rank <= kHighscoreCount; ++rank) {
    const HighscoreEntry& entry = list[static_cast<size_t>(rank - 1)];
    const int32_t y = 84 + 15 * rank;
    char line[24];
    std::snprintf(line, sizeof line, rank < 10 ? " %d" : "%d", rank);
    text.DrawText(line, 337, y, kWhite);
    text.DrawText(entry.Name.data(), 362, y, kWhite);
    FormatScore(line, entry.Score);
    text.DrawText(line, 662, y, kWhite);
  }
  renderer.EndFrame();

  // The table stands until ESC or the right button; it is not redrawn.
  WaitForKeyOrButton(key::kEscape, true);
}

void Game::OfferHighscore(int32_t score) {
  EnterScreen("highscore entry");
  // A button still held from the game that just ended is not an answer here.
  input.ClearButtons();
  highscores.NewEntry = false;
  HighscoreList list;
  const bool readBefore = ReadHighscores(platform.files, list);

  if (MakesTheList(list, score)) {
    highscores.NewEntry = true;
    char place[12];
    std::snprintf(place, sizeof place, "%d", PlaceToShow(list, score));
    EnterName(place);
    switch (AddHighscore(platform.files, readBefore ? &list : nullptr, score, highscores.Name)) {
      case HighscoreSave::kSaved:
        HighscoresWriteReported = false;
        break;
      case HighscoreSave::kNotWritten:
        TellSaveFailure("Die Highscores konnten nicht in \"Highscores.bin\" gespeichert werden.",
                        HighscoresWriteReported);
        break;
      case HighscoreSave::kTableUnknown: {
        bool told = false;
        TellSaveFailure(
            "Die Highscores konnten nicht aus \"Highscores.bin\" gelesen werden. Damit die "
            "Tabelle nicht verloren geht, wird der neue Eintrag nicht gespeichert.",
            told);
        break;
      }
    }
    ShowHighscores();
  } else {
    input.FlushKeyboard(1000);
    music.WaitWithMusic(1000);
    input.DropTaps();
    renderer.BeginFrame();
    sprites.DrawBackground(resources.gameOverBackground);
    renderer.EndFrame();
    WaitForKeyOrButton(key::kReturn, false);
  }
  input.FlushKeyboard(10000);
}

}  // namespace kb
