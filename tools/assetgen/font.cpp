#include "font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <string>

namespace kb::assetgen {
namespace {

constexpr const char* kFontDir = "/usr/share/fonts/truetype/dejavu/";

const char* FileOf(FontStyle style) {
  switch (style) {
    case FontStyle::kSans:
      return "DejaVuSans.ttf";
    case FontStyle::kSansBold:
      return "DejaVuSans-Bold.ttf";
    case FontStyle::kCondensedBold:
      return "DejaVuSansCondensed-Bold.ttf";
    case FontStyle::kSerifBold:
      return "DejaVuSerif-Bold.ttf";
    case FontStyle::kMono:
      return "DejaVuSansMono.ttf";
    case FontStyle::kMonoBold:
      return "DejaVuSansMono-Bold.ttf";
  }
  return "DejaVuSans.ttf";
}

constexpr int kStyleCount = 6;

// The faces live for the whole run of the generator.
class FontLibrary {
 public:
  FontLibrary() {
    if (FT_Init_FreeType(&library_) != 0) return;
    ok_ = true;
    for (int i = 0; i < kStyleCount; ++i) {
      const std::string path = std::string(kFontDir) + FileOf(static_cast<FontStyle>(i));
      if (FT_New_Face(library_, path.c_str(), 0, &faces_[i]) != 0) {
        faces_[i] = nullptr;
        ok_ = false;
      }
    }
  }
  ~FontLibrary() {
    for (FT_Face face : faces_) {
      if (face != nullptr) FT_Done_Face(face);
    }
    if (library_ != nullptr) FT_Done_FreeType(library_);
  }
  FontLibrary(const FontLibrary&) = delete;
  FontLibrary& operator=(const FontLibrary&) = delete;

  bool Ok() const { return ok_; }
  FT_Face Face(FontStyle style) const { return faces_[static_cast<int>(style)]; }

 private:
  FT_Library library_ = nullptr;
  FT_Face faces_[kStyleCount] = {};
  bool ok_ = false;
};

FontLibrary& Library() {
  static FontLibrary library;
  return library;
}

struct PlacedGlyph {
  int x = 0;  // left column, pixels from the pen origin
  int y = 0;  // top row, pixels from the baseline (downwards)
  int width = 0;
  int height = 0;
  std::vector<float> alpha;
};

float PixelOf(const FT_Bitmap& bitmap, int x, int y) {
  const unsigned char* row = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
  if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
    return ((row[x >> 3] >> (7 - (x & 7))) & 1) != 0 ? 1.0f : 0.0f;
  }
  return static_cast<float>(row[x]) / 255.0f;
}

std::vector<PlacedGlyph> Layout(std::u32string_view text, FontStyle style, int pixelSize) {
  std::vector<PlacedGlyph> glyphs;
  FT_Face face = Library().Face(style);
  if (face == nullptr) return glyphs;
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
  long pen = 0;  // 26.6 fixed point
  FT_UInt previous = 0;
  for (char32_t ch : text) {
    const FT_UInt index = FT_Get_Char_Index(face, ch);
    if (previous != 0 && index != 0 && FT_HAS_KERNING(face)) {
      FT_Vector kerning;
      FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kerning);
      pen += kerning.x;
    }
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) continue;
    FT_GlyphSlot slot = face->glyph;
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) continue;
    PlacedGlyph g;
    g.x = static_cast<int>(pen >> 6) + slot->bitmap_left;
    g.y = -slot->bitmap_top;
    g.width = static_cast<int>(slot->bitmap.width);
    g.height = static_cast<int>(slot->bitmap.rows);
    g.alpha.resize(static_cast<std::size_t>(g.width) * g.height);
    for (int y = 0; y < g.height; ++y) {
      for (int x = 0; x < g.width; ++x) {
        g.alpha[static_cast<std::size_t>(y) * g.width + x] = PixelOf(slot->bitmap, x, y);
      }
    }
    glyphs.push_back(std::move(g));
    pen += slot->advance.x;
    previous = index;
  }
  return glyphs;
}

}  // namespace

bool FontsAvailable() {
  return Library().Ok();
}

TextMask RenderText(std::u32string_view text, FontStyle style, int pixelSize) {
  TextMask mask;
  const std::vector<PlacedGlyph> glyphs = Layout(text, style, pixelSize);
  int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
  for (const PlacedGlyph& g : glyphs) {
    for (int y = 0; y < g.height; ++y) {
      for (int x = 0; x < g.width; ++x) {
        if (g.alpha[static_cast<std::size_t>(y) * g.width + x] <= 0.0f) continue;
        minX = std::min(minX, g.x + x);
        maxX = std::max(maxX, g.x + x);
        minY = std::min(minY, g.y + y);
        maxY = std::max(maxY, g.y + y);
      }
    }
  }
  if (minX > maxX) return mask;
  mask.width = maxX - minX + 1;
  mask.height = maxY - minY + 1;
  mask.baseline = -minY;
  mask.alpha.assign(static_cast<std::size_t>(mask.width) * mask.height, 0.0f);
  for (const PlacedGlyph& g : glyphs) {
    for (int y = 0; y < g.height; ++y) {
      for (int x = 0; x < g.width; ++x) {
        const float a = g.alpha[static_cast<std::size_t>(y) * g.width + x];
        if (a <= 0.0f) continue;
        float& d =
            mask.alpha[static_cast<std::size_t>(g.y + y - minY) * mask.width + (g.x + x - minX)];
        d = std::min(1.0f, d + a);
      }
    }
  }
  return mask;
}

void MeasureText(std::u32string_view text, FontStyle style, int pixelSize, int* width,
                 int* height) {
  const TextMask mask = RenderText(text, style, pixelSize);
  *width = mask.width;
  *height = mask.height;
}

TextMask RenderGlyph(char32_t ch, FontStyle style, int pixelSize, bool monochrome) {
  TextMask mask;
  FT_Face face = Library().Face(style);
  if (face == nullptr) return mask;
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
  const FT_Int32 flags = monochrome ? (FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) : FT_LOAD_DEFAULT;
  if (FT_Load_Char(face, ch, flags) != 0) return mask;
  FT_GlyphSlot slot = face->glyph;
  if (FT_Render_Glyph(slot, monochrome ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) {
    return mask;
  }
  mask.width = static_cast<int>(slot->bitmap.width);
  mask.height = static_cast<int>(slot->bitmap.rows);
  mask.left = slot->bitmap_left;
  mask.top = slot->bitmap_top;
  mask.alpha.resize(static_cast<std::size_t>(mask.width) * mask.height);
  for (int y = 0; y < mask.height; ++y) {
    for (int x = 0; x < mask.width; ++x) {
      mask.alpha[static_cast<std::size_t>(y) * mask.width + x] = PixelOf(slot->bitmap, x, y);
    }
  }
  return mask;
}

}  // namespace kb::assetgen
