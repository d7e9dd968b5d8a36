#pragma once

#include <array>
#include <cstdint>

#include "rules/stone_code.h"

namespace kb {

inline constexpr int32_t kBoardSize = 16;
inline constexpr int32_t kHalfWidth = 8;
inline constexpr int32_t kHalfCells = kHalfWidth * kBoardSize;
inline constexpr int32_t kCellSize = 48;
// The one-player field covers the left 768 pixels of the screen.
inline constexpr int32_t kBoardPixels = kBoardSize * kCellSize;

using BoardCells = std::array<std::array<StoneCode, kBoardSize>, kBoardSize>;

constexpr BoardCells EmptyCells() {
  BoardCells cells{};
  for (auto& row : cells) row.fill(kEmpty);
  return cells;
}

// 16 x 16 stones, addressed [row][column]; row 0 is the top, stones fall towards row 15.
// A new board is empty.
struct Board {
  BoardCells cells = EmptyCells();

  StoneCode CellAt(int32_t row, int32_t column) const { return cells[row][column]; }
  void SetCell(int32_t row, int32_t column, StoneCode code) { cells[row][column] = code; }
  bool operator==(const Board&) const = default;
};

// 1 marks a cell of the group found last, [row][column].
using MarkGrid = std::array<std::array<uint8_t, kBoardSize>, kBoardSize>;

// A 16 x 16 grid of 32-bit values per cell, [row][column].
using CellGrid = std::array<std::array<int32_t, kBoardSize>, kBoardSize>;

enum class BoardRegion : int32_t { Whole = 0, RightHalf = 1, LeftHalf = 2 };

struct ColumnRange {
  int32_t first;
  int32_t last;
};

constexpr ColumnRange RegionColumns(BoardRegion region) {
  switch (region) {
    case BoardRegion::RightHalf:
      return {kHalfWidth, kBoardSize - 1};
    case BoardRegion::LeftHalf:
      return {0, kHalfWidth - 1};
    case BoardRegion::Whole:
      break;
  }
  return {0, kBoardSize - 1};
}

constexpr bool OnBoard(int32_t column, int32_t row) {
  return column >= 0 && column < kBoardSize && row >= 0 && row < kBoardSize;
}

// The per-cell grids that the explosions are drawn from.
struct EffectGrids {
  CellGrid RemovedCodeGrid{};  // code of the stone removed from the cell
  CellGrid RemovalAnimGrid{};  // above 0 while the cell shows its removal animation
  CellGrid RingGrid{};         // 1 connector ring, 2 multiplier ring
  CellGrid ParticleGrid{};     // live particles of the cell's explosion
};

// The removal animations run 16 frames: every drawing of the board shows the
// frame after the counter, then this moves each running counter on, ending
// an animation (and its ring) after its last frame.
inline constexpr int32_t kRemovalAnimationLastFrame = 17;
void AdvanceRemovalAnimations(EffectGrids& effects);
// Whether any cell shows its removal animation.
bool RemovalAnimationsRun(const EffectGrids& effects);

void ClearMarks(MarkGrid& marks);
void ClearGrid(CellGrid& grid);
void FillBoardWith(Board& board, StoneCode code);
bool HasEmptyCell(const Board& board);
bool ColumnIsEmpty(const Board& board, int32_t column);

}  // namespace kb
