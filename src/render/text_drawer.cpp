#include "render/text_drawer.h"

#include <cstring>

#include "core/data_files.h"

namespace kb {
namespace {

// The strip's order after the letters and digits.
constexpr const char kPunctuation[] = "+-*:!?(),;.@|=_";

}  // namespace

void TextDrawer::Load() {
  constexpr data_files::Picture kStrip = data_files::kGlyphStrip;
  static_assert(kStrip.width == kGlyphWidth * kGlyphCount && kStrip.height == kGlyphHeight);
  strip_ = sprites_.LoadTexture(kStrip.path, kStrip.width, kStrip.height);
}

int TextDrawer::GlyphNumber(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A' + 1;
  if (c >= 'a' && c <= 'z') return c - 'a' + 30;
  if (c >= '0' && c <= '9') return c - '0' + 60;
  switch (static_cast<unsigned char>(c)) {
    case 0xC4:
      return 27;  // Ä
    case 0xD6:
      return 28;  // Ö
    case 0xDC:
      return 29;  // Ü
    case 0xE4:
      return 56;  // ä
    case 0xF6:
      return 57;  // ö
    case 0xFC:
      return 58;  // ü
    case 0xDF:
      return 59;  // ß
    default:
      break;
  }
  if (c == '\0') return 0;
  const char* found = std::strchr(kPunctuation, c);
  return found != nullptr ? static_cast<int>(found - kPunctuation) + 70 : 0;
}

void TextDrawer::DrawText(const char* text, int x, int y, uint32_t argb) {
  if (text == nullptr) return;
  for (int i = 0; text[i] != '\0'; ++i) {
    const int glyph = GlyphNumber(text[i]);
    if (glyph == 0) continue;
    sprites_.DrawPart(strip_, {.centreX = 4.0f, .centreY = 8.0f, .x = x + kAdvance * i, .y = y},
                      {kGlyphWidth * glyph - kGlyphWidth, 0, kGlyphWidth, kGlyphHeight}, argb);
  }
}

}  // namespace kb
