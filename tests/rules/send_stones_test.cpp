#include <gtest/gtest.h>

#include "rules/send_stones.h"
#include "rules_support.h"

namespace kb {
namespace {

using test::BoardOf;
using test::Rig;

int32_t CountIn(const Board& board, BoardRegion half, bool (*test)(StoneCode)) {
  int32_t count = 0;
  const ColumnRange columns = RegionColumns(half);
  for (int32_t row = 0; row < 16; ++row) {
    for (int32_t column = columns.first; column <= columns.last; ++column) {
      count += test(board.CellAt(row, column)) ? 1 : 0;
    }
  }
  return count;
}

bool IsIndestructible(StoneCode code) {
  return code == kIndestructible;
}
bool IsSent(StoneCode code) {
  return IsColour(code) || code == kConnector;
}

TEST(SendStones, LargeGroupsSendIndestructibleStonesUnderneath) {
  struct Case {
    int32_t size;
    int32_t extra;
  };
  for (const Case c : {Case{4, 0}, Case{5, 1}, Case{9, 1}, Case{12, 4}, Case{15, 9}}) {
    Rig rig;
    rig.state.GroupSizeA = c.size;
    ASSERT_EQ(SendStones(rig.state, kRightPlayer, rig.chance), 0);
    EXPECT_EQ(CountIn(rig.state.board, BoardRegion::LeftHalf, IsIndestructible), c.extra);
    EXPECT_EQ(CountIn(rig.state.board, BoardRegion::LeftHalf, IsSent), c.size);
    EXPECT_EQ(HalfHeight(rig.state.board, BoardRegion::RightHalf), 0);
    // Every column is a stack from the bottom, indestructible stones at its foot.
    for (int32_t column = 0; column < 8; ++column) {
      bool seenColour = false;
      for (int32_t row = 15; row >= 0; --row) {
        const StoneCode code = rig.state.board.CellAt(row, column);
        if (code == kEmpty) {
          for (int32_t above = row; above >= 0; --above) {
            ASSERT_EQ(rig.state.board.CellAt(above, column), kEmpty);
          }
          break;
        }
        if (code != kIndestructible) seenColour = true;
        ASSERT_FALSE(seenColour && code == kIndestructible);
      }
    }
  }
}

TEST(SendStones, AHalfWithoutRoomLosesTheBout) {
  Rig rig;
  // 120 stones in the right half: 8 + 1 do not fit into the 8 free cells.
  for (int32_t column = 8; column < 16; ++column) {
    for (int32_t row = 1; row < 16; ++row) rig.state.board.SetCell(row, column, 1);
  }
  const Board before = rig.state.board;
  rig.state.GroupSizeB = 8;
  EXPECT_EQ(SendStones(rig.state, kLeftPlayer, rig.chance), kLeftPlayer);
  EXPECT_EQ(rig.state.board, before);
}

TEST(SendStones, TheLastFreeCellsAreFilledExactly) {
  Rig rig;
  // 126 stones: columns 8 and 9 have one free cell each, the others none.
  for (int32_t column = 8; column < 16; ++column) {
    for (int32_t row = column < 10 ? 1 : 0; row < 16; ++row)
      rig.state.board.SetCell(row, column, 7);
  }
  rig.state.GroupSizeB = 2;
  EXPECT_EQ(SendStones(rig.state, kLeftPlayer, rig.chance), 0);
  EXPECT_EQ(HalfHeight(rig.state.board, BoardRegion::RightHalf), 128);
  EXPECT_TRUE(IsSent(rig.state.board.CellAt(0, 8)));
  EXPECT_TRUE(IsSent(rig.state.board.CellAt(0, 9)));
}

TEST(SendStones, HeightsCountOnlyTheUnbrokenStackFromTheBottom) {
  // A stone left hanging over a gap is not part of its column's height.
  Board board = BoardOf({"1...............", "................"});
  EXPECT_EQ(HalfHeight(board, BoardRegion::LeftHalf), 0);
  board.SetCell(15, 3, 2);
  EXPECT_EQ(HalfHeight(board, BoardRegion::LeftHalf), 1);
  EXPECT_EQ(ExtraStones(4), 0);
  EXPECT_EQ(ExtraStones(10), 4);
  EXPECT_EQ(ExtraStones(19), 9);
}

}  // namespace
}  // namespace kb
