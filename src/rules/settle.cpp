#include "rules/settle.h"

namespace kb {
namespace {

// KEPT: as the game always did, each row lets the stones above it drop at most ten
// times, not sixteen, so a run of more than ten empty cells under stones leaves a gap
// at its bottom until the next settling.
constexpr int32_t kDropRepeats = 10;

bool StoneAbove(const Board& board, int32_t column, int32_t row) {
  for (int32_t r = row - 1; r >= 0; --r) {
    if (board.cells[r][column] != kEmpty) return true;
  }
  return false;
}

bool DropColumn(Board& board, int32_t column) {
  bool moved = false;
  for (int32_t row = kBoardSize - 1; row >= 0; --row) {
    for (int32_t repeat = 0; repeat < kDropRepeats; ++repeat) {
      // Once the cell holds a stone, or nothing is left above it, the further
      // repeats would change nothing.
      if (board.cells[row][column] != kEmpty || !StoneAbove(board, column, row)) break;
      for (int32_t r = row; r > 0; --r) board.cells[r][column] = board.cells[r - 1][column];
      board.cells[0][column] = kEmpty;
      moved = true;
    }
  }
  return moved;
}

// Moves the columns left of the empty one a step to the right; only a stone among
// them makes that a change.
bool CloseColumn(Board& board, int32_t column, int32_t regionFirst) {
  bool moved = false;
  for (int32_t c = column; c > regionFirst; --c) {
    moved = moved || !ColumnIsEmpty(board, c - 1);
    for (int32_t row = 0; row < kBoardSize; ++row) board.cells[row][c] = board.cells[row][c - 1];
  }
  for (int32_t row = 0; row < kBoardSize; ++row) board.cells[row][regionFirst] = kEmpty;
  return moved;
}

}  // namespace

bool SettleRegion(Board& board, BoardRegion region) {
  const ColumnRange columns = RegionColumns(region);
  bool moved = false;
  for (int32_t column = columns.first; column <= columns.last; ++column) {
    moved = DropColumn(board, column) || moved;
    if (ColumnIsEmpty(board, column)) moved = CloseColumn(board, column, columns.first) || moved;
  }
  return moved;
}

void SettleBoard(Board& board, bool twoPlayer) {
  if (twoPlayer) {
    SettleRegion(board, BoardRegion::LeftHalf);
    SettleRegion(board, BoardRegion::RightHalf);
  } else {
    SettleRegion(board, BoardRegion::Whole);
  }
}

void SettleBoard(RulesState& state) {
  SettleBoard(state.board, IsTwoPlayer(state.match));
}

}  // namespace kb
