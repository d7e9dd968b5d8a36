#include "catalogue.h"

#include <array>
#include <string_view>

#include "backgrounds.h"
#include "core/cp1252.h"
#include "core/data_files.h"
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
#include "wav_writer.h"

namespace kb::assetgen {
namespace {

using data_files::Picture;

// The table names the files as the game asks for them; on disk they are
// UTF-8 with slashes.
CatalogueEntry Bmp(std::string_view gamePath, int width, int height, std::function<Image()> paint,
                   uint8_t corners = kAllCorners) {
  return CatalogueEntry{GamePathToUtf8(gamePath),
                        AssetFormat::kBmp,
                        width,
                        height,
                        corners,
                        std::move(paint),
                        nullptr};
}

CatalogueEntry Bmp(const Picture& picture, std::function<Image()> paint,
                   uint8_t corners = kAllCorners) {
  return Bmp(picture.path, picture.width, picture.height, std::move(paint), corners);
}

CatalogueEntry Jpeg(const Picture& picture, std::function<Image()> paint) {
  return CatalogueEntry{GamePathToUtf8(picture.path),
                        AssetFormat::kJpeg,
                        picture.width,
                        picture.height,
                        0,
                        std::move(paint),
                        nullptr};
}

CatalogueEntry Sound(std::string_view gamePath, AssetFormat format,
                     std::function<std::vector<uint8_t>()> sound) {
  return CatalogueEntry{GamePathToUtf8(gamePath), format, 0, 0, 0, nullptr, std::move(sound)};
}

constexpr std::array<StoneKind, 4> kColours = {StoneKind::kRed, StoneKind::kGreen, StoneKind::kBlue,
                                               StoneKind::kYellow};

std::function<Image()> PaintStoneSetFile(int set, const data_files::StoneSetFile& file) {
  using data_files::StonePiece;
  auto stone = [set](StoneKind kind, bool marked) -> std::function<Image()> {
    return [=] { return PaintStone(set, kind, marked).ToKeyedImage(); };
  };
  auto sheet = [set](StoneKind kind) -> std::function<Image()> {
    return [=] {
      const uint32_t seed = 1000u + static_cast<uint32_t>(set) * 16u + static_cast<uint32_t>(kind);
      return PaintRemovalSheet(PaintStone(set, kind, false), seed).ToKeyedImage();
    };
  };
  const StoneKind colour = kColours[static_cast<size_t>(file.colour)];
  switch (file.piece) {
    case StonePiece::kCursor:
      return [set] { return PaintCursor(set).ToKeyedImage(); };
    case StonePiece::kSwapMarker:
      return [set] { return PaintSwapMarker(set).ToKeyedImage(); };
    case StonePiece::kStone:
      return stone(colour, false);
    case StonePiece::kStoneMarked:
      return stone(colour, true);
    case StonePiece::kConnector:
      return stone(StoneKind::kConnector, false);
    case StonePiece::kConnectorMarked:
      return stone(StoneKind::kConnector, true);
    case StonePiece::kMultiplier:
      return stone(StoneKind::kMultiplier, false);
    case StonePiece::kMultiplierMarked:
      return stone(StoneKind::kMultiplier, true);
    case StonePiece::kIndestructible:
      return stone(StoneKind::kIndestructible, false);
    case StonePiece::kStoneAnimation:
      return sheet(colour);
    case StonePiece::kConnectorAnimation:
      return sheet(StoneKind::kConnector);
    case StonePiece::kMultiplierAnimation:
      return sheet(StoneKind::kMultiplier);
  }
  return nullptr;
}

void AddStoneSet(std::vector<CatalogueEntry>& out, int set) {
  for (const data_files::StoneSetFile& file : data_files::kStoneSetFiles) {
    out.push_back(Bmp(data_files::StoneSetPath(set, file), file.picture.width, file.picture.height,
                      PaintStoneSetFile(set, file)));
  }
}

void AddSnakeSet(std::vector<CatalogueEntry>& out, int set) {
  for (const data_files::SnakeSetFile& file : data_files::kSnakeSetFiles) {
    const SnakePiece piece = file.piece;
    out.push_back(Bmp(data_files::SnakeSetPath(set, file), file.picture.width, file.picture.height,
                      [set, piece] { return PaintSnakePiece(set, piece).ToKeyedImage(); }));
  }
}

void AddMenus(std::vector<CatalogueEntry>& out) {
  for (const std::vector<MenuEntry>& menu : Menus()) {
    for (const MenuEntry& e : menu) {
      for (bool highlighted : {false, true}) {
        const MenuEntry entry = e;
        const std::vector<MenuEntry>* group = &menu;
        out.push_back(
            Bmp(data_files::MenuPath(entry.name, highlighted), entry.width, entry.height,
                [entry, group, highlighted] {
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
  namespace files = data_files;
  static_assert(files::kGlyphStrip.width == kGlyphWidth * kGlyphCount &&
                files::kGlyphStrip.height == kGlyphHeight);
  std::vector<CatalogueEntry> out;
  out.push_back(Bmp(
      files::kGlyphStrip, [] { return PaintGlyphStrip(); }, 0));
  out.push_back(Sound(files::kColourStoneSound, AssetFormat::kWav,
                      [] { return EncodeEffect(ComposeStoneBurst); }));
  out.push_back(Sound(files::kConnectorSound, AssetFormat::kWav,
                      [] { return EncodeEffect(ComposeConnectorBlast); }));
  out.push_back(Sound(files::kMultiplierSound, AssetFormat::kWav,
                      [] { return EncodeEffect(ComposeMultiplierChime); }));
  for (int set = 0; set < kStoneSetCount; ++set) AddStoneSet(out, set);
  for (int set = 0; set < kSnakeSetCount; ++set) AddSnakeSet(out, set);

  out.push_back(Jpeg(files::kBar, [] { return PaintBar().ToOpaqueImage(); }));
  out.push_back(Bmp(files::kExplosionSheet, [] { return PaintExplosionSheet().ToKeyedImage(); }));
  static constexpr std::array<char32_t, 7> kLetters = {U'L', U'O', U'S', U'E', U'W', U'I', U'N'};
  static_assert(kLetters.size() == files::kResultLetters.size());
  for (size_t i = 0; i < kLetters.size(); ++i) {
    const char32_t letter = kLetters[i];
    const bool win = i >= 4;
    out.push_back(Bmp(files::kResultLetters[i],
                      [letter, win] { return PaintResultLetter(letter, win).ToKeyedImage(); }));
  }
  AddMenus(out);
  out.push_back(Bmp(
      files::kPointer, [] { return PaintPointer().ToKeyedImage(); },
      kTopRight | kBottomLeft | kBottomRight));
  out.push_back(Jpeg(files::kSaveButton, [] { return PaintSaveButton().ToOpaqueImage(); }));
  struct ButtonFile {
    const Picture* picture;
    const char32_t* line1;
    const char32_t* line2;
    ButtonColour colour;
  };
  static const ButtonFile kButtons[] = {
      {&files::kShuffleButton, U"Mischen", U"", ButtonColour::kBlue},
      {&files::kUndoButton, U"Rückgängig", U"", ButtonColour::kAmber},
      {&files::kSwapActiveButton, U"Steintausch", U"aktiv", ButtonColour::kGreen},
      {&files::kSwapInactiveButton, U"Steintausch", U"nicht aktiv", ButtonColour::kGrey},
      {&files::kExitButton, U"Exit", U"", ButtonColour::kRed},
  };
  for (const ButtonFile& b : kButtons) {
    const ButtonFile button = b;
    out.push_back(Bmp(*button.picture, [button] {
      return PaintButton(button.line1, button.line2, button.colour).ToKeyedImage();
    }));
  }
  out.push_back(Jpeg(files::kControlPad, [] { return PaintPadArrow().ToOpaqueImage(); }));
  out.push_back(Jpeg(files::kGridLine, [] { return PaintGridLine().ToOpaqueImage(); }));

  out.push_back(Bmp(
      files::kStagingPicture, [] { return PaintTitleBackground().ToOpaqueImage(); }, 0));
  out.push_back(
      Jpeg(files::kTitleBackground, [] { return PaintTitleBackground().ToOpaqueImage(); }));
  out.push_back(Jpeg(files::kMenuBackground, [] { return PaintMenuBackground().ToOpaqueImage(); }));
  out.push_back(
      Jpeg(files::kGameOverBackground, [] { return PaintGameoverBackground().ToOpaqueImage(); }));
  out.push_back(Jpeg(files::kHighscoresBackground,
                     [] { return PaintHighscoresBackground().ToOpaqueImage(); }));
  out.push_back(
      Jpeg(files::kOptionsBackground, [] { return PaintOptionsBackground().ToOpaqueImage(); }));
  out.push_back(Jpeg(files::kHelpBackground, [] { return PaintHelpBackground().ToOpaqueImage(); }));

  out.push_back(Sound(files::kMusicTracks[0], AssetFormat::kOgg, [] {
    return EncodeOggVorbis(ComposeTonwerk(kMusicMinimumSeconds), 0.3f, "Klotzbrecher3", "Tonwerk3");
  }));
  out.push_back(Sound(files::kMusicTracks[1], AssetFormat::kOgg, [] {
    return EncodeOggVorbis(ComposeFestorchester(kMusicMinimumSeconds), 0.3f,
                           "Klotzbrecher3 (Hollywood)", "Festorchester");
  }));
  return out;
}

}  // namespace kb::assetgen
