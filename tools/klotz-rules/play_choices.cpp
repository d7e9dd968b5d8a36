#include "play_choices.h"

#include <utility>

#include "rules/group_finder.h"

namespace kb {
namespace {

int32_t GroupSizeAt(const Board& board, BoardRegion region, int32_t column, int32_t row) {
  MarkGrid marks{};
  return FindGroup(board, marks, region, column, row);
}

}  // namespace

CellPick ChooseGroup(const Board& board, BoardRegion region, GroupChoice choice) {
  const ColumnRange columns = RegionColumns(region);
  CellPick best;
  for (int32_t column = columns.first; column <= columns.last; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      if (board.CellAt(row, column) == kEmpty) continue;
      const int32_t size = GroupSizeAt(board, region, column, row);
      if (size == 0) continue;
      const bool better =
          choice == GroupChoice::kLargest ? size > best.size : best.size == 0 || size < best.size;
      if (better) best = {column, row, size};
    }
  }
  return best;
}

CellPick FirstStone(const Board& board, BoardRegion region) {
  const ColumnRange columns = RegionColumns(region);
  for (int32_t column = columns.first; column <= columns.last; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      if (board.CellAt(row, column) != kEmpty) return {column, row, 0};
    }
  }
  return {};
}

SwapPick UsefulSwap(const Board& board) {
  for (int32_t first = 0; first < kBoardSize * kBoardSize; ++first) {
    const int32_t column = first / kBoardSize;
    const int32_t row = first % kBoardSize;
    const StoneCode code = board.CellAt(row, column);
    if (code == kEmpty) continue;
    for (int32_t second = first + 1; second < kBoardSize * kBoardSize; ++second) {
      const int32_t otherColumn = second / kBoardSize;
      const int32_t otherRow = second % kBoardSize;
      const StoneCode otherCode = board.CellAt(otherRow, otherColumn);
      if (otherCode == kEmpty || otherCode == code) continue;
      Board swapped = board;
      std::swap(swapped.cells[row][column], swapped.cells[otherRow][otherColumn]);
      if (GroupSizeAt(swapped, BoardRegion::Whole, column, row) > 0 ||
          GroupSizeAt(swapped, BoardRegion::Whole, otherColumn, otherRow) > 0) {
        return {{column, row, 0}, {otherColumn, otherRow, 0}};
      }
    }
  }
  return {};
}

}  // namespace kb
