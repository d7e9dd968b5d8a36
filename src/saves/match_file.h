#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/file_system.h"
#include "rules/rules_state.h"

namespace kb {

// A match that the game ended without the player leaving it (the window
// closed, the program killed, the power gone), kept after every removal so
// that it can be continued at the next start.
inline constexpr const char kSavedMatchFile[] = "Spielstand.bin";

// What a match needs to go on exactly where it stood: the board and the
// match's values (scores, level, lives, swap points, multipliers, the undo
// step, the mode, the bouts), the computer's strength and memory, and the
// state of the game's generator. The explosions under way are not kept.
struct SavedMatch {
  Board board;
  MatchState match;
  ComputerOpponent computer;
  int32_t AiStrength = 0;
  uint32_t RandomState = 0;
  bool operator==(const SavedMatch&) const = default;
};

SavedMatch SaveOf(const RulesState& rules, uint32_t randomState);
// Whether two saves stand at the same point of the match's course: the same
// board, score, lives, swap points, bouts, undo step and pending bonus. The
// cursors and the countdowns move on between two removals and need no write.
bool SameCourse(const SavedMatch& a, const SavedMatch& b);
// Puts a saved match in place of the rules' state; what only a running
// explosion or marking holds starts empty.
void RestoreInto(const SavedMatch& saved, RulesState& rules);

// The file: "KB3M", its version, the values, the two boards and a checksum;
// docs/saved-match.md describes it. Bytes of another version, of another
// length, with a wrong checksum or with a value the game could not play on
// are none.
inline constexpr size_t kSavedMatchBytes = 660;
std::vector<uint8_t> EncodeSavedMatch(const SavedMatch& saved);
std::optional<SavedMatch> DecodeSavedMatch(std::span<const uint8_t> bytes);

// Whole or not at all; false when it could not be written.
bool WriteSavedMatch(platform::FileSystem& files, const SavedMatch& saved);
// The kept match, if there is one the game can play on; a damaged or foreign
// file is removed, with a line on standard error.
std::optional<SavedMatch> ReadSavedMatch(platform::FileSystem& files);
// The match has ended by its own course, or the player chose not to go on.
void DropSavedMatch(platform::FileSystem& files);

}  // namespace kb
