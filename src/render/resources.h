#pragma once

#include <array>

#include "core/data_files.h"
#include "render/sprite_drawer.h"

namespace kb {

using data_files::kSnakeSetCount;
using data_files::kStoneSetCount;

// The 21 textures of one stone graphic set, in the order they are loaded.
struct StoneSet {
  TextureHandle cursor = kNoHandle;
  TextureHandle swapMarker = kNoHandle;
  std::array<TextureHandle, 4> stone{kNoHandle, kNoHandle, kNoHandle, kNoHandle};
  std::array<TextureHandle, 4> stoneMarked{kNoHandle, kNoHandle, kNoHandle, kNoHandle};
  TextureHandle connector = kNoHandle;
  TextureHandle connectorMarked = kNoHandle;
  TextureHandle multiplier = kNoHandle;
  TextureHandle multiplierMarked = kNoHandle;
  TextureHandle indestructible = kNoHandle;
  std::array<TextureHandle, 4> stoneAnimation{kNoHandle, kNoHandle, kNoHandle, kNoHandle};
  TextureHandle connectorAnimation = kNoHandle;
  TextureHandle multiplierAnimation = kNoHandle;
};

// The nine textures of one snake graphic set.
struct SnakeSet {
  TextureHandle body = kNoHandle;
  TextureHandle head = kNoHandle;
  TextureHandle headLeft = kNoHandle;
  TextureHandle headRight = kNoHandle;
  TextureHandle endLeft = kNoHandle;
  TextureHandle endRight = kNoHandle;
  TextureHandle egg = kNoHandle;
  TextureHandle end = kNoHandle;
  TextureHandle bodyRound = kNoHandle;
};

// A menu entry's two looks.
struct MenuImage {
  TextureHandle normal = kNoHandle;
  TextureHandle highlighted = kNoHandle;
};

// The letters of LOSE and WIN, in that order.
enum BoutLetter { kLetterL, kLetterO, kLetterS, kLetterE, kLetterW, kLetterI, kLetterN };

// Every picture of the game, loaded once at start-up and kept for the run.
struct Resources {
  std::array<StoneSet, kStoneSetCount> stoneSets;
  std::array<SnakeSet, kSnakeSetCount> snakeSets;

  TextureHandle bar = kNoHandle;
  TextureHandle explosion = kNoHandle;
  std::array<TextureHandle, 7> boutLetters{kNoHandle, kNoHandle, kNoHandle, kNoHandle,
                                           kNoHandle, kNoHandle, kNoHandle};
  std::array<MenuImage, 7> mainMenu;
  std::array<MenuImage, 3> modeMenu;
  std::array<MenuImage, 5> optionsMenu;
  TextureHandle pointer = kNoHandle;
  TextureHandle save = kNoHandle;
  TextureHandle shuffleButton = kNoHandle;
  TextureHandle undoButton = kNoHandle;
  TextureHandle swapActiveButton = kNoHandle;
  TextureHandle swapInactiveButton = kNoHandle;
  TextureHandle exitButton = kNoHandle;
  TextureHandle controlPad = kNoHandle;
  TextureHandle gridLine = kNoHandle;

  SurfaceHandle staging = kNoHandle;
  SurfaceHandle titleBackground = kNoHandle;
  SurfaceHandle menuBackground = kNoHandle;
  SurfaceHandle gameOverBackground = kNoHandle;
  SurfaceHandle highscoresBackground = kNoHandle;
  SurfaceHandle optionsBackground = kNoHandle;
  SurfaceHandle helpBackground = kNoHandle;

  // A set index as stored in the options may be anything; drawing always
  // uses a set that exists.
  const StoneSet& Stones(int set) const;
  const SnakeSet& Snake(int set) const;
};

// Loads the whole catalogue in the game's load order: stone sets, snake sets,
// single textures, then the surfaces (the staging surface first).
void LoadResources(SpriteDrawer& sprites, Resources& resources);

}  // namespace kb
