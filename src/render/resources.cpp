#include "render/resources.h"

#include <string>

#include "core/cp1252.h"

namespace kb {
namespace {

constexpr int kCell = 48;
constexpr int kSheetWidth = 192;
constexpr int kSheetHeight = 240;

struct Sized {
  const char* file;
  int width;
  int height;
};

constexpr std::array<Sized, 7> kMainMenuFiles = {{{"menue01", 263, 106},
                                                  {"menue02", 493, 123},
                                                  {"menue03", 249, 88},
                                                  {"menue04", 675, 99},
                                                  {"menue05", 402, 84},
                                                  {"menue06", 353, 88},
                                                  {"menue07", 378, 107}}};
constexpr std::array<Sized, 3> kModeMenuFiles = {
    {{"moduswahl01", 406, 80}, {"moduswahl02", 997, 87}, {"moduswahl03", 422, 80}}};
constexpr std::array<Sized, 5> kOptionsMenuFiles = {{{"optionen01", 742, 102},
                                                     {"optionen02", 800, 112},
                                                     {"optionen03", 793, 175},
                                                     {"optionen04", 636, 112},
                                                     {"optionen05", 740, 97}}};

template <size_t N>
void LoadMenu(SpriteDrawer& sprites, const std::array<Sized, N>& files,
              std::array<MenuImage, N>& out) {
  for (size_t i = 0; i < N; ++i) {
    const std::string base = "Menüs\\"_cp + std::string(files[i].file);
    out[i].normal = sprites.LoadTexture(base + ".bmp", files[i].width, files[i].height);
    out[i].highlighted = sprites.LoadTexture(base + "a.bmp", files[i].width, files[i].height);
  }
}

void LoadStoneSet(SpriteDrawer& sprites, const std::string& folder, StoneSet& set) {
  auto cell = [&](const char* name) { return sprites.LoadTexture(folder + name, kCell, kCell); };
  auto sheet = [&](const char* name) {
    return sprites.LoadTexture(folder + name, kSheetWidth, kSheetHeight);
  };
  set.cursor = cell("cursor.bmp");
  set.swapMarker = cell("steintausch.bmp");
  for (int i = 0; i < 4; ++i) {
    const std::string stone = "stone" + std::to_string(i + 1);
    set.stone[i] = cell((stone + ".bmp").c_str());
    set.stoneMarked[i] = cell((stone + "marked.bmp").c_str());
  }
  set.connector = cell("connector.bmp");
  set.connectorMarked = cell("connectormarked.bmp");
  set.multiplier = cell("multiplikator.bmp");
  set.multiplierMarked = cell("multiplikatormarked.bmp");
  set.indestructible = cell("unzerstoerbar.bmp");
  for (int i = 0; i < 4; ++i) {
    set.stoneAnimation[i] = sheet(("stone" + std::to_string(i + 1) + "ani.bmp").c_str());
  }
  set.connectorAnimation = sheet("connectorani.bmp");
  set.multiplierAnimation = sheet("multiplikatorani.bmp");
}

void LoadSnakeSet(SpriteDrawer& sprites, const std::string& folder, SnakeSet& set) {
  auto cell = [&](const char* name) { return sprites.LoadTexture(folder + name, kCell, kCell); };
  set.body = cell("snakebody.bmp");
  set.head = cell("snakehead.bmp");
  set.headLeft = cell("snakeheadleft.bmp");
  set.headRight = cell("snakeheadright.bmp");
  set.endLeft = cell("snakeendleft.bmp");
  set.endRight = cell("snakeendright.bmp");
  set.egg = cell("egg.bmp");
  set.end = cell("snakeend.bmp");
  set.bodyRound = cell("snakebody_round.bmp");
}

// MENDED: a stored set number beyond the existing sets draws the nearest one.
template <typename T, size_t N>
const T& Clamped(const std::array<T, N>& sets, int index) {
  if (index < 0) return sets[0];
  if (static_cast<size_t>(index) >= N) return sets[N - 1];
  return sets[static_cast<size_t>(index)];
}

}  // namespace

const std::array<const char*, kStoneSetCount> kStoneSetFolders = {
    "Classic\\", "Neo Classic\\", "Geometric\\", "Buildings\\", "Traffic\\", "Winter\\"};
const std::array<const char*, kSnakeSetCount> kSnakeSetFolders = {"Classic\\", "Dschungel\\",
                                                                  "Steinwüste\\"_cp};

const StoneSet& Resources::Stones(int set) const {
  return Clamped(stoneSets, set);
}
const SnakeSet& Resources::Snake(int set) const {
  return Clamped(snakeSets, set);
}

void LoadResources(SpriteDrawer& sprites, Resources& r) {
  for (int i = 0; i < kStoneSetCount; ++i) {
    LoadStoneSet(sprites, std::string("Grafiksets\\") + kStoneSetFolders[i], r.stoneSets[i]);
  }
  for (int i = 0; i < kSnakeSetCount; ++i) {
    LoadSnakeSet(sprites, std::string("Snake Grafiksets\\") + kSnakeSetFolders[i], r.snakeSets[i]);
  }

  r.bar = sprites.LoadTexture("balken.jpg", 5, 768);
  r.explosion = sprites.LoadTexture("explosion.bmp", kSheetWidth, kSheetHeight);
  constexpr std::array<const char*, 7> kLetters = {"l", "o", "s", "e", "w", "i", "n"};
  for (size_t i = 0; i < kLetters.size(); ++i) {
    r.boutLetters[i] =
        sprites.LoadTexture(std::string("Gameover\\") + kLetters[i] + ".bmp", 64, 96);
  }
  LoadMenu(sprites, kMainMenuFiles, r.mainMenu);
  LoadMenu(sprites, kModeMenuFiles, r.modeMenu);
  LoadMenu(sprites, kOptionsMenuFiles, r.optionsMenu);
  r.pointer = sprites.LoadTexture("Maus.bmp", 12, 24);
  r.save = sprites.LoadTexture("Speichern.jpg", 256, 64);
  r.shuffleButton = sprites.LoadTexture("Buttons\\Mischen.bmp", 96, 48);
  r.undoButton = sprites.LoadTexture("Buttons\\Rueckgaengig.bmp", 96, 48);
  r.swapActiveButton = sprites.LoadTexture("Buttons\\Steintauschmodus aktiv.bmp", 96, 48);
  r.swapInactiveButton = sprites.LoadTexture("Buttons\\Steintauschmodus nicht aktiv.bmp", 96, 48);
  r.exitButton = sprites.LoadTexture("Buttons\\Exit.bmp", 96, 48);
  r.controlPad = sprites.LoadTexture("Steuerkreuz.jpg", kCell, kCell);
  r.gridLine = sprites.LoadTexture("Raster.jpg", 768, 1);

  // KEPT: loaded as always, though every background drawn overwrites it unseen.
  r.staging = sprites.LoadSurface("Titelbild.bmp", true, 1024, 768);
  r.titleBackground = sprites.LoadSurface("Hintergründe\\Titelbild.jpg"_cp, false, 1024, 768);
  r.menuBackground = sprites.LoadSurface("Hintergründe\\Menue.jpg"_cp, false, 1024, 768);
  r.gameOverBackground = sprites.LoadSurface("Hintergründe\\Gameover.jpg"_cp, false, 1024, 768);
  r.highscoresBackground = sprites.LoadSurface("Hintergründe\\Highscores.jpg"_cp, false, 1024, 768);
  r.optionsBackground = sprites.LoadSurface("Hintergründe\\Optionen.jpg"_cp, false, 1024, 768);
  r.helpBackground = sprites.LoadSurface("Hintergründe\\Hilfe.jpg"_cp, false, 1024, 768);
  sprites.ReleaseFileBuffer();
}

}  // namespace kb
