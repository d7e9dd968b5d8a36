#pragma once

#include <cstdint>
#include <ctime>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "platform/file_system.h"

namespace kb::replay {

// Where the player's replays are kept, and how many: the oldest go first.
inline constexpr const char kReplayFolder[] = "Wiederholungen";
inline constexpr size_t kKeptReplays = 20;

// How a match ended: what the replay check prints beside its frames' hash.
struct MatchResult {
  int32_t score = 0;
  // The level played last, the match's first counting as 1 (for two players:
  // the bout).
  int32_t level = 1;
  uint32_t frames = 0;
  bool operator==(const MatchResult&) const = default;
};

// One match: the game's state as it began, the input's state, the journal of
// the machine's answers and how the match ended. docs/replay-format.md
// describes the file.
struct Replay {
  std::vector<uint8_t> start;
  std::vector<uint8_t> input;
  MatchResult result;
  uint32_t counterFrequency = 0;
  uint32_t entries = 0;
  std::vector<uint8_t> journal;
};

std::vector<uint8_t> EncodeReplay(const Replay& replay);
// The replay, or why these bytes are none, as a sentence for the player.
std::variant<Replay, std::string> DecodeReplay(std::span<const uint8_t> bytes);
// The largest replay file the game reads: ten hours of play.
inline constexpr size_t kMaxReplayBytes = size_t{16} << 20;

// The file name of a replay made at `when` (local time): the date and time,
// so that the list sorts as the matches were played.
std::string ReplayFileName(std::time_t when);
bool IsReplayFileName(std::string_view name);
// Writes it whole or not at all, then removes the oldest beyond the newest
// kKeptReplays; false when it could not be written.
bool KeepReplay(platform::FileSystem& files, std::span<const uint8_t> bytes, std::time_t when);

}  // namespace kb::replay
