#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "extras/highscore_file.h"
#include "fake_game.h"

namespace kb::test {

// Whether the last frame shows `text` at (x, y) in `colour`: drawing the text
// over the frame changes none of the pixels the text paints (so black text
// shows too, over a picture).
inline bool ShowsText(FakeGame& g, const char* text, int x, int y, uint32_t colour) {
  const std::vector<uint32_t>& frame = g.fake.LastFrame();
  Renderer& renderer = g.game.renderer;
  const Image saved = renderer.BackImage();
  uint32_t* back = renderer.BackBuffer().pixels;
  const uint32_t fill = colour == 0xFF808080u ? 0xFF123456u : 0xFF808080u;
  std::fill(back, back + frame.size(), fill);
  g.game.text.DrawText(text, x, y, colour);
  std::vector<bool> painted(frame.size());
  for (size_t i = 0; i < frame.size(); ++i) painted[i] = back[i] != fill;
  std::copy(frame.begin(), frame.end(), back);
  g.game.text.DrawText(text, x, y, colour);
  bool same = std::count(painted.begin(), painted.end(), true) > 0;
  for (size_t i = 0; i < frame.size() && same; ++i) same = !painted[i] || back[i] == frame[i];
  std::copy(saved.pixels.begin(), saved.pixels.end(), back);  // a screen may draw on
  return same;
}

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
