#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "extras/highscore_file.h"
#include "fake_game.h"

namespace kb::test {

// Whether the frame shows `text` at (x, y) in `colour`: drawing the text
// over the frame changes none of the pixels the text paints. Black text on a
// black area would pass too; the screens here draw it over pictures.
inline bool FrameShowsText(FakeGame& g, const std::vector<uint32_t>& frame, const char* text, int x,
                           int y, uint32_t colour) {
  Renderer& renderer = g.game.renderer;
  const Image saved = renderer.BackImage();
  uint32_t* back = renderer.BackBuffer().pixels;
  const size_t count = saved.pixels.size();
  // Where the text paints: on a plain field of another colour.
  const uint32_t field = 0xFF000000u | (~colour & 0x00FFFFFFu) | 0x00808080u;
  std::fill(back, back + count, field == colour ? 0xFF123456u : field);
  const uint32_t fill = back[0];
  g.game.text.DrawText(text, x, y, colour);
  std::vector<bool> painted(count);
  int paintedCount = 0;
  for (size_t i = 0; i < count; ++i) {
    painted[i] = back[i] != fill;
    paintedCount += painted[i] ? 1 : 0;
  }
  // What the text looks like over this frame.
  std::copy(frame.begin(), frame.end(), back);
  g.game.text.DrawText(text, x, y, colour);
  bool same = true;
  for (size_t i = 0; i < count && same; ++i) same = !painted[i] || back[i] == frame[i];
  // A screen may still draw onto its back buffer.
  std::copy(saved.pixels.begin(), saved.pixels.end(), back);
  return paintedCount > 0 && same;
}

inline bool ShowsText(FakeGame& g, const char* text, int x, int y, uint32_t colour) {
  return FrameShowsText(g, g.fake.LastFrame(), text, x, y, colour);
}

inline TextBuffer Name(const char* text) {
  TextBuffer name{};
  std::strncpy(name.data(), text, kMaxTextLength);
  return name;
}

// A list with these scores from the top and "Spieler N" as names; the rest 0.
inline HighscoreList ListOf(std::initializer_list<int32_t> scores) {
  HighscoreList list{};
  size_t i = 0;
  for (int32_t s : scores) {
    list[i].Score = s;
    list[i].Name = Name(("Spieler " + std::to_string(i + 1)).c_str());
    ++i;
  }
  return list;
}

inline void PutHighscores(FakeGame& g, const HighscoreList& list) {
  const HighscoreFileBytes bytes = EncodeHighscores(list);
  g.files.memory().Put(kHighscoreFile, std::vector<uint8_t>(bytes.begin(), bytes.end()));
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
