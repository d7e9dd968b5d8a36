#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "fake_game.h"
#include "frame_text.h"
#include "saves/highscore_file.h"

namespace kb::test {

// A list with these scores from the top and "Spieler N" as names; the rest 0.
inline HighscoreList ListOf(std::initializer_list<int32_t> scores) {
  HighscoreList list{};
  size_t i = 0;
  for (int32_t s : scores) {
    list[i].Score = s;
    std::snprintf(list[i].Name.data(), list[i].Name.size(), "Spieler %zu", i + 1);
    ++i;
  }
  return list;
}

inline HighscoreList StoredHighscores(FakeGame& g) {
  const std::vector<uint8_t>* bytes = g.files.memory().Find(kHighscoreFile);
  return bytes == nullptr ? HighscoreList{} : DecodeHighscores(*bytes);
}

// Keys down for exactly the next read of a screen that reads once per
// presented frame, about 100 ms apart (the entry screens, the snake game).
inline void PressForNextStep(FakeGame& g, const std::vector<uint8_t>& keys) {
  for (uint8_t code : keys) g.fake.KeyPressAt(g.Now() + 20, code, 100);
}

}  // namespace kb::test
