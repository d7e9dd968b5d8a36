#include <gtest/gtest.h>

#include <vector>

#include "core/board_number.h"
#include "rules/board_fill.h"
#include "rules/cursor.h"
#include "rules_support.h"

namespace kb {
namespace {

using test::CountCode;
using test::Rig;

// Every board and every chance comes from this generator; its first values
// for seed 1 are pinned here by number, so that a wrong constant cannot hide
// behind tests that use the same class on both sides.
TEST(Random, TheFirstValuesForSeed1AreTheClassicGenerators) {
  Random random;
  random.Seed(1);
  std::vector<int> first;
  for (int i = 0; i < 6; ++i) first.push_back(random.Next());
  EXPECT_EQ(first, (std::vector<int>{41, 18467, 6334, 26500, 19169, 15724}));
}

TEST(BoardFill, OnePlayerDrawsColumnByColumnThenRowBeforeColumn) {
  Rig rig;
  rig.ticks.ticks = 7;
  Random replay;
  replay.Seed(12345);
  auto draw = [&replay] { return static_cast<uint32_t>(replay.Next()) + 7u; };
  FillBoard(rig.state.board, false, rig.chance);

  Board expected;
  for (int32_t column = 0; column < 16; ++column) {
    for (int32_t row = 0; row < 16; ++row) expected.SetCell(row, column, draw() % 4 + 1);
  }
  for (StoneCode special : {kConnector, kMultiplier}) {
    for (int i = 0; i < 3; ++i) {
      const auto row = static_cast<int32_t>(draw() % 16);
      expected.SetCell(row, static_cast<int32_t>(draw() % 16), special);
    }
  }
  EXPECT_EQ(rig.state.board, expected);
}

// A shared board number must give the same first board whatever the clock
// and the game's generator stand at, and leave that generator as it was.
TEST(BoardNumber, NamesOneFirstBoardOnEveryMachine) {
  Rig pinned;
  pinned.random.Seed(20261211);
  FillBoard(pinned.state.board, false, pinned.chance);
  for (const uint32_t tick : {0u, 987654u}) {
    Rig rig;
    rig.ticks.ticks = tick;
    rig.random.Seed(tick + 1);
    StartMatch(rig.state, rig.chance, 20261211);
    EXPECT_EQ(rig.state.board, pinned.state.board);
    EXPECT_EQ(rig.random.State(), tick + 1);
  }
  Rig next;
  StartMatch(next.state, next.chance, 20261212);
  EXPECT_NE(next.state.board, pinned.state.board);
}

TEST(BoardNumber, ReadsOneTo2147483647OrTheDayInUtc) {
  const int64_t december11 = 1796947200;  // 2026-12-11 00:00:00 UTC
  EXPECT_EQ(ParseBoardNumber("today", december11), 20261211u);
  EXPECT_EQ(ParseBoardNumber("today", december11 + 86399), 20261211u);
  EXPECT_EQ(ParseBoardNumber("today", december11 - 1), 20261210u);
  EXPECT_EQ(ParseBoardNumber("1", 0), 1u);
  EXPECT_EQ(ParseBoardNumber("2147483647", 0), 2147483647u);
  for (const char* bad : {"", "0", "007", "2147483648", "99999999999", "-5", "12a", "heute"})
    EXPECT_EQ(ParseBoardNumber(bad, 0), std::nullopt) << bad;
  EXPECT_EQ(GameTitle(kNoBoardNumber), "Klotzbrecher 3");
  EXPECT_EQ(GameTitle(42), "Klotzbrecher 3 - Brett 42");
}

TEST(BoardFill, TwoPlayerBoardLeavesFiveRowsEmptyAndHasNoMultiplier) {
  for (uint32_t seed = 1; seed <= 100; ++seed) {
    Rig rig;
    rig.random.Seed(seed);
    FillBoard(rig.state.board, true, rig.chance);
    ASSERT_EQ(CountCode(rig.state.board, kMultiplier), 0);
    ASSERT_GE(CountCode(rig.state.board, kConnector), 1);
    for (int32_t row = 0; row < 16; ++row) {
      for (int32_t column = 0; column < 16; ++column) {
        ASSERT_EQ(rig.state.board.CellAt(row, column) == kEmpty, row < 5);
      }
    }
  }
}

TEST(Cursor, CentresMapToCellsAndThePointerNeverLeavesTheBoard) {
  EXPECT_EQ(CellOfCursor(24), 0);
  EXPECT_EQ(CellOfCursor(744), 15);
  EXPECT_EQ(CellOfCursor(792), 15);
  EXPECT_EQ(CellOfSwapPoint(792), 15);
  EXPECT_EQ(CentreUnderPointer(47), 24);
  EXPECT_EQ(CentreUnderPointer(768), 744);  // the pointer's last position, below row 15
}

}  // namespace
}  // namespace kb
