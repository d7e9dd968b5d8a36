#include "logo.h"

#include <algorithm>

#include "font.h"
#include "text_art.h"

namespace kb::assetgen {
namespace {

TextStyle Extrusion(FontStyle font, Rgba colour) {
  TextStyle style;
  style.font = font;
  style.fillTop = colour;
  style.fillBottom = colour;
  style.outline = colour;
  style.outlineWidth = 3.0f;
  return style;
}

void PaintWord(Canvas& canvas, std::u32string_view word, int left, int baseline, int size,
               FontStyle font, const TextStyle& face, int depth) {
  // The extrusion: the word stacked down to the lower right, darkening.
  for (int k = depth; k >= 1; --k) {
    const float shade = 0.25f + 0.35f * (1.0f - static_cast<float>(k) / static_cast<float>(depth));
    PaintTextLine(canvas, word, left + k, baseline + k, false, size,
                  Extrusion(font, Scale(face.fillBottom, shade)));
  }
  PaintTextLine(canvas, word, left, baseline, false, size, face);
}

}  // namespace

void PaintLogo(Canvas& canvas, int centreX, int baseline, int pixelSize) {
  const FontStyle font = FontStyle::kSerifBold;
  const int bigSize = pixelSize * 3 / 2;
  int nameWidth = 0, nameHeight = 0, digitWidth = 0, digitHeight = 0;
  MeasureText(U"Klotzbrecher", font, pixelSize, &nameWidth, &nameHeight);
  MeasureText(U"3", font, bigSize, &digitWidth, &digitHeight);
  const int gap = pixelSize / 4;
  const int left = centreX - (nameWidth + gap + digitWidth) / 2;
  const int depth = std::max(3, pixelSize / 14);

  TextStyle name;
  name.font = font;
  name.fillTop = FromHex(0xFFF4C0);
  name.fillBottom = FromHex(0xE09020);
  name.outline = FromHex(0x2A1204);
  name.outlineWidth = std::max(2.0f, static_cast<float>(pixelSize) / 28.0f);
  name.halo = FromHex(0xFFF0B8);
  name.haloWidth = 1.5f;
  name.shine = 0.3f;
  PaintWord(canvas, U"Klotzbrecher", left, baseline, pixelSize, font, name, depth);

  TextStyle digit = name;
  digit.fillTop = FromHex(0xFFC8A0);
  digit.fillBottom = FromHex(0xC01818);
  digit.outline = FromHex(0x2A0404);
  digit.halo = FromHex(0xFFE0C0);
  PaintWord(canvas, U"3", left + nameWidth + gap, baseline + pixelSize / 10, bigSize, font, digit,
            depth + 2);
}

}  // namespace kb::assetgen
