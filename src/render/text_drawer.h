#pragma once

#include <cstdint>

#include "render/sprite_drawer.h"

namespace kb {

// Every text of the game: fixed-pitch 8 x 16 glyphs from one strip, 10 pixels
// apart, tinted by the colour. Texts are Windows-1252 bytes.
class TextDrawer {
 public:
  static constexpr int kAdvance = 10;
  static constexpr int kGlyphWidth = 8;
  static constexpr int kGlyphHeight = 16;
  static constexpr int kGlyphCount = 84;

  explicit TextDrawer(SpriteDrawer& sprites) : sprites_(sprites) {}

  void Load();
  // (x, y) is the top-left pixel of the first character.
  void DrawText(const char* text, int x, int y, uint32_t argb);

  // 1 to 84 for the characters of the strip; 0 (nothing drawn, the pen still
  // advances) for every other byte, the space included.
  static int GlyphNumber(char c);

 private:
  SpriteDrawer& sprites_;
  TextureHandle strip_ = kNoHandle;
};

}  // namespace kb
