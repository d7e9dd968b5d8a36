#pragma once

#include <cstdint>

#include "core/cp1252.h"
#include "core/data_files.h"

namespace kb {

// The game's own texts and sounds; German texts are Windows-1252 through _cp.

inline constexpr const char kShuffleText[] = "Die Steine werden neu durchgemischt!";
inline constexpr const char* kUndoText = "Ihr letzter Zug wurde zurückgenommen!"_cp;
inline constexpr const char kFinishSwapText[] = "Bitte beenden sie zuerst ihren Steintausch!";
inline constexpr const char kLevelClearedText[] =
    "Alle Steine entfernt! Sie bekommen 10 Prozent ihrer bisherigen Punkte als Bonus!";
inline constexpr const char kLevelBonusFormat[] = "Das sind %f Bonuspunkte!";
inline constexpr const char* kNextLevelText = "Nächster Level wurde erreicht!"_cp;
inline constexpr const char kSnakeBonusText[] = "Bonusgame: SNAKE";
inline constexpr const char kBonusPointsFormat[] = "%d Bonuspunkte";
inline constexpr const char kUltraMultiplierText[] = "ULTRA MULTIPLIKATOR!!!";
inline constexpr const char kExtraLifeText[] = "EXTRALEBEN!!!";

// Where the short messages stand, and the pauses that follow them.
inline constexpr int32_t kMessageX = 312;
inline constexpr int32_t kMessageY = 384;
inline constexpr int32_t kBonusMessageX = 482;
inline constexpr int32_t kLevelEndX = 112;
inline constexpr int32_t kLevelEndY = 364;
inline constexpr int32_t kShortPauseMs = 1000;
inline constexpr int32_t kBonusPauseMs = 2000;
inline constexpr int32_t kLevelEndPauseMs = 4000;
inline constexpr int32_t kCommitPauseMs = 100;

using data_files::kColourStoneSound;
using data_files::kConnectorSound;
using data_files::kMultiplierSound;
// Connectors and multipliers play their sound this many times at once.
inline constexpr int32_t kSpecialSoundRepeats = 15;

}  // namespace kb
