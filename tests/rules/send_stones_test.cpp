#include <gtest/gtest.h>

#include "rules/send_stones.h"
#include "rules_support.h"

namespace kb {
namespace {

using test::BoardOf;
using test::CountCode;
using test::Rig;

TEST(SendStones, LargeGroupsSendIndestructibleStonesUnderneath) {
  struct Case {
    int32_t size, extra;
  };
  for (const Case c : {Case{4, 0}, Case{5, 1}, Case{12, 4}, Case{15, 9}}) {
    Rig rig;
    rig.state.GroupSizeA = c.size;
    ASSERT_EQ(SendStones(rig.state, kRightPlayer, rig.chance), 0);
    const Board& board = rig.state.board;
    EXPECT_EQ(CountCode(board, kIndestructible), c.extra);
    EXPECT_EQ(CountCode(board, kEmpty), 256 - c.size - c.extra);
    EXPECT_EQ(HalfHeight(board, BoardRegion::LeftHalf), c.size + c.extra);
    // Within a column no indestructible stone lies above a coloured one.
    for (int32_t column = 0; column < 8; ++column) {
      for (int32_t row = 1; row < 16; ++row) {
        ASSERT_FALSE(board.CellAt(row - 1, column) == kIndestructible &&
                     board.CellAt(row, column) != kIndestructible);
      }
    }
  }
}

TEST(SendStones, AHalfWithoutRoomLosesTheBoutAndTheLastCellsFillExactly) {
  Rig rig;
  // 120 stones in the right half: 8 + 1 do not fit into the 8 free cells.
  for (int32_t column = 8; column < 16; ++column) {
    for (int32_t row = 1; row < 16; ++row) rig.state.board.SetCell(row, column, 1);
  }
  const Board before = rig.state.board;
  rig.state.GroupSizeB = 8;
  EXPECT_EQ(SendStones(rig.state, kLeftPlayer, rig.chance), kLeftPlayer);
  EXPECT_EQ(rig.state.board, before);

  // 126 stones take a group of 2, and a full column never receives one.
  for (int32_t column = 10; column < 16; ++column) rig.state.board.SetCell(0, column, 7);
  rig.state.GroupSizeB = 2;
  EXPECT_EQ(SendStones(rig.state, kLeftPlayer, rig.chance), 0);
  EXPECT_EQ(HalfHeight(rig.state.board, BoardRegion::RightHalf), 128);
  EXPECT_NE(rig.state.board.CellAt(0, 8), kIndestructible);
  EXPECT_NE(rig.state.board.CellAt(0, 9), kIndestructible);
}

TEST(SendStones, AGapUnderStonesIsFilledWithoutLosingTheStonesAbove) {
  Rig rig;
  // Every left column but one is full; column 2 holds stones over a gap at its bottom.
  Board& board = rig.state.board;
  for (int32_t column = 0; column < 8; ++column) {
    for (int32_t row = 0; row < 16; ++row) board.SetCell(row, column, column == 2 ? kEmpty : 4);
  }
  for (int32_t row = 12; row < 15; ++row) board.SetCell(row, 2, 3);
  // The stacks alone would promise 16 cells; only 13 are free, too few for 10 + 4.
  rig.state.GroupSizeA = 10;
  EXPECT_EQ(SendStones(rig.state, kRightPlayer, rig.chance), kRightPlayer);
  rig.state.GroupSizeA = 9;
  ASSERT_EQ(SendStones(rig.state, kRightPlayer, rig.chance), 0);
  EXPECT_EQ(board.CellAt(15, 2), kIndestructible);  // the gap took the first stone
  for (int32_t row = 12; row < 15; ++row) EXPECT_EQ(board.CellAt(row, 2), 3) << row;
  EXPECT_EQ(StonesIn(board, BoardRegion::LeftHalf), 7 * 16 + 3 + 10);
  EXPECT_EQ(board.CellAt(2, 2), kEmpty);
}

TEST(SendStones, HeightsCountOnlyTheUnbrokenStackFromTheBottom) {
  Board board = BoardOf({"1...............", "................"});
  EXPECT_EQ(HalfHeight(board, BoardRegion::LeftHalf), 0);
  board.SetCell(15, 3, 2);
  EXPECT_EQ(HalfHeight(board, BoardRegion::LeftHalf), 1);
}

}  // namespace
}  // namespace kb
