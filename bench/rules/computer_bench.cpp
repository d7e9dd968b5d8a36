#include <benchmark/benchmark.h>

#include <array>

#include "core/fixed_ticks.h"
#include "core/random.h"
#include "rules/board_fill.h"
#include "rules/computer_step.h"

namespace kb {
namespace {

constexpr int kBoards = 16;

enum Position : int64_t {
  kFreshBout,          // a new bout: rows 5 to 15 of both halves
  kFullBoard,          // all 256 cells, in random colours, three connectors
  kOneColourLeft,      // one group of 128 in the computer's half
  kBigGroupOverPairs,  // every pair taken leaves a group of 120 behind
  // The weighing at its dearest: a left half of 120 stones, 21 pairs beside a group of
  // 75, facing a right half without a group, so every candidate is weighed.
  kPairsBesideBigGroup,
};

Board MakeBoard(Position position, Chance& chance) {
  Board board{};
  FillBoard(board, true, chance);
  if (position == kFullBoard) {
    for (int32_t column = 0; column < kBoardSize; ++column) {
      for (int32_t row = 0; row < kBoardSize; ++row) {
        if (board.CellAt(row, column) == kEmpty) {
          board.SetCell(row, column, static_cast<StoneCode>(chance.Below(4) + 1));
        }
      }
    }
  }
  if (position == kOneColourLeft || position == kBigGroupOverPairs) {
    for (int32_t column = 0; column < kHalfWidth; ++column) {
      for (int32_t row = 0; row < kBoardSize; ++row) board.SetCell(row, column, 1);
    }
  }
  if (position == kBigGroupOverPairs) {
    for (int32_t column = 0; column < kHalfWidth; ++column) {
      board.SetCell(15, column, static_cast<StoneCode>(2 + (column / 2) % 2));
    }
  }
  if (position == kPairsBesideBigGroup) {
    for (int32_t column = 0; column < kBoardSize; ++column) {
      for (int32_t row = 0; row < kBoardSize; ++row) {
        StoneCode code = static_cast<StoneCode>((column + row) % 2 + 1);
        if (column < 5) code = 1;
        if (column >= 5 && column < kHalfWidth) code = 2 + (row / 2 + column) % 3;
        board.SetCell(row, column, row == 0 && column < kHalfWidth ? kEmpty : code);
      }
    }
  }
  return board;
}

// One plan per iteration, the computer's whole share of one 100 ms update, on seeded
// boards in turn.
void BM_ComputerPlan(benchmark::State& state) {
  const auto strength = static_cast<int32_t>(state.range(0));
  const auto position = static_cast<Position>(state.range(1));
  Random random;
  FixedTicks clock;
  Chance chance(random, clock);
  std::array<RulesState, kBoards> states{};
  for (RulesState& rules : states) {
    rules.match.HumanPlayers = 1;
    rules.match.ComputerPlayers = 1;
    rules.board = MakeBoard(position, chance);
  }
  size_t next = 0;
  for (auto _ : state) {
    RulesState& rules = states[next];
    rules.computer.ClearTarget();
    MakePlan(rules, chance, strength);
    benchmark::DoNotOptimize(rules.computer);
    next = (next + 1) % states.size();
  }
}
BENCHMARK(BM_ComputerPlan)
    ->ArgNames({"strength", "board"})
    ->ArgsProduct({{0, 7, 12, 19},
                   {kFreshBout, kFullBoard, kOneColourLeft, kBigGroupOverPairs,
                    kPairsBesideBigGroup}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kb
