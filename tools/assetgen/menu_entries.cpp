#include "menu_entries.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>

#include "core/data_files.h"
#include "shapes.h"
#include "stone_painter.h"
#include "text_art.h"

namespace kb::assetgen {
namespace {

constexpr int kScreenMiddle = 512;

float OutlineFor(int pixelSize) {
  return std::max(2.0f, static_cast<float>(pixelSize) * 0.05f);
}

TextStyle EntryStyle(bool highlighted, int pixelSize) {
  const float outline = OutlineFor(pixelSize);
  TextStyle style;
  style.font = FontStyle::kSansBold;
  if (highlighted) {
    style.fillTop = FromHex(0xFFF8C8);
    style.fillBottom = FromHex(0xFFA020);
    style.outline = FromHex(0x3A1404);
    style.halo = FromHex(0xFFE890);
  } else {
    style.fillTop = FromHex(0xF4F8FF);
    style.fillBottom = FromHex(0x8CA2D2);
    style.outline = FromHex(0x0A1026);
    style.halo = style.outline;  // same reach as the highlight: the text keeps its place
  }
  style.outlineWidth = outline;
  style.haloWidth = std::max(1.5f, outline * 0.5f);
  style.shadow = FromHex(0x060608);
  style.shadowOffset = static_cast<int>(std::lround(outline));
  style.shine = highlighted ? 0.22f : 0.16f;
  return style;
}

// Where the text of an entry is centred inside its picture: on the screen's
// middle column when the picture leaves room for that.
int TextCentre(const MenuEntry& entry) {
  return std::clamp(kScreenMiddle - entry.x, entry.width / 4, entry.width - entry.width / 4);
}

int MarkerRoom(int pixelSize) {
  return pixelSize * 7 / 10;
}

Box FitBox(const MenuEntry& entry, int pixelSize) {
  const int centre = TextCentre(entry);
  const int half = std::min(centre, entry.width - centre) - MarkerRoom(pixelSize);
  return Box{centre - half, 0, 2 * half, entry.height};
}

float LineFill(const MenuEntry& entry) {
  return std::u32string_view(entry.text).find(U'\n') == std::u32string_view::npos ? 0.72f : 0.86f;
}

// A small lit diamond at the end of a highlighted entry, pointing at it.
void PaintMarker(Canvas& canvas, Vec2 centre, float size) {
  const std::vector<Vec2> points = RegularPolygon(centre, size, 4, 0.0f);
  const Sdf shape = [points](Vec2 p) { return PolygonSdf(p, points); };
  PaintLitShape(canvas, LitShape{shape, FromHex(0xFF6A20), size * 0.45f, Finish::kGloss, 3}, true,
                false);
}

// The plate under a highlighted entry: a rounded bar of deep blue glass with
// a gold rim and a soft light along its top.
void PaintPlate(Canvas& canvas, Box box) {
  const Vec2 centre{static_cast<float>(box.x) + static_cast<float>(box.width) * 0.5f,
                    static_cast<float>(box.y) + static_cast<float>(box.height) * 0.5f};
  const Vec2 half{static_cast<float>(box.width) * 0.5f, static_cast<float>(box.height) * 0.5f};
  const float radius = half.y * 0.8f;
  const float top = static_cast<float>(box.y);
  const float height = static_cast<float>(box.height);
  FillShape(
      canvas, box.x - 1, box.y - 1, box.x + box.width + 1, box.y + box.height + 1,
      [&](Vec2 p) { return BoxSdf(p, centre, half, radius); },
      [&](Vec2 p) {
        const float d = BoxSdf(p, centre, half, radius);
        if (d > -1.2f) return FromHex(0x2A1606);
        if (d > -3.2f) return Mix(FromHex(0xFFE690), FromHex(0xC8861E), (p.y - top) / height);
        const float t = (p.y - top) / height;
        Rgba c = Mix(FromHex(0x3E62B4), FromHex(0x101E48), t);
        if (t < 0.42f) c = Lighten(c, 0.18f * (1.0f - t / 0.42f));
        return c;
      });
}

// Where the game puts an entry's picture, and what it says.
struct Placement {
  int x;
  int y;
  const char32_t* text;
};

// A menu's pictures as the game loads them, each with its place and text.
template <size_t N>
std::vector<MenuEntry> Menu(const std::array<data_files::MenuFile, N>& files,
                            const std::array<Placement, N>& places) {
  std::vector<MenuEntry> menu;
  for (size_t i = 0; i < N; ++i) {
    menu.push_back(MenuEntry{files[i].name, places[i].x, places[i].y, files[i].width,
                             files[i].height, places[i].text});
  }
  return menu;
}

}  // namespace

const std::vector<std::vector<MenuEntry>>& Menus() {
  static const std::vector<std::vector<MenuEntry>> kMenus = {
      Menu(data_files::kMainMenu, {{
                                      {381, 60, U"Spielen"},
                                      {266, 130, U"Highscores"},
                                      {388, 225, U"Hilfe"},
                                      {175, 295, U"Snake"},
                                      {311, 385, U"Optionen"},
                                      {336, 460, U"Credits"},
                                      {323, 530, U"Beenden"},
                                  }}),
      Menu(data_files::kModeMenu, {{
                                      {315, 250, U"1 Spieler"},
                                      {15, 330, U"1 Spieler gegen den Computer"},
                                      {330, 417, U"2 Spieler"},
                                  }}),
      Menu(data_files::kOptionsMenu, {{
                                         {141, 130, U"Partikeleffekte"},
                                         {112, 210, U"Explosionsringbreite"},
                                         {116, 310, U"Spielstärke des\nComputergegners"},
                                         {194, 470, U"Grafikset"},
                                         {142, 570, U"Snake Grafikset"},
                                     }}),
  };
  return kMenus;
}

int MenuTextSize(const std::vector<MenuEntry>& menu) {
  // Each of a menu's pictures asks; the answer is measured once. Pictures
  // are painted on one thread only.
  static std::map<const std::vector<MenuEntry>*, int> known;
  if (const auto found = known.find(&menu); found != known.end()) return found->second;
  // The marker room and the outline grow with the size, so each size is
  // tried whole; the largest that every entry takes is found by bisection.
  auto fits = [&menu](int size) {
    for (const MenuEntry& entry : menu) {
      if (FittedTextSize(entry.text, FitBox(entry, size), LineFill(entry), EntryStyle(true, size),
                         size) < size) {
        return false;
      }
    }
    return true;
  };
  int low = 6;
  int high = 200;
  while (low < high) {
    const int mid = (low + high + 1) / 2;
    if (fits(mid)) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  const int size = low;
  known[&menu] = size;
  return size;
}

Canvas PaintMenuEntry(const MenuEntry& entry, int pixelSize, bool highlighted) {
  Canvas canvas(entry.width, entry.height);
  const TextStyle style = EntryStyle(highlighted, pixelSize);
  const std::vector<std::u32string> lines = SplitLines(entry.text);
  const int count = static_cast<int>(lines.size());
  int ascent = 0, descent = 0;
  LineMetrics(style.font, pixelSize, &ascent, &descent);
  const int pad =
      static_cast<int>(std::ceil(style.outlineWidth + style.haloWidth)) + style.shadowOffset;
  const int lineHeight = ascent + descent + 2 * pad;
  const int gap = count > 1 ? lineHeight / 8 : 0;
  const int block = count * lineHeight + (count - 1) * gap;
  const int top = (entry.height - block) / 2;
  const int centre = TextCentre(entry);

  int widest = 0;
  for (const std::u32string& line : lines) {
    int w = 0, h = 0;
    MeasureText(line, style.font, pixelSize, &w, &h);
    widest = std::max(widest, w);
  }
  if (highlighted) {
    // The capital height sets the plate's margins, so it suits every size.
    const int cap = ascent * 4 / 5;
    const float size = static_cast<float>(cap) * 0.36f;
    const int plateHeight = std::min(entry.height - 2, block - 2 * pad + cap * 3 / 5);
    // The plate and its markers stay inside the picture, centred on the text.
    const int room = 2 * std::min(centre, entry.width - centre) -
                     2 * static_cast<int>(std::ceil(size * 2.3f + 3.0f));
    const int plateWidth = std::min(widest + 2 * cap, room);
    const Box plate{centre - plateWidth / 2, (entry.height - plateHeight) / 2, plateWidth,
                    plateHeight};
    PaintPlate(canvas, plate);
    const float y = static_cast<float>(plate.y) + static_cast<float>(plate.height) * 0.5f;
    PaintMarker(canvas, Vec2{static_cast<float>(plate.x) - size * 1.3f, y}, size);
    PaintMarker(canvas, Vec2{static_cast<float>(plate.x + plate.width) + size * 1.3f, y}, size);
  }
  for (int i = 0; i < count; ++i) {
    const int baseline = top + pad + ascent + i * (lineHeight + gap);
    PaintTextLine(canvas, lines[static_cast<std::size_t>(i)], centre, baseline, true, pixelSize,
                  style);
  }
  return canvas;
}

}  // namespace kb::assetgen
