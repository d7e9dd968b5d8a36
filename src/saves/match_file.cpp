#include "saves/match_file.h"

#include <array>
#include <cstring>

#include "core/checksum.h"
#include "core/cp1252.h"
#include "core/little_endian.h"
#include "core/report.h"
#include "rules/cursor.h"

namespace kb {
namespace {

constexpr std::array<uint8_t, 4> kMagic = {'K', 'B', '3', 'M'};
constexpr uint32_t kVersion = 1;
// ForEachValue's 32, whose turn and the generator's state.
constexpr size_t kValueCount = 32 + 2;
constexpr size_t kCells = static_cast<size_t>(kBoardSize) * kBoardSize;
// Magic, version, the values, two boards of one byte a cell, the checksum. A
// value added to ForEachValue alone makes every file written of another
// length, which the round trip of the tests catches.
constexpr size_t kFileBytes = 4 + 4 + 4 * kValueCount + 2 * kCells + 4;
static_assert(kFileBytes == kSavedMatchBytes);
// No match file comes near this; a larger one is not ours.
constexpr size_t kReadLimit = 4096;
// The byte of an empty cell; every other cell holds its stone code.
constexpr uint8_t kEmptyByte = 0;

// The values in the file's order; Encode writes them and Decode reads them
// back through the same list, so the two cannot drift apart.
template <typename Visit>
void ForEachValue(SavedMatch& s, Visit visit) {
  auto& m = s.match;
  for (auto* v : {&m.Cursor2X,
                  &m.Cursor2Y,
                  &m.CursorX,
                  &m.CursorY,
                  &m.HumanPlayers,
                  &m.ComputerPlayers,
                  &m.BoutWinner,
                  &m.BoutEndCountdown,
                  &m.WinsRight,
                  &m.WinsLeft,
                  &m.SwapPoints,
                  &m.SwapPointsBeforeUndo,
                  &m.SwapModeArmed,
                  &m.Score,
                  &m.Lives,
                  &m.SwapFirst.x,
                  &m.SwapFirst.y,
                  &m.SwapCooldown,
                  &m.Multiplier,
                  &m.UltraMultiplier,
                  &m.BonusCountdown,
                  &m.BonusLevel,
                  &m.Undo.Kind,
                  &m.Undo.Score,
                  &m.Undo.Multiplier,
                  &m.Undo.UltraMultiplier,
                  &m.Undo.Lives,
                  &s.computer.TargetColumn,
                  &s.computer.TargetRow,
                  &s.computer.CandidateValue,
                  &s.computer.BestValue,
                  &s.AiStrength}) {
    visit(*v);
  }
}

bool IsStone(StoneCode code) {
  return code == kEmpty || (code >= 1 && code <= kIndestructible);
}
bool IsCentre(int32_t centre) {
  return centre >= CellCentre(0) && centre <= CellCentre(kBoardSize - 1) &&
         (centre - CellCentre(0)) % kCellSize == 0;
}
bool IsTargetOrNone(int32_t value, int32_t cells) {
  return value == kNoTarget || (value >= 0 && value < cells);
}

// What the game indexes or divides by: a file that breaks any of these could
// not be played on and is refused.
bool Playable(const SavedMatch& s) {
  const MatchState& m = s.match;
  const bool mode = (m.HumanPlayers == 1 && (m.ComputerPlayers == 0 || m.ComputerPlayers == 1)) ||
                    (m.HumanPlayers == 2 && m.ComputerPlayers == 0);
  const bool cursors =
      IsCentre(m.CursorX) && IsCentre(m.CursorY) && IsCentre(m.Cursor2X) && IsCentre(m.Cursor2Y);
  const bool swap = (m.SwapFirst.x == -1 && m.SwapFirst.y == -1) ||
                    (IsCentre(m.SwapFirst.x) && IsCentre(m.SwapFirst.y));
  const bool counts = m.Turn <= 1 && m.BoutWinner >= 0 && m.BoutWinner <= 2 &&
                      m.BoutEndCountdown >= -1 && m.BoutEndCountdown <= 100 &&
                      m.Undo.Kind >= kUndoNothing && m.Undo.Kind <= kUndoSwapCompleted &&
                      m.BonusCountdown >= 0 && m.BonusLevel >= 0 && m.BonusLevel <= 2 &&
                      m.SwapModeArmed >= -1 && m.SwapModeArmed <= 1 && m.Multiplier >= 1 &&
                      m.UltraMultiplier >= 1 && m.Score >= 0 && m.Lives >= 0 && m.SwapPoints >= 0;
  const bool computer = IsTargetOrNone(s.computer.TargetColumn, kHalfWidth) &&
                        IsTargetOrNone(s.computer.TargetRow, kBoardSize);
  return mode && cursors && swap && counts && computer;
}

void PutBoard(std::vector<uint8_t>& out, const Board& board) {
  for (const auto& row : board.cells) {
    for (const StoneCode code : row)
      out.push_back(code == kEmpty ? kEmptyByte : static_cast<uint8_t>(code));
  }
}

bool GetBoard(const uint8_t*& in, Board& board) {
  for (auto& row : board.cells) {
    for (StoneCode& code : row) {
      code = *in == kEmptyByte ? kEmpty : *in;
      ++in;
      if (!IsStone(code)) return false;
    }
  }
  return true;
}

}  // namespace

SavedMatch SaveOf(const RulesState& rules, uint32_t randomState) {
  SavedMatch saved;
  saved.board = rules.board;
  saved.match = rules.match;
  saved.match.QuitRequested = 0;
  saved.computer = rules.computer;
  saved.AiStrength = rules.AiStrength;
  saved.RandomState = randomState;
  return saved;
}

bool SameCourse(const SavedMatch& a, const SavedMatch& b) {
  const MatchState& x = a.match;
  const MatchState& y = b.match;
  return a.board == b.board && x.Score == y.Score && x.Lives == y.Lives &&
         x.SwapPoints == y.SwapPoints && x.WinsRight == y.WinsRight && x.WinsLeft == y.WinsLeft &&
         x.Undo.Kind == y.Undo.Kind && x.Multiplier == y.Multiplier &&
         (x.BonusCountdown > 0) == (y.BonusCountdown > 0);
}

void RestoreInto(const SavedMatch& saved, RulesState& rules) {
  rules = RulesState{};
  rules.board = saved.board;
  rules.match = saved.match;
  rules.computer = saved.computer;
  rules.AiStrength = saved.AiStrength;
}

std::vector<uint8_t> EncodeSavedMatch(const SavedMatch& saved) {
  std::vector<uint8_t> out(kMagic.begin(), kMagic.end());
  PutU32(out, kVersion);
  SavedMatch copy = saved;
  int32_t turn = copy.match.Turn;
  ForEachValue(copy, [&out](int32_t& v) { PutU32(out, static_cast<uint32_t>(v)); });
  PutU32(out, static_cast<uint32_t>(turn));
  PutU32(out, copy.RandomState);
  PutBoard(out, saved.board);
  PutBoard(out, saved.match.Undo.board);
  PutU32(out, Fnv1a32(out));
  return out;
}

std::optional<SavedMatch> DecodeSavedMatch(std::span<const uint8_t> bytes) {
  if (bytes.size() != kFileBytes || std::memcmp(bytes.data(), kMagic.data(), kMagic.size()) != 0 ||
      GetU32(bytes.data() + 4) != kVersion ||
      (kChecksumsMatter &&
       GetU32(bytes.data() + kFileBytes - 4) != Fnv1a32(bytes.first(kFileBytes - 4)))) {
    return std::nullopt;
  }
  SavedMatch saved;
  const uint8_t* in = bytes.data() + 8;
  ForEachValue(saved, [&in](int32_t& v) {
    v = static_cast<int32_t>(GetU32(in));
    in += 4;
  });
  const uint32_t turn = GetU32(in);
  saved.RandomState = GetU32(in + 4);
  in += 8;
  if (turn > 1) return std::nullopt;
  saved.match.Turn = static_cast<uint8_t>(turn);
  if (!GetBoard(in, saved.board) || !GetBoard(in, saved.match.Undo.board) || !Playable(saved))
    return std::nullopt;
  return saved;
}

bool WriteSavedMatch(platform::FileSystem& files, const SavedMatch& saved) {
  return files.WriteFile(kSavedMatchFile, EncodeSavedMatch(saved));
}

std::optional<SavedMatch> ReadSavedMatch(platform::FileSystem& files) {
  std::vector<uint8_t> bytes;
  const platform::ReadResult result = files.ReadFile(kSavedMatchFile, bytes, kReadLimit);
  if (result == platform::ReadResult::kMissing) return std::nullopt;
  std::optional<SavedMatch> saved;
  if (result == platform::ReadResult::kRead) saved = DecodeSavedMatch(bytes);
  if (!saved) {
    ReportProblem("Das unterbrochene Spiel ist beschädigt oder fremd und wird verworfen."_cp);
    DropSavedMatch(files);
  }
  return saved;
}

void DropSavedMatch(platform::FileSystem& files) {
  files.RemoveFile(kSavedMatchFile);
}

}  // namespace kb
