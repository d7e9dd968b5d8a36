#include "backgrounds.h"

#include <cmath>

#include "compose.h"
#include "logo.h"
#include "noise.h"
#include "shapes.h"
#include "stone_painter.h"
#include "stones.h"
#include "text_art.h"

namespace kb::assetgen {
namespace {

StoneKind KindAt(int i) {
  return static_cast<StoneKind>(i % 6);
}

// Stones tumbling through the picture: scattered, turned, dimmed with depth.
// Stones are placed inside area; places that overlap keepOut are skipped.
void ScatterStones(Canvas& canvas, int count, uint32_t seed, int set, Box area, Box keepOut,
                   float dim) {
  AssetRandom random(seed);
  Canvas stones[6] = {PaintStone(set, KindAt(0), false), PaintStone(set, KindAt(1), false),
                      PaintStone(set, KindAt(2), false), PaintStone(set, KindAt(3), false),
                      PaintStone(set, KindAt(4), false), PaintStone(set, KindAt(5), false)};
  for (int i = 0; i < count; ++i) {
    const float scale = random.Range(0.6f, 1.7f);
    const Vec2 centre{
        random.Range(static_cast<float>(area.x), static_cast<float>(area.x + area.width)),
        random.Range(static_cast<float>(area.y), static_cast<float>(area.y + area.height))};
    const float angle = random.Range(-0.6f, 0.6f);
    const int kind = random.Below(6);
    const float reach = 34.0f * scale;
    if (centre.x + reach > static_cast<float>(keepOut.x) &&
        centre.x - reach < static_cast<float>(keepOut.x + keepOut.width) &&
        centre.y + reach > static_cast<float>(keepOut.y) &&
        centre.y - reach < static_cast<float>(keepOut.y + keepOut.height)) {
      continue;
    }
    DrawTransformed(canvas, stones[kind], centre, scale, angle, dim * (0.45f + 0.35f * scale));
  }
}

// A row of stones stacked like the bottom of a board.
void PaintStoneFloor(Canvas& canvas, int top, int rows, uint32_t seed, float brightness) {
  AssetRandom random(seed);
  Canvas stones[4] = {
      PaintStone(0, StoneKind::kRed, false), PaintStone(0, StoneKind::kGreen, false),
      PaintStone(0, StoneKind::kBlue, false), PaintStone(0, StoneKind::kYellow, false)};
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < canvas.Width() / 48 + 1; ++c) {
      if (r == 0 && random.Below(3) == 0) continue;  // a ragged top edge
      const Vec2 centre{static_cast<float>(c * 48 + 24), static_cast<float>(top + r * 48 + 24)};
      DrawTransformed(
          canvas, stones[random.Below(4)], centre, 1.0f, 0.0f,
          brightness * (0.7f + 0.3f * static_cast<float>(r) / static_cast<float>(rows)));
    }
  }
}

// Soft light rays from a point, for the title.
void PaintRays(Canvas& canvas, Vec2 origin, Rgba colour, int count, float strength) {
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const float dx = static_cast<float>(x) - origin.x;
      const float dy = static_cast<float>(y) - origin.y;
      const float angle = std::atan2(dy, dx);
      const float ray = 0.5f + 0.5f * std::cos(angle * static_cast<float>(count));
      const float fall = 1.0f / (1.0f + std::sqrt(dx * dx + dy * dy) / 260.0f);
      canvas.Blend(x, y, colour, strength * ray * ray * fall);
    }
  }
}

// A gold medal with a star, on a short red ribbon.
void PaintMedal(Canvas& canvas, Vec2 centre, float radius) {
  for (float side : {-1.0f, 1.0f}) {
    const std::vector<Vec2> ribbon = {{centre.x + side * radius * 0.15f, centre.y},
                                      {centre.x + side * radius * 0.75f, centre.y + radius * 1.1f},
                                      {centre.x + side * radius * 0.45f, centre.y + radius * 0.95f},
                                      {centre.x + side * radius * 0.3f, centre.y + radius * 1.25f},
                                      {centre.x - side * radius * 0.2f, centre.y + radius * 0.2f}};
    FillShape(
        canvas, [&](Vec2 p) { return PolygonSdf(p, ribbon); },
        [](Vec2) { return FromHex(0xB01818); });
  }
  const Vec2 c = centre;
  PaintLitShape(canvas,
                LitShape{[c, radius](Vec2 p) { return CircleSdf(p, c, radius * 0.78f); },
                         FromHex(0xE8B030), radius * 0.3f, Finish::kGloss, 5},
                true, false);
  const std::vector<Vec2> star = StarPolygon(c, radius * 0.5f, radius * 0.21f, 5, -1.5708f);
  PaintInlay(
      canvas, [star](Vec2 p) { return PolygonSdf(p, star); }, FromHex(0xFFE890), false);
}

TextStyle Headline(Rgba top, Rgba bottom) {
  TextStyle style;
  style.font = FontStyle::kSerifBold;
  style.fillTop = top;
  style.fillBottom = bottom;
  style.outline = FromHex(0x100804);
  style.outlineWidth = 3.0f;
  style.shadowOffset = 4;
  style.shadow = Rgba{0.02f, 0.02f, 0.02f, 0.8f};
  style.shine = 0.2f;
  return style;
}

}  // namespace

Canvas PaintTitleBackground() {
  Canvas canvas(kScreenWidth, kScreenHeight);
  FillVertical(canvas, FromHex(0x0C1030), FromHex(0x301048));
  AddMottle(canvas, 0.12f, 180.0f, 11);
  PaintRays(canvas, Vec2{512.0f, 300.0f}, FromHex(0xFFC870), 14, 0.16f);
  ScatterStones(canvas, 40, 12, 1, Box{0, 0, 1024, 590}, Box{60, 200, 904, 220}, 0.8f);
  PaintStoneFloor(canvas, 624, 3, 13, 0.85f);
  AddVignette(canvas, 0.55f);
  PaintLogo(canvas, 512, 350, 100);
  return canvas;
}

Canvas PaintMenuBackground() {
  Canvas canvas(kScreenWidth, kScreenHeight);
  FillVertical(canvas, FromHex(0x0A1426), FromHex(0x14203A));
  AddMottle(canvas, 0.15f, 140.0f, 21);
  // A faint pattern of stones all over, then a few brighter ones on the
  // outer margins; the entries stand in the middle.
  Canvas tile = PaintStone(0, StoneKind::kBlue, false);
  for (int row = 0; row < 10; ++row) {
    for (int col = 0; col < 13; ++col) {
      const Vec2 centre{static_cast<float>(col * 86 + (row % 2) * 43),
                        static_cast<float>(row * 86)};
      DrawTransformed(canvas, tile, centre, 1.3f, 0.35f, 0.35f, 0.22f);
    }
  }
  ScatterStones(canvas, 40, 22, 2, Box{0, 0, 1024, 768}, Box{150, 40, 724, 728}, 0.45f);
  AddVignette(canvas, 0.6f);
  PaintLogo(canvas, 512, 725, 46);
  return canvas;
}

Canvas PaintGameoverBackground() {
  Canvas canvas(kScreenWidth, kScreenHeight);
  FillVertical(canvas, FromHex(0x200808), FromHex(0x080408));
  AddMottle(canvas, 0.18f, 120.0f, 31);
  ScatterStones(canvas, 30, 32, 0, Box{0, 0, 1024, 768}, Box{100, 40, 824, 470}, 0.5f);
  AddVignette(canvas, 0.5f);
  // The light card the entry texts are written on (they start at x 300); a
  // medal on its left end makes the card whole even when no entry is made.
  const Box card{188, 78, 564, 100};
  PaintPanel(canvas, card, 12.0f, FromHex(0xF4ECD8), FromHex(0x806040), 1.0f);
  Canvas grain(card.width, card.height, Rgba{1, 1, 1, 1});
  AddMottle(grain, 0.04f, 30.0f, 33);
  for (int y = 4; y < card.height - 4; ++y) {
    for (int x = 4; x < card.width - 4; ++x) {
      Rgba& p = canvas.At(card.x + x, card.y + y);
      p = Scale(p, grain.At(x, y).r);
    }
  }
  PaintMedal(canvas, Vec2{242.0f, 128.0f}, 36.0f);
  PaintTextFitted(canvas, U"GAME OVER", Box{120, 280, 784, 200}, 0.9f,
                  Headline(FromHex(0xFFD0A0), FromHex(0xB01010)));
  return canvas;
}

Canvas PaintHighscoresBackground() {
  Canvas canvas(kScreenWidth, kScreenHeight);
  FillVertical(canvas, FromHex(0x101838), FromHex(0x060A18));
  AddMottle(canvas, 0.15f, 150.0f, 41);
  ScatterStones(canvas, 34, 42, 1, Box{0, 0, 1024, 768}, Box{190, 0, 644, 440}, 0.5f);
  AddVignette(canvas, 0.5f);
  PaintPanel(canvas, Box{310, 86, 480, 326}, 14.0f, FromHex(0x080C18), FromHex(0x8090C0), 0.88f);
  PaintTextFitted(canvas, U"Highscores", Box{200, 0, 624, 88}, 0.95f,
                  Headline(FromHex(0xFFF4C0), FromHex(0xE09020)));
  return canvas;
}

Canvas PaintOptionsBackground() {
  Canvas canvas(kScreenWidth, kScreenHeight);
  // Warm charcoal, nearly black where the rows stand: blue text is only as
  // bright as pure blue, so it needs the darkest ground, and no blue in it.
  FillVertical(canvas, FromHex(0x24201A), FromHex(0x0C0A08));
  AddMottle(canvas, 0.14f, 130.0f, 51);
  DarkenAround(canvas, Vec2{512.0f, 450.0f}, Vec2{420.0f, 260.0f}, 0.6f);
  AddVignette(canvas, 0.55f);
  // Gears at the outer edges, away from the text.
  for (int i = 0; i < 4; ++i) {
    const Vec2 c{i < 2 ? 40.0f : 984.0f, i % 2 == 0 ? 200.0f : 560.0f};
    const float r = 70.0f;
    FillShape(
        canvas,
        [&](Vec2 p) {
          const Vec2 d = p - c;
          const float a = std::atan2(d.y, d.x);
          const float teeth = std::cos(a * 12.0f) > 0.3f ? 9.0f : 0.0f;
          return std::max(Length(d) - (r + teeth), -(Length(d) - r * 0.4f));
        },
        [](Vec2) {
          return Rgba{0.3f, 0.27f, 0.22f, 0.55f};
        });
  }
  PaintTextFitted(canvas, U"Optionen", Box{262, 14, 500, 100}, 0.85f,
                  Headline(FromHex(0xF8F0E0), FromHex(0xA09070)));
  return canvas;
}

Canvas PaintHelpBackground() {
  Canvas canvas(kScreenWidth, kScreenHeight);
  // Neutral, nearly black behind the text: its headings are pure blue.
  FillVertical(canvas, FromHex(0x0C0B0A), FromHex(0x12100E));
  AddMottle(canvas, 0.08f, 200.0f, 61);
  AddVignette(canvas, 0.4f);
  PaintFrame(canvas, FromHex(0x6A5A40));
  // One quiet band of stones between the text and the bottom line.
  Canvas band(kScreenWidth, 96);
  PaintStoneFloor(band, 0, 2, 62, 0.38f);
  canvas.Draw(band, 0, 600, 0.9f);
  return canvas;
}

}  // namespace kb::assetgen
