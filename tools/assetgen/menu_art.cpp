#include "menu_art.h"

#include <algorithm>
#include <cmath>

#include "shapes.h"
#include "stone_painter.h"
#include "text_art.h"

namespace kb::assetgen {
namespace {

TextStyle EntryStyle(bool highlighted, float outline) {
  TextStyle style;
  style.font = FontStyle::kSansBold;
  if (highlighted) {
    style.fillTop = FromHex(0xFFF6B0);
    style.fillBottom = FromHex(0xFF8A10);
    style.outline = FromHex(0x3A1404);
    style.halo = FromHex(0xFFE680);
  } else {
    style.fillTop = FromHex(0xF2F6FF);
    style.fillBottom = FromHex(0x6C84B8);
    style.outline = FromHex(0x0C1228);
    style.halo = style.outline;  // same reach as the highlight: the text keeps its size
  }
  style.haloWidth = std::max(1.5f, outline * 0.6f);
  style.outlineWidth = outline;
  style.shadow = FromHex(0x080808);
  style.shadowOffset = static_cast<int>(std::lround(outline));
  style.shine = highlighted ? 0.25f : 0.18f;
  return style;
}

// A small lit diamond beside a highlighted entry, pointing at the text.
void PaintMarker(Canvas& canvas, Vec2 centre, float size) {
  const std::vector<Vec2> points = RegularPolygon(centre, size, 4, 0.0f);
  const Sdf shape = [points](Vec2 p) { return PolygonSdf(p, points); };
  PaintLitShape(canvas, LitShape{shape, FromHex(0xFF5A20), size * 0.45f, Finish::kGloss, 3}, true,
                false);
}

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

Canvas PaintMenuEntry(std::u32string_view text, int width, int height, bool highlighted) {
  Canvas canvas(width, height);
  const bool twoLines = text.find(U'\n') != std::u32string_view::npos;
  const float lineHeight = static_cast<float>(height) / (twoLines ? 2.0f : 1.0f);
  const float outline = std::max(2.0f, lineHeight * 0.035f);
  // Both variants leave room for the markers so the text does not move when
  // the highlight changes.
  const int side = height * 3 / 10;
  const Box area{side, 0, width - 2 * side, height};
  const Box ink = PaintTextFitted(canvas, text, area, twoLines ? 0.84f : 0.66f,
                                  EntryStyle(highlighted, outline));
  if (highlighted) {
    const float size = lineHeight * 0.13f;
    const float y = static_cast<float>(ink.y + ink.height / 2);
    const float gap = size * 1.4f;
    PaintMarker(canvas, Vec2{std::max(size + 2.0f, static_cast<float>(ink.x) - gap), y}, size);
    PaintMarker(canvas,
                Vec2{std::min(static_cast<float>(width) - size - 2.0f,
                              static_cast<float>(ink.x + ink.width) + gap),
                     y},
                size);
  }
  return canvas;
}

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
  Canvas canvas(256, 64, FromHex(0x181C24));
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
  Canvas canvas(64, 96);
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
  const char32_t text[1] = {letter};
  PaintInkFitted(canvas, std::u32string_view(text, 1), Box{0, 0, 64, 96}, style);
  return canvas;
}

}  // namespace kb::assetgen
