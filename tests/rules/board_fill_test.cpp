#include <gtest/gtest.h>

#include "rules/board_fill.h"
#include "rules/cursor.h"
#include "rules_support.h"

namespace kb {
namespace {

using test::CountCode;
using test::Rig;

TEST(BoardFill, OnePlayerBoardIsFullWithAtMostThreeOfEachSpecialStone) {
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    Rig rig;
    rig.random.Seed(seed);
    FillBoard(rig.state.board, false, rig.chance);
    int32_t colours = 0;
    for (StoneCode code = 1; code <= 4; ++code) colours += CountCode(rig.state.board, code);
    const int32_t connectors = CountCode(rig.state.board, kConnector);
    const int32_t multipliers = CountCode(rig.state.board, kMultiplier);
    ASSERT_EQ(colours + connectors + multipliers, 256);
    ASSERT_GE(connectors, 0);
    ASSERT_LE(connectors, 3);
    ASSERT_GE(multipliers, 1);  // placed last, so the last one always stands
    ASSERT_LE(multipliers, 3);
  }
}

TEST(BoardFill, OnePlayerDrawsColumnByColumnThenRowBeforeColumn) {
  Rig rig;
  rig.ticks.ticks = 7;
  Random replay;
  replay.Seed(12345);
  auto draw = [&replay] { return static_cast<uint32_t>(replay.Next()) + 7u; };
  FillBoard(rig.state.board, false, rig.chance);

  Board expected{};
  for (int32_t column = 0; column < 16; ++column) {
    for (int32_t row = 0; row < 16; ++row) expected.SetCell(row, column, draw() % 4 + 1);
  }
  for (StoneCode special : {kConnector, kMultiplier}) {
    for (int i = 0; i < 3; ++i) {
      const auto row = static_cast<int32_t>(draw() % 16);
      const auto column = static_cast<int32_t>(draw() % 16);
      expected.SetCell(row, column, special);
    }
  }
  EXPECT_EQ(rig.state.board, expected);
}

TEST(BoardFill, TwoPlayerBoardLeavesFiveRowsEmptyAndHasNoMultiplier) {
  for (uint32_t seed = 1; seed <= 100; ++seed) {
    Rig rig;
    rig.random.Seed(seed);
    FillBoard(rig.state.board, true, rig.chance);
    ASSERT_EQ(CountCode(rig.state.board, kEmpty), 80);
    ASSERT_EQ(CountCode(rig.state.board, kMultiplier), 0);
    for (int32_t row = 0; row < 5; ++row) {
      for (int32_t column = 0; column < 16; ++column) {
        ASSERT_EQ(rig.state.board.CellAt(row, column), kEmpty);
      }
    }
    const int32_t connectors = CountCode(rig.state.board, kConnector);
    ASSERT_GE(connectors, 1);
    ASSERT_LE(connectors, 3);
  }
}

TEST(BoardFill, MatchStartSetsTheModesValuesAndDrawsTheTurnAfterTheBoard) {
  Rig rig;
  rig.state.match.HumanPlayers = 2;
  rig.state.match.Score = 99;
  rig.state.match.SwapFirst = {24, 24};
  rig.state.effects.RingGrid[3][3] = 2;
  rig.state.effects.RemovedCodeGrid[3][3] = 4;
  StartMatch(rig.state, rig.chance);
  EXPECT_EQ(rig.state.match.Lives, 0);
  EXPECT_EQ(rig.state.match.Score, 0);
  EXPECT_EQ(rig.state.match.SwapPoints, 5);
  EXPECT_EQ(rig.state.match.SwapFirst.x, -1);
  EXPECT_EQ(rig.state.effects.RingGrid[3][3], 0);
  EXPECT_EQ(rig.state.effects.RemovedCodeGrid[3][3], 4);  // left for the level end to clear

  Random replay;
  replay.Seed(12345);
  for (int i = 0; i < 176 + 6; ++i) replay.Next();
  EXPECT_EQ(rig.state.match.Turn, replay.Next() % 2 != 0 ? 1 : 0);

  rig.state.match.HumanPlayers = 1;
  StartMatch(rig.state, rig.chance);
  EXPECT_EQ(rig.state.match.Lives, 2);
}

TEST(Cursor, CentresMapToCellsAndThePointerNeverLeavesTheBoard) {
  EXPECT_EQ(CellOfCursor(24), 0);
  EXPECT_EQ(CellOfCursor(744), 15);
  EXPECT_EQ(CellOfCursor(792), 15);
  EXPECT_EQ(CellOfCursor(-100), 0);
  EXPECT_EQ(CellOfSwapPoint(744), 15);
  EXPECT_EQ(CentreUnderPointer(0), 24);
  EXPECT_EQ(CentreUnderPointer(47), 24);
  EXPECT_EQ(CentreUnderPointer(767), 744);
  EXPECT_EQ(CentreUnderPointer(768), 744);  // the pointer's last position, below row 15
  // The right half's local x of 24 is column 8 once the half's offset is added.
  EXPECT_EQ((24 + 24) / 48 + 7, 8);
}

}  // namespace
}  // namespace kb
