#include "rules/board.h"

namespace kb {

void AdvanceRemovalAnimations(EffectGrids& effects) {
  for (int32_t row = 0; row < kBoardSize; ++row) {
    for (int32_t column = 0; column < kBoardSize; ++column) {
      int32_t& counter = effects.RemovalAnimGrid[row][column];
      if (counter <= 0) continue;
      if (++counter < kRemovalAnimationLastFrame) continue;
      counter = 0;
      int32_t& ring = effects.RingGrid[row][column];
      if (ring == 1 || ring == 2) ring = 0;
    }
  }
}

bool RemovalAnimationsRun(const EffectGrids& effects) {
  for (const auto& row : effects.RemovalAnimGrid) {
    for (const int32_t counter : row) {
      if (counter > 0) return true;
    }
  }
  return false;
}

void ClearMarks(MarkGrid& marks) {
  for (auto& row : marks) row.fill(0);
}

void ClearGrid(CellGrid& grid) {
  for (auto& row : grid) row.fill(0);
}

void FillBoardWith(Board& board, StoneCode code) {
  for (auto& row : board.cells) row.fill(code);
}

bool HasEmptyCell(const Board& board) {
  for (const auto& row : board.cells) {
    for (StoneCode code : row) {
      if (code == kEmpty) return true;
    }
  }
  return false;
}

bool ColumnIsEmpty(const Board& board, int32_t column) {
  for (int32_t row = 0; row < kBoardSize; ++row) {
    if (board.cells[row][column] != kEmpty) return false;
  }
  return true;
}

}  // namespace kb
