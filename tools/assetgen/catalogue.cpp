#include "catalogue.h"

#include "backgrounds.h"
#include "glyph_strip.h"
#include "menu_art.h"
#include "menu_entries.h"
#include "music.h"
#include "ogg_writer.h"
#include "sheets.h"
#include "small_art.h"
#include "snake_art.h"
#include "sound_effects.h"
#include "stones.h"
#include "utf8.h"
#include "wav_writer.h"

namespace kb::assetgen {
namespace {

CatalogueEntry Bmp(std::string path, int width, int height, std::function<Image()> paint,
                   uint8_t corners = kAllCorners) {
  return CatalogueEntry{std::move(path), AssetFormat::kBmp, width,  height,
                        corners,         std::move(paint),  nullptr};
}

CatalogueEntry Jpeg(std::string path, int width, int height, std::function<Image()> paint) {
  return CatalogueEntry{std::move(path), AssetFormat::kJpeg, width, height, 0, std::move(paint),
                        nullptr};
}

CatalogueEntry Sound(std::string path, AssetFormat format,
                     std::function<std::vector<uint8_t>()> sound) {
  return CatalogueEntry{std::move(path), format, 0, 0, 0, nullptr, std::move(sound)};
}

void AddStoneSet(std::vector<CatalogueEntry>& out, int set) {
  const std::string folder = "Grafiksets/" + StoneSetFolder(set) + "/";
  auto stone = [set](StoneKind kind, bool marked) {
    return [=] { return PaintStone(set, kind, marked).ToKeyedImage(); };
  };
  auto sheet = [set](StoneKind kind) {
    return [=] {
      const uint32_t seed = 1000u + static_cast<uint32_t>(set) * 16u + static_cast<uint32_t>(kind);
      return PaintRemovalSheet(PaintStone(set, kind, false), seed).ToKeyedImage();
    };
  };
  out.push_back(
      Bmp(folder + "cursor.bmp", 48, 48, [set] { return PaintCursor(set).ToKeyedImage(); }));
  out.push_back(Bmp(folder + "steintausch.bmp", 48, 48,
                    [set] { return PaintSwapMarker(set).ToKeyedImage(); }));
  static const StoneKind kColours[4] = {StoneKind::kRed, StoneKind::kGreen, StoneKind::kBlue,
                                        StoneKind::kYellow};
  for (int c = 0; c < 4; ++c) {
    const std::string name = folder + "stone" + std::to_string(c + 1);
    out.push_back(Bmp(name + ".bmp", 48, 48, stone(kColours[c], false)));
    out.push_back(Bmp(name + "marked.bmp", 48, 48, stone(kColours[c], true)));
  }
  out.push_back(Bmp(folder + "connector.bmp", 48, 48, stone(StoneKind::kConnector, false)));
  out.push_back(Bmp(folder + "connectormarked.bmp", 48, 48, stone(StoneKind::kConnector, true)));
  out.push_back(Bmp(folder + "multiplikator.bmp", 48, 48, stone(StoneKind::kMultiplier, false)));
  out.push_back(
      Bmp(folder + "multiplikatormarked.bmp", 48, 48, stone(StoneKind::kMultiplier, true)));
  out.push_back(
      Bmp(folder + "unzerstoerbar.bmp", 48, 48, stone(StoneKind::kIndestructible, false)));
  for (int c = 0; c < 4; ++c) {
    out.push_back(
        Bmp(folder + "stone" + std::to_string(c + 1) + "ani.bmp", 192, 240, sheet(kColours[c])));
  }
  out.push_back(Bmp(folder + "connectorani.bmp", 192, 240, sheet(StoneKind::kConnector)));
  out.push_back(Bmp(folder + "multiplikatorani.bmp", 192, 240, sheet(StoneKind::kMultiplier)));
}

void AddSnakeSet(std::vector<CatalogueEntry>& out, int set) {
  const std::string folder = "Snake Grafiksets/" + SnakeSetFolder(set) + "/";
  struct File {
    const char* name;
    SnakePiece piece;
  };
  static const File kFiles[] = {
      {"snakebody.bmp", SnakePiece::kBody},
      {"snakehead.bmp", SnakePiece::kHead},
      {"snakeheadleft.bmp", SnakePiece::kHeadLeft},
      {"snakeheadright.bmp", SnakePiece::kHeadRight},
      {"snakeendleft.bmp", SnakePiece::kEndLeft},
      {"snakeendright.bmp", SnakePiece::kEndRight},
      {"egg.bmp", SnakePiece::kEgg},
      {"snakeend.bmp", SnakePiece::kEnd},
      {"snakebody_round.bmp", SnakePiece::kBodyRound},
  };
  for (const File& file : kFiles) {
    const SnakePiece piece = file.piece;
    out.push_back(Bmp(folder + file.name, 48, 48,
                      [set, piece] { return PaintSnakePiece(set, piece).ToKeyedImage(); }));
  }
}

void AddMenus(std::vector<CatalogueEntry>& out) {
  for (const std::vector<MenuEntry>& menu : Menus()) {
    for (const MenuEntry& e : menu) {
      for (bool highlighted : {false, true}) {
        const MenuEntry entry = e;
        const std::vector<MenuEntry>* group = &menu;
        const std::string file = Utf8(u8"Menüs/") + entry.name + (highlighted ? "a.bmp" : ".bmp");
        out.push_back(Bmp(file, entry.width, entry.height, [entry, group, highlighted] {
          return PaintMenuEntry(entry, MenuTextSize(*group), highlighted).ToKeyedImage();
        }));
      }
    }
  }
}

std::vector<uint8_t> EncodeEffect(std::vector<float> (*compose)()) {
  return EncodeWav(compose(), kEffectRate, 1);
}

}  // namespace

std::vector<CatalogueEntry> BuildCatalogue() {
  std::vector<CatalogueEntry> out;
  out.push_back(Bmp(
      "textausgabe.bmp", 672, 16, [] { return PaintGlyphStrip(); }, 0));
  out.push_back(Sound("Soundeffekte/explosion.wav", AssetFormat::kWav,
                      [] { return EncodeEffect(ComposeStoneBurst); }));
  out.push_back(Sound("Soundeffekte/explosion2.wav", AssetFormat::kWav,
                      [] { return EncodeEffect(ComposeConnectorBlast); }));
  out.push_back(Sound("Soundeffekte/explosion3.wav", AssetFormat::kWav,
                      [] { return EncodeEffect(ComposeMultiplierChime); }));
  for (int set = 0; set < kStoneSetCount; ++set) AddStoneSet(out, set);
  for (int set = 0; set < kSnakeSetCount; ++set) AddSnakeSet(out, set);

  out.push_back(Jpeg("balken.jpg", 5, 768, [] { return PaintBar().ToOpaqueImage(); }));
  out.push_back(
      Bmp("explosion.bmp", 192, 240, [] { return PaintExplosionSheet().ToKeyedImage(); }));
  static const char32_t kLetters[7] = {U'L', U'O', U'S', U'E', U'W', U'I', U'N'};
  static const char* const kLetterFiles[7] = {"l", "o", "s", "e", "w", "i", "n"};
  for (int i = 0; i < 7; ++i) {
    const char32_t letter = kLetters[i];
    const bool win = i >= 4;
    out.push_back(Bmp(std::string("Gameover/") + kLetterFiles[i] + ".bmp", 64, 96,
                      [letter, win] { return PaintResultLetter(letter, win).ToKeyedImage(); }));
  }
  AddMenus(out);
  out.push_back(Bmp(
      "Maus.bmp", 12, 24, [] { return PaintPointer().ToKeyedImage(); },
      kTopRight | kBottomLeft | kBottomRight));
  out.push_back(Jpeg("Speichern.jpg", 256, 64, [] { return PaintSaveButton().ToOpaqueImage(); }));
  struct ButtonFile {
    const char8_t* name;
    const char32_t* line1;
    const char32_t* line2;
    ButtonColour colour;
  };
  static const ButtonFile kButtons[] = {
      {u8"Mischen", U"Mischen", U"", ButtonColour::kBlue},
      {u8"Rueckgaengig", U"Rückgängig", U"", ButtonColour::kAmber},
      {u8"Steintauschmodus aktiv", U"Steintausch", U"aktiv", ButtonColour::kGreen},
      {u8"Steintauschmodus nicht aktiv", U"Steintausch", U"nicht aktiv", ButtonColour::kGrey},
      {u8"Exit", U"Exit", U"", ButtonColour::kRed},
  };
  for (const ButtonFile& b : kButtons) {
    const ButtonFile button = b;
    out.push_back(Bmp("Buttons/" + Utf8(button.name) + ".bmp", 96, 48, [button] {
      return PaintButton(button.line1, button.line2, button.colour).ToKeyedImage();
    }));
  }
  out.push_back(Jpeg("Steuerkreuz.jpg", 48, 48, [] { return PaintPadArrow().ToOpaqueImage(); }));
  out.push_back(Jpeg("Raster.jpg", 768, 1, [] { return PaintGridLine().ToOpaqueImage(); }));

  out.push_back(Bmp(
      "Titelbild.bmp", 1024, 768, [] { return PaintTitleBackground().ToOpaqueImage(); }, 0));
  const std::string backgrounds = Utf8(u8"Hintergründe/");
  out.push_back(Jpeg(backgrounds + "Titelbild.jpg", 1024, 768,
                     [] { return PaintTitleBackground().ToOpaqueImage(); }));
  out.push_back(Jpeg(backgrounds + "Menue.jpg", 1024, 768,
                     [] { return PaintMenuBackground().ToOpaqueImage(); }));
  out.push_back(Jpeg(backgrounds + "Gameover.jpg", 1024, 768,
                     [] { return PaintGameoverBackground().ToOpaqueImage(); }));
  out.push_back(Jpeg(backgrounds + "Highscores.jpg", 1024, 768,
                     [] { return PaintHighscoresBackground().ToOpaqueImage(); }));
  out.push_back(Jpeg(backgrounds + "Optionen.jpg", 1024, 768,
                     [] { return PaintOptionsBackground().ToOpaqueImage(); }));
  out.push_back(Jpeg(backgrounds + "Hilfe.jpg", 1024, 768,
                     [] { return PaintHelpBackground().ToOpaqueImage(); }));

  out.push_back(Sound("Musik/Tonwerk3 - Klotzbrecher3.ogg", AssetFormat::kOgg, [] {
    return EncodeOggVorbis(ComposeTonwerk(kMusicMinimumSeconds), 0.3f, "Klotzbrecher3", "Tonwerk3");
  }));
  out.push_back(Sound("Musik/Festorchester - Klotzbrecher3(Hollywood).ogg", AssetFormat::kOgg, [] {
    return EncodeOggVorbis(ComposeFestorchester(kMusicMinimumSeconds), 0.3f,
                           "Klotzbrecher3 (Hollywood)", "Festorchester");
  }));
  return out;
}

}  // namespace kb::assetgen
