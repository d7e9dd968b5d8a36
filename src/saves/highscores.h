#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "input/text_entry.h"

namespace kb {

constexpr int32_t kHighscoreCount = 20;

struct HighscoreEntry {
  int32_t Score = 0;
  TextBuffer Name{};  // all 32 bytes travel with the entry, also those after the zero
};

// Best first; the file's order is the rank order and is never sorted again.
using HighscoreList = std::array<HighscoreEntry, kHighscoreCount>;

// What the name entry leaves behind for the highscore entry.
struct Highscores {
  TextBuffer Name{};
  bool NewEntry = false;
};

// A score enters only when it beats the last entry; an equal one does not.
bool MakesTheList(const HighscoreList& list, int32_t score);
// The place the name entry announces: equal scores count ahead of the new one.
int32_t PlaceToShow(const HighscoreList& list, int32_t score);
// The place the entry takes: ahead of equal scores. The last entry drops out.
void InsertHighscore(HighscoreList& list, int32_t score, const TextBuffer& name);

}  // namespace kb
