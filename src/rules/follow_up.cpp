#include "rules/follow_up.h"

#include <algorithm>

#include "rules/computer_step.h"
#include "rules/group_finder.h"
#include "rules/settle.h"

namespace kb {
namespace {

using HalfCells = std::array<std::array<StoneCode, kHalfWidth>, kBoardSize>;

constexpr int32_t kColumnsPerWord = 4;

bool HasMultiplierLeft(const Board& board) {
  for (int32_t row = 0; row < kBoardSize; ++row) {
    for (int32_t column = 0; column < kHalfWidth; ++column) {
      if (board.cells[row][column] == kMultiplier) return true;
    }
  }
  return false;
}

// The value of the largest group that a search from any cell of the left half finds.
// The scratch marks are clear between searches; a search that finds nothing marks
// nothing, so only the others need clearing. Without a multiplier the join test does
// not depend on the search colour and reads the same both ways, so a group is the same
// from each of its cells, and a cell already found in one need not be searched again.
int32_t BestValueLeft(const Board& board, MarkGrid& scratch) {
  const bool sameFromEveryCell = !HasMultiplierLeft(board);
  MarkGrid found{};
  int32_t largest = 0;
  for (int32_t column = 0; column < kHalfWidth; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      if (sameFromEveryCell && found[row][column] != 0) continue;
      const int32_t size = FindGroup(board, scratch, BoardRegion::LeftHalf, column, row);
      if (size == 0) continue;
      largest = std::max(largest, size);
      if (sameFromEveryCell) {
        for (int32_t r = 0; r < kBoardSize; ++r) {
          for (int32_t c = 0; c < kHalfWidth; ++c) found[r][c] |= scratch[r][c];
        }
      }
      ClearMarks(scratch);
    }
  }
  return GroupValue(largest);
}

}  // namespace

const FollowUpEvaluation::Trial& FollowUpEvaluation::TrialFor(RulesState& state, int32_t depth) {
  Trial key;
  for (int32_t column = 0; column < kHalfWidth; ++column) {
    uint64_t& word = column < kColumnsPerWord ? key.groupLow : key.groupHigh;
    for (int32_t row = 0; row < kBoardSize; ++row) {
      if (state.marks[row][column] == 0) continue;
      word |= uint64_t{1} << ((column % kColumnsPerWord) * kBoardSize + row);
    }
  }
  for (int32_t i = 0; i < trialCount_; ++i) {
    const Trial& known = trials_[i];
    if (known.groupLow == key.groupLow && known.groupHigh == key.groupHigh) return known;
  }

  // Played out on the board itself and then put back; only the left half is touched.
  Board& board = state.board;
  HalfCells kept{};
  for (int32_t row = 0; row < kBoardSize; ++row) {
    for (int32_t column = 0; column < kHalfWidth; ++column) {
      kept[row][column] = board.cells[row][column];
      if (state.marks[row][column] != 0) board.cells[row][column] = kEmpty;
    }
  }
  MarkGrid scratch{};
  bool moved = SettleRegion(board, BoardRegion::LeftHalf);
  int32_t leftBehind = BestValueLeft(board, scratch);
  key.leftBehind[0] = leftBehind;
  for (int32_t level = 2; level <= depth; ++level) {
    // A settling that moves nothing leaves the board as the last search saw it.
    if (moved) {
      moved = SettleRegion(board, BoardRegion::LeftHalf);
      if (moved) leftBehind = BestValueLeft(board, scratch);
    }
    key.leftBehind[level - 1] = leftBehind;
  }
  for (int32_t row = 0; row < kBoardSize; ++row) {
    for (int32_t column = 0; column < kHalfWidth; ++column) {
      board.cells[row][column] = kept[row][column];
    }
  }

  // There are never more distinct groups than cells of the half.
  Trial& stored = trials_[std::min(trialCount_, kHalfCells - 1)];
  stored = key;
  trialCount_ = std::min(trialCount_ + 1, kHalfCells);
  return stored;
}

void FollowUpEvaluation::Weigh(RulesState& state, int32_t column, int32_t row, int32_t depth) {
  depth = std::clamp(depth, 0, kMaxFollowUpDepth);
  if (depth == 0) return;
  const Trial& trial = TrialFor(state, depth);
  ComputerOpponent& computer = state.computer;
  for (int32_t level = 1; level <= depth; ++level) {
    // Each level offers its share of the sum so far; the exposure rule does not
    // apply to these offers.
    const int32_t share = computer.CandidateValue / level;
    if (share > computer.BestValue) {
      computer.BestValue = share;
      computer.TargetColumn = column;
      computer.TargetRow = row;
    }
    computer.CandidateValue += trial.leftBehind[level - 1];
  }
}

}  // namespace kb
