#include <gtest/gtest.h>

#include <algorithm>

#include "rules/computer_step.h"
#include "rules/cursor.h"
#include "rules/group_finder.h"
#include "rules/removal_step.h"
#include "rules/send_stones.h"
#include "rules/settle.h"
#include "rules/turn_step.h"
#include "rules_support.h"

namespace kb {
namespace {

using test::NoGroups;
using test::Rig;

void AgainstComputer(Rig& rig, int32_t strength) {
  rig.state.match.HumanPlayers = 1;
  rig.state.match.ComputerPlayers = 1;
  rig.state.match.Turn = kLeftOnTurn;
  rig.state.AiStrength = strength;
}

int32_t Burst(Rig& rig) {
  PlayerInput input;
  TurnStep(rig.state, input, rig.chance, rig.observer);
  return RemovalStep(rig.state, input, rig.chance, rig.observer);
}

struct Target {
  int32_t column;
  int32_t row;
  bool operator==(const Target&) const = default;
};

Target TargetOf(const RulesState& state) {
  return {state.computer.TargetColumn, state.computer.TargetRow};
}

Target PlanFor(Rig& rig, int32_t strength) {
  rig.state.computer.ClearTarget();
  MakePlan(rig.state, rig.chance, strength);
  return TargetOf(rig.state);
}

// The plan of strengths 7 and above, straight from its description: nested levels that
// each copy the whole state, settle the whole board and search every cell again.
struct ReferencePlanner {
  RulesState s;
  int32_t strength;

  int32_t BestLeft() {
    int32_t best = 0;
    for (int32_t column = 0; column < kHalfWidth; ++column) {
      for (int32_t row = 0; row < kBoardSize; ++row) {
        FindGroup(s, BoardRegion::LeftHalf, column, row);
        best = std::max(best, GroupValue(s.GroupSizeB));
        ClearMarks(s.marks);
      }
    }
    return best;
  }

  void FollowUp(int32_t column, int32_t row, int32_t level) {
    const Board board = s.board;
    const MarkGrid marks = s.marks;
    const int32_t size = s.GroupSizeB;
    for (int32_t c = 0; c < kHalfWidth; ++c) {
      for (int32_t r = 0; r < kBoardSize; ++r) {
        if (s.marks[r][c] == 0) continue;
        s.board.SetCell(r, c, kEmpty);
        s.marks[r][c] = 0;
      }
    }
    SettleBoard(s.board, true);
    const int32_t leftBehind = BestLeft();
    ComputerOpponent& ai = s.computer;
    if (ai.CandidateValue / level > ai.BestValue) {
      ai.BestValue = ai.CandidateValue / level;
      ai.TargetColumn = column;
      ai.TargetRow = row;
    }
    ai.CandidateValue += leftBehind;
    if (level < strength - 7) FollowUp(column, row, level + 1);
    s.board = board;
    s.marks = marks;
    s.GroupSizeB = size;
  }

  int32_t Exposure() const {
    int32_t exposure = 0;
    for (int32_t c = 0; c < kHalfWidth; ++c) {
      for (int32_t r = 0; r < kBoardSize; ++r) {
        if (s.marks[r][c] == 0) continue;
        const int32_t steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& step : steps) {
          const int32_t nc = c + step[0];
          const int32_t nr = r + step[1];
          if (nc >= 0 && nc < kHalfWidth && nr >= 0 && nr < kBoardSize &&
              s.board.CellAt(nr, nc) == kEmpty) {
            ++exposure;
          }
        }
      }
    }
    return exposure;
  }

  void Plan() {
    ComputerOpponent& ai = s.computer;
    ai.BestValue = 0;
    int32_t own = 0;
    for (int32_t c = 0; c < kHalfWidth; ++c) {
      for (int32_t r = 0; r < kBoardSize; ++r) own += s.board.CellAt(r, c) != kEmpty ? 1 : 0;
    }
    int32_t opponentBest = 0;
    for (int32_t c = kHalfWidth; c < kBoardSize; ++c) {
      for (int32_t r = 0; r < kBoardSize; ++r) {
        FindGroup(s, BoardRegion::RightHalf, c, r);
        opponentBest = std::max(opponentBest, s.GroupSizeA);
        ClearMarks(s.marks);
      }
    }
    const int32_t threat = GroupValue(opponentBest);
    for (int32_t c = 0; c < kHalfWidth; ++c) {
      for (int32_t r = 0; r < kBoardSize; ++r) {
        FindGroup(s, BoardRegion::LeftHalf, c, r);
        const int32_t n = s.GroupSizeB;
        ai.CandidateValue = GroupValue(n);
        if (strength >= 8 && n > 0 && threat < 128 - own) {
          FollowUp(c, r, 1);
          ai.CandidateValue /= strength - 6;
        }
        if (ai.CandidateValue > ai.BestValue) {
          const int32_t exposure = Exposure();
          const int32_t opponentHeight = HalfHeight(s.board, BoardRegion::RightHalf);
          const int32_t extra = (n / 5) * (n / 5);
          const bool passedOver = ai.TargetColumn != 1000 && exposure > 0 && exposure >= n / 2 &&
                                  n + extra <= 128 - opponentHeight && 128 - own >= threat;
          if (!passedOver) {
            ai.BestValue = ai.CandidateValue;
            ai.TargetColumn = c;
            ai.TargetRow = r;
          }
        }
        ClearMarks(s.marks);
        s.GroupSizeB = 0;
      }
    }
  }
};

// Stacks of random heights in few colours, so that groups grow large, with now and then
// a connector, an indestructible stone, a multiplier or stones floating over a gap.
// specials: percent of connectors and of multipliers, which make a group depend on the
// cell it is searched from.
Board RandomVersusBoard(Random& dice, int32_t specials = 3) {
  Board board{};
  FillBoardWith(board, kEmpty);
  const int32_t colours = 2 + dice.Next() % 3;
  for (int32_t column = 0; column < kBoardSize; ++column) {
    const int32_t height = dice.Next() % 17;
    const bool floating = dice.Next() % 8 == 0 && height <= 5;
    for (int32_t i = 0; i < height; ++i) {
      const int32_t row = floating ? i : kBoardSize - 1 - i;
      const int32_t roll = dice.Next() % 100;
      StoneCode code = static_cast<StoneCode>(1 + dice.Next() % colours);
      if (roll < specials) code = kConnector;
      if (roll >= specials && roll < specials + 3) code = kIndestructible;
      if (roll >= specials + 3 && roll < 2 * specials + 3) code = kMultiplier;
      board.SetCell(row, column, code);
    }
  }
  return board;
}

TEST(ComputerOpponent, WalksColumnsFirstAndCommitsInTheNinthStepAfterThePlan) {
  Rig rig;
  AgainstComputer(rig, 7);
  rig.state.board = NoGroups(10);
  rig.state.board.SetCell(10, 3, 3);
  rig.state.board.SetCell(11, 3, 3);
  const MatchState& match = rig.state.match;
  EXPECT_EQ(Burst(rig), 0);  // the plan
  EXPECT_EQ(TargetOf(rig.state), (Target{3, 10}));
  const Target walk[8] = {{1, 15}, {2, 15}, {3, 15}, {3, 14}, {3, 13}, {3, 12}, {3, 11}, {3, 10}};
  for (const Target& cell : walk) {
    EXPECT_EQ(Burst(rig), 0);
    EXPECT_EQ(match.Cursor2X, CellCentre(cell.column));
    EXPECT_EQ(match.Cursor2Y, CellCentre(cell.row));
    ASSERT_EQ(match.Turn, kLeftOnTurn);
  }
  EXPECT_EQ(Burst(rig), 0);
  EXPECT_EQ(match.Turn, kRightOnTurn);
  EXPECT_FALSE(rig.state.computer.HasTarget());
  EXPECT_EQ(StonesIn(rig.state.board, BoardRegion::LeftHalf), 6 * 8 - 2);
  EXPECT_EQ(StonesIn(rig.state.board, BoardRegion::RightHalf), 6 * 8 + 2);
}

TEST(ComputerOpponent, EveryCellPlanBreaksTiesByColumnThenRow) {
  Rig rig;
  Board board = NoGroups(8);
  board.SetCell(10, 1, 3);  // a vertical pair in column 1 ...
  board.SetCell(11, 1, 3);
  board.SetCell(15, 1, 4);  // ... a pair lower down in the same column ...
  board.SetCell(15, 2, 4);
  board.SetCell(8, 5, 3);  // ... and one further right
  board.SetCell(8, 6, 3);
  rig.state.board = board;
  EXPECT_EQ(PlanFor(rig, 7), (Target{1, 10}));
  EXPECT_EQ(rig.state.computer.BestValue, 2);
}

TEST(ComputerOpponent, OnceATargetStandsAnExposedGroupThatDoesNotWinIsPassedOver) {
  Rig rig;
  Board board = NoGroups(12);
  board.SetCell(14, 0, 3);  // the first group found sets a target
  board.SetCell(15, 0, 3);
  for (int32_t column = 4; column < 8; ++column) board.SetCell(12, column, 4);  // open above
  rig.state.board = board;
  EXPECT_EQ(PlanFor(rig, 7), (Target{0, 14}));

  // Into a nearly full right half the four would win the bout: then it is taken.
  for (int32_t column = 8; column < 16; ++column) {
    for (int32_t row = 0; row < 12; ++row) {
      board.SetCell(row, column, static_cast<StoneCode>((column + row) % 2 + 1));
    }
  }
  board.SetCell(0, 8, kEmpty);
  board.SetCell(0, 9, kEmpty);
  board.SetCell(0, 10, kEmpty);
  rig.state.board = board;
  EXPECT_EQ(PlanFor(rig, 7), (Target{4, 12}));
}

TEST(ComputerOpponent, RandomTriesDrawColumnThenRowAndTheFirstLargestWins) {
  Rig rig;
  rig.ticks.ticks = 7;
  Board board{};
  FillBoardWith(board, kEmpty);
  board.SetCell(9, 5, 2);  // a lone stone and a pair, floating
  board.SetCell(3, 2, 1);
  board.SetCell(4, 2, 1);
  rig.state.board = board;
  for (const int32_t strength : {0, 3}) {
    Random replay = rig.random;
    Target first{kNoTarget, kNoTarget};
    for (int32_t attempt = 0; attempt < (1 << strength); ++attempt) {
      Target cell{};
      do {
        cell.column = static_cast<int32_t>((static_cast<uint32_t>(replay.Next()) + 7) % 8);
        cell.row = static_cast<int32_t>((static_cast<uint32_t>(replay.Next()) + 7) % 16);
      } while (board.CellAt(cell.row, cell.column) == kEmpty);
      if (first.column == kNoTarget && cell.column == 2) first = cell;
    }
    EXPECT_EQ(PlanFor(rig, strength), first) << strength;
    EXPECT_EQ(rig.random.Next(), replay.Next()) << "the same number of draws";
    EXPECT_EQ(rig.state.GroupSizeB, 0);
  }
}

TEST(ComputerOpponent, WithNoGroupInReachItCommitsOnItsCursorsCellAtOnce) {
  // A lone stone at strength 0, an empty half at every random strength and at 7.
  for (const int32_t strength : {0, 3, 6, 7}) {
    Rig rig;
    AgainstComputer(rig, strength);
    if (strength == 0) rig.state.board = test::BoardOf({"3..............."});
    const Random before = rig.random;
    EXPECT_EQ(Burst(rig), 0);
    EXPECT_EQ(rig.state.match.Turn, kRightOnTurn) << strength;
    EXPECT_FALSE(rig.state.computer.HasTarget());
    if (strength != 0) {
      Random untouched = before;
      EXPECT_EQ(rig.random.Next(), untouched.Next()) << "no cell drawn in an empty half";
    }
  }
}

TEST(ComputerOpponent, StrengthsOutsideTheRangePlayAsTheNearestEnd) {
  Random dice;
  dice.Seed(5);
  for (int board = 0; board < 8; ++board) {
    Rig a;
    Rig b;
    a.state.board = b.state.board = RandomVersusBoard(dice);
    EXPECT_EQ(PlanFor(a, 19), PlanFor(b, 1000));
    EXPECT_EQ(PlanFor(a, 0), PlanFor(b, -3));
  }
}

TEST(ComputerOpponent, PlansMatchTheirPlainDescriptionAndLeaveTheBoardAlone) {
  Random dice;
  dice.Seed(2024);
  int32_t targets = 0;
  for (int board = 0; board < 32; ++board) {
    Rig rig;
    rig.state.board = RandomVersusBoard(dice, board < 16 ? 2 : 12);
    const Board before = rig.state.board;
    for (const int32_t strength : {7, 8, 9, 13, 19}) {
      ReferencePlanner reference{rig.state, strength};
      reference.s.computer.ClearTarget();
      reference.Plan();
      const Target target = PlanFor(rig, strength);
      ASSERT_EQ(target, TargetOf(reference.s)) << "board " << board << " strength " << strength;
      ASSERT_EQ(rig.state.computer.BestValue, reference.s.computer.BestValue);
      ASSERT_EQ(rig.state.computer.CandidateValue, reference.s.computer.CandidateValue);
      ASSERT_EQ(rig.state.board, before);
      ASSERT_EQ(rig.state.marks, MarkGrid{});
      targets += target.column != kNoTarget ? 1 : 0;
    }
  }
  EXPECT_GT(targets, 80);
}

}  // namespace
}  // namespace kb
