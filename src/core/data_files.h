#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/cp1252.h"

// Every picture and sound of the data folder, named as the game asks its file
// layer for them: Windows-1252 bytes with backslashes, relative to the data
// folder. The game loads from this list and the asset generator writes from
// it (converted with GamePathToUtf8), so a file cannot be renamed on one side
// only and leave a picture invisible.
//
// Sizes are the ones the game loads a picture at and the generator paints it
// at; a picture of another size would be stretched.
namespace kb::data_files {

struct Picture {
  const char* path;
  int width;
  int height;
};

// One field of the board, and the sheet of a stone's removal animation.
inline constexpr int kCellSize = 48;
inline constexpr int kSheetWidth = 192;
inline constexpr int kSheetHeight = 240;

// ---- Stone graphic sets: one folder per set, the same files in each.

inline constexpr const char* kStoneSetRoot = "Grafiksets\\";
inline constexpr std::array<const char*, 6> kStoneSetFolders = {
    "Classic", "Neo Classic", "Geometric", "Buildings", "Traffic", "Winter"};
inline constexpr int kStoneSetCount = static_cast<int>(kStoneSetFolders.size());

enum class StonePiece {
  kCursor,
  kSwapMarker,
  kStone,  // one of the four colours
  kStoneMarked,
  kConnector,
  kConnectorMarked,
  kMultiplier,
  kMultiplierMarked,
  kIndestructible,
  kStoneAnimation,
  kConnectorAnimation,
  kMultiplierAnimation,
};

struct StoneSetFile {
  StonePiece piece;
  int colour;       // 0 to 3 for the coloured stones, else 0
  Picture picture;  // path below the set's folder
};

// In the order the game loads them.
inline constexpr std::array<StoneSetFile, 21> kStoneSetFiles = {{
    {StonePiece::kCursor, 0, {"cursor.bmp", kCellSize, kCellSize}},
    {StonePiece::kSwapMarker, 0, {"steintausch.bmp", kCellSize, kCellSize}},
    {StonePiece::kStone, 0, {"stone1.bmp", kCellSize, kCellSize}},
    {StonePiece::kStoneMarked, 0, {"stone1marked.bmp", kCellSize, kCellSize}},
    {StonePiece::kStone, 1, {"stone2.bmp", kCellSize, kCellSize}},
    {StonePiece::kStoneMarked, 1, {"stone2marked.bmp", kCellSize, kCellSize}},
    {StonePiece::kStone, 2, {"stone3.bmp", kCellSize, kCellSize}},
    {StonePiece::kStoneMarked, 2, {"stone3marked.bmp", kCellSize, kCellSize}},
    {StonePiece::kStone, 3, {"stone4.bmp", kCellSize, kCellSize}},
    {StonePiece::kStoneMarked, 3, {"stone4marked.bmp", kCellSize, kCellSize}},
    {StonePiece::kConnector, 0, {"connector.bmp", kCellSize, kCellSize}},
    {StonePiece::kConnectorMarked, 0, {"connectormarked.bmp", kCellSize, kCellSize}},
    {StonePiece::kMultiplier, 0, {"multiplikator.bmp", kCellSize, kCellSize}},
    {StonePiece::kMultiplierMarked, 0, {"multiplikatormarked.bmp", kCellSize, kCellSize}},
    {StonePiece::kIndestructible, 0, {"unzerstoerbar.bmp", kCellSize, kCellSize}},
    {StonePiece::kStoneAnimation, 0, {"stone1ani.bmp", kSheetWidth, kSheetHeight}},
    {StonePiece::kStoneAnimation, 1, {"stone2ani.bmp", kSheetWidth, kSheetHeight}},
    {StonePiece::kStoneAnimation, 2, {"stone3ani.bmp", kSheetWidth, kSheetHeight}},
    {StonePiece::kStoneAnimation, 3, {"stone4ani.bmp", kSheetWidth, kSheetHeight}},
    {StonePiece::kConnectorAnimation, 0, {"connectorani.bmp", kSheetWidth, kSheetHeight}},
    {StonePiece::kMultiplierAnimation, 0, {"multiplikatorani.bmp", kSheetWidth, kSheetHeight}},
}};

// "Grafiksets\Winter\stone1.bmp"
std::string StoneSetPath(int set, const StoneSetFile& file);

// ---- Snake graphic sets: one folder per set, the same pieces in each.

inline constexpr const char* kSnakeSetRoot = "Snake Grafiksets\\";
inline constexpr std::array<const char*, 3> kSnakeSetFolders = {"Classic", "Dschungel",
                                                                "Steinwüste"_cp};
inline constexpr int kSnakeSetCount = static_cast<int>(kSnakeSetFolders.size());

enum class SnakePiece {
  kBody,       // straight, joining the left and the right edge
  kHead,       // moving up; the neck leaves at the bottom edge
  kHeadLeft,   // moving left; the neck leaves at the right edge
  kHeadRight,  // moving right; the neck leaves at the left edge
  kEndLeft,    // tail: body to the left, came up from below (tip at the bottom)
  kEndRight,   // tail: body to the left, came down from above (tip at the top)
  kEgg,
  kEnd,        // tail: body to the left, tip to the right
  kBodyRound,  // bend joining the left and the bottom edge
};

struct SnakeSetFile {
  SnakePiece piece;
  Picture picture;  // path below the set's folder
};

// In the order the game loads them.
inline constexpr std::array<SnakeSetFile, 9> kSnakeSetFiles = {{
    {SnakePiece::kBody, {"snakebody.bmp", kCellSize, kCellSize}},
    {SnakePiece::kHead, {"snakehead.bmp", kCellSize, kCellSize}},
    {SnakePiece::kHeadLeft, {"snakeheadleft.bmp", kCellSize, kCellSize}},
    {SnakePiece::kHeadRight, {"snakeheadright.bmp", kCellSize, kCellSize}},
    {SnakePiece::kEndLeft, {"snakeendleft.bmp", kCellSize, kCellSize}},
    {SnakePiece::kEndRight, {"snakeendright.bmp", kCellSize, kCellSize}},
    {SnakePiece::kEgg, {"egg.bmp", kCellSize, kCellSize}},
    {SnakePiece::kEnd, {"snakeend.bmp", kCellSize, kCellSize}},
    {SnakePiece::kBodyRound, {"snakebody_round.bmp", kCellSize, kCellSize}},
}};

// "Snake Grafiksets\Dschungel\egg.bmp"
std::string SnakeSetPath(int set, const SnakeSetFile& file);

// ---- Menus: each entry in two looks, plain and highlighted, top to bottom.

inline constexpr const char* kMenuFolder = "Menüs\\"_cp;

struct MenuFile {
  const char* name;  // below the menu folder, without the look's ending
  int width;
  int height;
};

inline constexpr std::array<MenuFile, 7> kMainMenu = {{{"menue01", 263, 106},
                                                       {"menue02", 493, 123},
                                                       {"menue03", 249, 88},
                                                       {"menue04", 675, 99},
                                                       {"menue05", 402, 84},
                                                       {"menue06", 353, 88},
                                                       {"menue07", 378, 107}}};
inline constexpr std::array<MenuFile, 3> kModeMenu = {
    {{"moduswahl01", 406, 80}, {"moduswahl02", 997, 87}, {"moduswahl03", 422, 80}}};
inline constexpr std::array<MenuFile, 5> kOptionsMenu = {{{"optionen01", 742, 102},
                                                          {"optionen02", 800, 112},
                                                          {"optionen03", 793, 175},
                                                          {"optionen04", 636, 112},
                                                          {"optionen05", 740, 97}}};

// "Menüs\menue01.bmp", highlighted "Menüs\menue01a.bmp"
std::string MenuPath(std::string_view name, bool highlighted);

// ---- Buttons of the match screen.

inline constexpr Picture kShuffleButton{"Buttons\\Mischen.bmp", 96, 48};
inline constexpr Picture kUndoButton{"Buttons\\Rueckgaengig.bmp", 96, 48};
inline constexpr Picture kSwapActiveButton{"Buttons\\Steintauschmodus aktiv.bmp", 96, 48};
inline constexpr Picture kSwapInactiveButton{"Buttons\\Steintauschmodus nicht aktiv.bmp", 96, 48};
inline constexpr Picture kExitButton{"Buttons\\Exit.bmp", 96, 48};

// ---- The letters of LOSE and WIN at the end of a bout, in that order.

inline constexpr std::array<Picture, 7> kResultLetters = {{{"Gameover\\l.bmp", 64, 96},
                                                           {"Gameover\\o.bmp", 64, 96},
                                                           {"Gameover\\s.bmp", 64, 96},
                                                           {"Gameover\\e.bmp", 64, 96},
                                                           {"Gameover\\w.bmp", 64, 96},
                                                           {"Gameover\\i.bmp", 64, 96},
                                                           {"Gameover\\n.bmp", 64, 96}}};

// ---- Backgrounds of the screens.

inline constexpr Picture kTitleBackground{"Hintergründe\\Titelbild.jpg"_cp, 1024, 768};
inline constexpr Picture kMenuBackground{"Hintergründe\\Menue.jpg"_cp, 1024, 768};
inline constexpr Picture kGameOverBackground{"Hintergründe\\Gameover.jpg"_cp, 1024, 768};
inline constexpr Picture kHighscoresBackground{"Hintergründe\\Highscores.jpg"_cp, 1024, 768};
inline constexpr Picture kOptionsBackground{"Hintergründe\\Optionen.jpg"_cp, 1024, 768};
inline constexpr Picture kHelpBackground{"Hintergründe\\Hilfe.jpg"_cp, 1024, 768};

// ---- Single pictures.

inline constexpr Picture kGlyphStrip{"textausgabe.bmp", 672, 16};
inline constexpr Picture kBar{"balken.jpg", 5, 768};
inline constexpr Picture kExplosionSheet{"explosion.bmp", kSheetWidth, kSheetHeight};
inline constexpr Picture kPointer{"Maus.bmp", 12, 24};
inline constexpr Picture kSaveButton{"Speichern.jpg", 256, 64};
inline constexpr Picture kControlPad{"Steuerkreuz.jpg", kCellSize, kCellSize};
inline constexpr Picture kGridLine{"Raster.jpg", 768, 1};
// The title picture as the game first draws it, before the screens' own.
inline constexpr Picture kStagingPicture{"Titelbild.bmp", 1024, 768};

// ---- Sound effects: a coloured stone, a connector and a multiplier going off.

inline constexpr const char* kColourStoneSound = "Soundeffekte\\explosion.wav";
inline constexpr const char* kConnectorSound = "Soundeffekte\\explosion2.wav";
inline constexpr const char* kMultiplierSound = "Soundeffekte\\explosion3.wav";
inline constexpr std::array<const char*, 3> kSoundEffects = {kColourStoneSound, kConnectorSound,
                                                             kMultiplierSound};

// ---- Music: the two tracks the title and the menus take turns with.

inline constexpr std::array<const char*, 2> kMusicTracks = {
    "Musik\\Tonwerk3 - Klotzbrecher3.ogg", "Musik\\Festorchester - Klotzbrecher3(Hollywood).ogg"};

// Every file above, in the order the game loads them at start-up; the music
// tracks, which it reads only when it plays them, come last.
std::vector<std::string> EveryFile();

}  // namespace kb::data_files
