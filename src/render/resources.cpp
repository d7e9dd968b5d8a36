#include "render/resources.h"

#include <string>

namespace kb {
namespace {

using data_files::MenuFile;
using data_files::Picture;
using data_files::SnakePiece;
using data_files::SnakeSetFile;
using data_files::StonePiece;
using data_files::StoneSetFile;

TextureHandle LoadPicture(SpriteDrawer& sprites, const Picture& picture) {
  return sprites.LoadTexture(picture.path, picture.width, picture.height);
}

SurfaceHandle LoadBackground(SpriteDrawer& sprites, const Picture& picture, bool inDefaultPool) {
  return sprites.LoadSurface(picture.path, inDefaultPool, picture.width, picture.height);
}

template <size_t N>
void LoadMenu(SpriteDrawer& sprites, const std::array<MenuFile, N>& files,
              std::array<MenuImage, N>& out) {
  for (size_t i = 0; i < N; ++i) {
    const MenuFile& file = files[i];
    out[i].normal =
        sprites.LoadTexture(data_files::MenuPath(file.name, false), file.width, file.height);
    out[i].highlighted =
        sprites.LoadTexture(data_files::MenuPath(file.name, true), file.width, file.height);
  }
}

TextureHandle& Slot(StoneSet& set, const StoneSetFile& file) {
  const auto colour = static_cast<size_t>(file.colour);
  switch (file.piece) {
    case StonePiece::kCursor:
      return set.cursor;
    case StonePiece::kSwapMarker:
      return set.swapMarker;
    case StonePiece::kStone:
      return set.stone[colour];
    case StonePiece::kStoneMarked:
      return set.stoneMarked[colour];
    case StonePiece::kConnector:
      return set.connector;
    case StonePiece::kConnectorMarked:
      return set.connectorMarked;
    case StonePiece::kMultiplier:
      return set.multiplier;
    case StonePiece::kMultiplierMarked:
      return set.multiplierMarked;
    case StonePiece::kIndestructible:
      return set.indestructible;
    case StonePiece::kStoneAnimation:
      return set.stoneAnimation[colour];
    case StonePiece::kConnectorAnimation:
      return set.connectorAnimation;
    case StonePiece::kMultiplierAnimation:
      return set.multiplierAnimation;
  }
  return set.cursor;
}

TextureHandle& Slot(SnakeSet& set, SnakePiece piece) {
  switch (piece) {
    case SnakePiece::kBody:
      return set.body;
    case SnakePiece::kHead:
      return set.head;
    case SnakePiece::kHeadLeft:
      return set.headLeft;
    case SnakePiece::kHeadRight:
      return set.headRight;
    case SnakePiece::kEndLeft:
      return set.endLeft;
    case SnakePiece::kEndRight:
      return set.endRight;
    case SnakePiece::kEgg:
      return set.egg;
    case SnakePiece::kEnd:
      return set.end;
    case SnakePiece::kBodyRound:
      return set.bodyRound;
  }
  return set.body;
}

// The files of a set are loaded in the table's order: the texture handles
// follow it.
void LoadStoneSet(SpriteDrawer& sprites, int index, StoneSet& set) {
  for (const StoneSetFile& file : data_files::kStoneSetFiles) {
    Slot(set, file) = sprites.LoadTexture(data_files::StoneSetPath(index, file), file.picture.width,
                                          file.picture.height);
  }
}

void LoadSnakeSet(SpriteDrawer& sprites, int index, SnakeSet& set) {
  for (const SnakeSetFile& file : data_files::kSnakeSetFiles) {
    Slot(set, file.piece) = sprites.LoadTexture(data_files::SnakeSetPath(index, file),
                                                file.picture.width, file.picture.height);
  }
}

// MENDED: a stored set number beyond the existing sets draws the nearest one.
template <typename T, size_t N>
const T& Clamped(const std::array<T, N>& sets, int index) {
  if (index < 0) return sets[0];
  if (static_cast<size_t>(index) >= N) return sets[N - 1];
  return sets[static_cast<size_t>(index)];
}

}  // namespace

const StoneSet& Resources::Stones(int set) const {
  return Clamped(stoneSets, set);
}
const SnakeSet& Resources::Snake(int set) const {
  return Clamped(snakeSets, set);
}

void LoadResources(SpriteDrawer& sprites, Resources& r) {
  namespace files = data_files;
  for (int i = 0; i < kStoneSetCount; ++i) LoadStoneSet(sprites, i, r.stoneSets[i]);
  for (int i = 0; i < kSnakeSetCount; ++i) LoadSnakeSet(sprites, i, r.snakeSets[i]);

  r.bar = LoadPicture(sprites, files::kBar);
  r.explosion = LoadPicture(sprites, files::kExplosionSheet);
  static_assert(files::kResultLetters.size() == std::tuple_size_v<decltype(r.boutLetters)>);
  for (size_t i = 0; i < files::kResultLetters.size(); ++i) {
    r.boutLetters[i] = LoadPicture(sprites, files::kResultLetters[i]);
  }
  LoadMenu(sprites, files::kMainMenu, r.mainMenu);
  LoadMenu(sprites, files::kModeMenu, r.modeMenu);
  LoadMenu(sprites, files::kOptionsMenu, r.optionsMenu);
  r.pointer = LoadPicture(sprites, files::kPointer);
  r.save = LoadPicture(sprites, files::kSaveButton);
  r.shuffleButton = LoadPicture(sprites, files::kShuffleButton);
  r.undoButton = LoadPicture(sprites, files::kUndoButton);
  r.swapActiveButton = LoadPicture(sprites, files::kSwapActiveButton);
  r.swapInactiveButton = LoadPicture(sprites, files::kSwapInactiveButton);
  r.exitButton = LoadPicture(sprites, files::kExitButton);
  r.controlPad = LoadPicture(sprites, files::kControlPad);
  r.gridLine = LoadPicture(sprites, files::kGridLine);

  // KEPT: loaded as always, though every background drawn overwrites it unseen.
  r.staging = LoadBackground(sprites, files::kStagingPicture, true);
  r.titleBackground = LoadBackground(sprites, files::kTitleBackground, false);
  r.menuBackground = LoadBackground(sprites, files::kMenuBackground, false);
  r.gameOverBackground = LoadBackground(sprites, files::kGameOverBackground, false);
  r.highscoresBackground = LoadBackground(sprites, files::kHighscoresBackground, false);
  r.optionsBackground = LoadBackground(sprites, files::kOptionsBackground, false);
  r.helpBackground = LoadBackground(sprites, files::kHelpBackground, false);
  sprites.ReleaseFileBuffer();
}

}  // namespace kb
