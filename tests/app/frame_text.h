#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "fake_game.h"

namespace kb::test {

// Whether `frame` shows `text` at (x, y) in `colour`: drawing the text over
// the frame changes none of the pixels the text paints (so black text shows
// too, over a picture). What lies around the glyphs is ignored.
inline bool ShowsText(FakeGame& g, const std::vector<uint32_t>& frame, const char* text, int x,
                      int y, uint32_t colour) {
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

// The same for the last presented frame.
inline bool ShowsText(FakeGame& g, const char* text, int x, int y, uint32_t colour) {
  return ShowsText(g, g.fake.LastFrame(), text, x, y, colour);
}

}  // namespace kb::test
