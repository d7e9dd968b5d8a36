#include "rules/group_finder.h"

namespace kb {
namespace {

enum class Step : uint8_t { kRight, kLeft, kDown, kUp };

// Plain recursion, at most one frame per cell of the region; nothing is allocated.
class GroupSearch {
 public:
  GroupSearch(const Board& board, MarkGrid& marks, ColumnRange columns, StoneCode colour)
      : board_(board), marks_(marks), columns_(columns), searchColour_(colour) {}

  void TestNeighbour(int32_t column, int32_t row, Step step) {
    int32_t toColumn = column;
    int32_t toRow = row;
    switch (step) {
      case Step::kRight:
        ++toColumn;
        break;
      case Step::kLeft:
        --toColumn;
        break;
      case Step::kDown:
        ++toRow;
        break;
      case Step::kUp:
        --toRow;
        break;
    }
    if (Joins(board_.cells[row][column], toColumn, toRow)) Visit(toColumn, toRow, step);
  }

 private:
  bool Joins(StoneCode from, int32_t column, int32_t row) const {
    if (column < columns_.first || column > columns_.last || row < 0 || row >= kBoardSize) {
      return false;
    }
    if (marks_[row][column] != 0) return false;
    const StoneCode to = board_.cells[row][column];
    if (!CanJoinGroup(to)) return false;
    return to == from || (from == kMultiplier && to == searchColour_) || from == kConnector ||
           to == kConnector || to == kMultiplier;
  }

  // A cell is never tested in the direction it was reached from.
  void Visit(int32_t column, int32_t row, Step arrivedBy) {
    marks_[row][column] = 1;
    const StoneCode code = board_.cells[row][column];
    // KEPT: one search colour for the whole search, the last colour passed, so the
    // order of the search decides which stones a multiplier joins.
    if (IsColour(code)) searchColour_ = code;
    switch (arrivedBy) {
      case Step::kRight:
        TestNeighbour(column, row, Step::kRight);
        TestNeighbour(column, row, Step::kDown);
        TestNeighbour(column, row, Step::kUp);
        break;
      case Step::kLeft:
        TestNeighbour(column, row, Step::kLeft);
        TestNeighbour(column, row, Step::kDown);
        TestNeighbour(column, row, Step::kUp);
        break;
      case Step::kDown:
        TestNeighbour(column, row, Step::kRight);
        TestNeighbour(column, row, Step::kLeft);
        TestNeighbour(column, row, Step::kDown);
        break;
      case Step::kUp:
        TestNeighbour(column, row, Step::kRight);
        TestNeighbour(column, row, Step::kLeft);
        TestNeighbour(column, row, Step::kUp);
        break;
    }
  }

  const Board& board_;
  MarkGrid& marks_;
  ColumnRange columns_;
  StoneCode searchColour_;
};

}  // namespace

int32_t FindGroup(const Board& board, MarkGrid& marks, BoardRegion region, int32_t column,
                  int32_t row) {
  const ColumnRange columns = RegionColumns(region);
  // A start outside the region finds nothing, so no group ever crosses the halves.
  if (column < columns.first || column > columns.last || row < 0 || row >= kBoardSize) return 0;
  const StoneCode start = board.cells[row][column];
  if (!CanJoinGroup(start)) return 0;

  // KEPT: started on a multiplier the search colour is unset, so no colour stone
  // beside it joins.
  GroupSearch search(board, marks, columns, IsColour(start) ? start : 0);
  // The start cell stays unmarked here, so a chain may come back to it like any cell.
  search.TestNeighbour(column, row, Step::kRight);
  search.TestNeighbour(column, row, Step::kLeft);
  search.TestNeighbour(column, row, Step::kDown);
  search.TestNeighbour(column, row, Step::kUp);

  int32_t size = 0;
  for (int32_t r = 0; r < kBoardSize; ++r) {
    for (int32_t c = columns.first; c <= columns.last; ++c) size += marks[r][c] != 0 ? 1 : 0;
  }
  if (size > 0 && marks[row][column] == 0) {
    marks[row][column] = 1;
    ++size;
  }
  return size;
}

void FindGroup(RulesState& state, BoardRegion region, int32_t column, int32_t row) {
  int32_t& counter = region == BoardRegion::LeftHalf ? state.GroupSizeB : state.GroupSizeA;
  counter = 0;
  counter = FindGroup(state.board, state.marks, region, column, row);
}

}  // namespace kb
