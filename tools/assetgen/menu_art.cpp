#include "menu_art.h"

#include <algorithm>
#include <cmath>

#include "compose.h"
#include "font.h"
#include "shapes.h"
#include "stone_painter.h"
#include "text_art.h"

namespace kb::assetgen {
namespace {

Rgba ButtonBase(ButtonColour colour) {
  switch (colour) {
    case ButtonColour::kBlue:
      return FromHex(0x2F64C8);
    case ButtonColour::kAmber:
      return FromHex(0xD88A18);
    case ButtonColour::kGreen:
      return FromHex(0x2EB04A);
    case ButtonColour::kGrey:
      return FromHex(0x6A6E78);
    case ButtonColour::kRed:
      return FromHex(0xC82828);
  }
  return FromHex(0x6A6E78);
}

void PaintButtonBody(Canvas& canvas, Rgba base, float radius) {
  const float w = static_cast<float>(canvas.Width());
  const float h = static_cast<float>(canvas.Height());
  const Sdf body = [=](Vec2 p) {
    return BoxSdf(p, Vec2{w * 0.5f, h * 0.5f}, Vec2{w * 0.5f - 0.5f, h * 0.5f - 0.5f}, radius);
  };
  PaintLitShape(canvas, LitShape{body, base, 5.0f, Finish::kGloss, 9}, true, false);
  // A soft shine over the upper half.
  FillShape(
      canvas, [=](Vec2 p) { return std::max(body(p) + 4.0f, p.y - h * 0.45f); },
      [=](Vec2 p) {
        return Rgba{1, 1, 1, 0.22f * (1.0f - p.y / (h * 0.45f))};
      });
}

TextStyle LabelStyle(int outline) {
  TextStyle style;
  style.font = FontStyle::kCondensedBold;
  style.fillTop = FromHex(0xFFFFFF);
  style.fillBottom = FromHex(0xDDE4F0);
  style.outline = FromHex(0x101010);
  style.outlineWidth = static_cast<float>(outline);
  return style;
}

}  // namespace

Canvas PaintButton(std::u32string_view line1, std::u32string_view line2, ButtonColour colour) {
  Canvas canvas(96, 48);
  PaintButtonBody(canvas, ButtonBase(colour), 7.0f);
  const TextStyle style = LabelStyle(1);
  if (line2.empty()) {
    PaintTextFitted(canvas, line1, Box{5, 4, 86, 40}, 0.55f, style, 17);
  } else {
    PaintTextFitted(canvas, line1, Box{5, 5, 86, 21}, 0.95f, style, 15);
    TextStyle small = style;
    small.fillTop = colour == ButtonColour::kGrey ? FromHex(0xD0D0D0) : FromHex(0xFFFFB0);
    small.fillBottom = small.fillTop;
    PaintTextFitted(canvas, line2, Box{5, 25, 86, 18}, 0.95f, small, 13);
  }
  return canvas;
}

Canvas PaintSaveButton() {
  Canvas canvas(256, 64, FromHex(0x0C0A08));  // the corner of the options picture
  Canvas button(248, 56);
  PaintButtonBody(button, FromHex(0x2E9A44), 10.0f);
  // A tick in front of the word.
  const Sdf tick = [](Vec2 p) {
    return std::min(SegmentSdf(p, Vec2{24, 30}, Vec2{33, 39}, 3.2f),
                    SegmentSdf(p, Vec2{33, 39}, Vec2{49, 17}, 3.2f));
  };
  FillShapeColour(
      button, [&](Vec2 p) { return tick(p) - 1.5f; }, FromHex(0x102010));
  FillShapeColour(button, tick, FromHex(0xF0FFE8));
  TextStyle style = LabelStyle(2);
  style.font = FontStyle::kSansBold;
  PaintTextFitted(button, U"Speichern", Box{58, 4, 182, 48}, 0.72f, style);
  canvas.Draw(button, 4, 4);
  return canvas;
}

Canvas PaintResultLetter(char32_t letter, bool win) {
  constexpr int kWidth = 64;
  constexpr int kHeight = 96;
  TextStyle style;
  style.font = FontStyle::kCondensedBold;
  if (win) {
    style.fillTop = FromHex(0xF0FFB0);
    style.fillBottom = FromHex(0x20B040);
    style.outline = FromHex(0x06280C);
    style.halo = FromHex(0xE8FFD0);
  } else {
    style.fillTop = FromHex(0xFFE060);
    style.fillBottom = FromHex(0xC81810);
    style.outline = FromHex(0x300606);
    style.halo = FromHex(0xFFD8A0);
  }
  style.outlineWidth = 3.0f;
  style.haloWidth = 1.5f;
  style.shadowOffset = 3;
  style.shadow = FromHex(0x0A0A0A);
  style.shine = 0.2f;
  // All seven letters stand equally tall: the size is set by the capital
  // height, and a letter too wide for its picture (the W) is narrowed rather
  // than shrunk.
  const int pad = static_cast<int>(std::ceil(style.outlineWidth + style.haloWidth)) + 2;
  int size = 6;
  for (int s = 6; s < 2 * kHeight; ++s) {
    int w = 0, h = 0;
    MeasureText(U"E", style.font, s, &w, &h);
    if (h + 2 * pad + style.shadowOffset > kHeight) break;
    size = s;
  }
  const char32_t text[1] = {letter};
  int inkWidth = 0, inkHeight = 0;
  MeasureText(std::u32string_view(text, 1), style.font, size, &inkWidth, &inkHeight);
  const int wide = std::max(kWidth, inkWidth + 2 * pad + style.shadowOffset);
  Canvas drawn(wide, kHeight);
  PaintInkFitted(drawn, std::u32string_view(text, 1), Box{0, 0, wide, kHeight}, style);
  if (wide == kWidth) return drawn;
  Canvas canvas(kWidth, kHeight);
  DrawSqueezed(canvas, drawn);
  return canvas;
}

}  // namespace kb::assetgen
