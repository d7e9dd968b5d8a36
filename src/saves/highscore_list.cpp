#include "saves/highscores.h"

namespace kb {

bool MakesTheList(const HighscoreList& list, int32_t score) {
  return score > list[kHighscoreCount - 1].Score;
}

// KEPT: the place shown counts equal scores ahead of the new one, while
// InsertHighscore stores the new entry ahead of them.
int32_t PlaceToShow(const HighscoreList& list, int32_t score) {
  for (int32_t i = 0; i < kHighscoreCount; ++i) {
    if (list[static_cast<size_t>(i)].Score < score) return i + 1;
  }
  return kHighscoreCount;
}

void InsertHighscore(HighscoreList& list, int32_t score, const TextBuffer& name) {
  int32_t at = 0;
  while (at < kHighscoreCount && list[static_cast<size_t>(at)].Score > score) ++at;
  if (at == kHighscoreCount) return;
  for (int32_t i = kHighscoreCount - 1; i > at; --i) {
    list[static_cast<size_t>(i)] = list[static_cast<size_t>(i - 1)];
  }
  list[static_cast<size_t>(at)] = HighscoreEntry{score, name};
}

}  // namespace kb
