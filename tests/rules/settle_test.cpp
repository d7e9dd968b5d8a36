#include <gtest/gtest.h>

#include "rules/settle.h"
#include "rules_support.h"

namespace kb {
namespace {

using test::BoardOf;
using test::BoardText;

TEST(Settle, StonesFallIntoGapsAndKeepTheirOrder) {
  Board board = BoardOf({
      "1..............1",
      "2..............2",
      "...............3",
      "3..............4",
  });
  SettleBoard(board, false);
  // The left column also closes up to the right column.
  EXPECT_EQ(BoardText(board), BoardText(BoardOf({
                                  "...............1",
                                  "..............12",
                                  "..............23",
                                  "..............34",
                              })));
}

TEST(Settle, ARunOfMoreThanTenEmptyCellsLeavesAGapUntilTheNextSettling) {
  Board board = BoardOf({"...............1"});
  // Stones in rows 0 to 2 above thirteen empty cells.
  for (int32_t row = 0; row < 3; ++row) board.SetCell(row, 15, 1 + row);
  board.SetCell(15, 15, kEmpty);
  SettleBoard(board, false);
  EXPECT_EQ(board.CellAt(15, 15), kEmpty);
  EXPECT_EQ(board.CellAt(12, 15), 1);
  EXPECT_EQ(board.CellAt(14, 15), 3);
  SettleBoard(board, false);
  EXPECT_EQ(board.CellAt(13, 15), 1);
  EXPECT_EQ(board.CellAt(15, 15), 3);
  // Ten empty cells are still closed in one settling.
  Board ten = BoardOf({});
  for (int32_t row = 0; row < 6; ++row) ten.SetCell(row, 15, 2);
  SettleBoard(ten, false);
  for (int32_t row = 10; row < 16; ++row) EXPECT_EQ(ten.CellAt(row, 15), 2) << row;
}

TEST(Settle, EmptyColumnsCloseTowardsTheRightEdge) {
  Board board = BoardOf({"12.3..4........5"});
  SettleBoard(board, false);
  EXPECT_EQ(BoardText(board), BoardText(BoardOf({"...........12345"})));
}

TEST(Settle, OnTheSplitBoardEachHalfClosesTowardsItsOwnRightEdge) {
  Board board = BoardOf({"1.2.....3.4....."});
  SettleBoard(board, true);
  EXPECT_EQ(BoardText(board), BoardText(BoardOf({"......12......34"})));
  // A whole column removed at the left edge of the right half leaves the left alone.
  Board edge = BoardOf({"11111111.2222222"});
  SettleBoard(edge, true);
  EXPECT_EQ(BoardText(edge), BoardText(BoardOf({"11111111.2222222"})));
}

// The computer's trials rest on this: a settling that reports no move left the half as
// it was, and then every further settling does too.
TEST(Settle, ARegionReportsWhetherAnyStoneMoved) {
  Board settled = BoardOf({"......12........", ".....312........"});
  EXPECT_FALSE(SettleRegion(settled, BoardRegion::LeftHalf));  // only empty columns shift
  Board gap = BoardOf({"...............4"});
  for (int32_t row = 0; row < 2; ++row) gap.SetCell(row, 3, 1);
  gap.SetCell(15, 15, kEmpty);
  const Board right = gap;
  EXPECT_TRUE(SettleRegion(gap, BoardRegion::LeftHalf));  // falls ten, a gap remains
  EXPECT_EQ(gap.CellAt(15, 7), kEmpty);
  EXPECT_TRUE(SettleRegion(gap, BoardRegion::LeftHalf));
  EXPECT_FALSE(SettleRegion(gap, BoardRegion::LeftHalf));
  EXPECT_EQ(gap.CellAt(15, 7), 1);
  for (int32_t row = 0; row < 16; ++row) EXPECT_EQ(gap.CellAt(row, 15), right.CellAt(row, 15));
  Board column = BoardOf({"3.1.............", "3.1............."});
  EXPECT_TRUE(SettleRegion(column, BoardRegion::LeftHalf));  // a column closes over a gap
}

}  // namespace
}  // namespace kb
