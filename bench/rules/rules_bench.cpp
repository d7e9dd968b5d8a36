#include <benchmark/benchmark.h>

#include <array>

#include "core/fixed_ticks.h"
#include "core/random.h"
#include "rules/board_fill.h"
#include "rules/group_finder.h"
#include "rules/settle.h"

namespace kb {
namespace {

constexpr int kBoards = 16;

std::array<Board, kBoards> FilledBoards() {
  Random random;
  FixedTicks clock;
  Chance chance(random, clock);
  std::array<Board, kBoards> boards{};
  for (Board& board : boards) FillBoard(board, false, chance);
  return boards;
}

// One search from every cell of a full board, as the turn step and the computer
// opponent run them: clear the marks, then search.
void SearchEveryCell(const Board& board, MarkGrid& marks) {
  for (int32_t column = 0; column < kBoardSize; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      ClearMarks(marks);
      benchmark::DoNotOptimize(FindGroup(board, marks, BoardRegion::Whole, column, row));
    }
  }
}

void BM_FindGroupEveryCellOfFilledBoards(benchmark::State& state) {
  const auto boards = FilledBoards();
  MarkGrid marks{};
  size_t next = 0;
  for (auto _ : state) {
    SearchEveryCell(boards[next], marks);
    next = (next + 1) % boards.size();
  }
  state.SetItemsProcessed(state.iterations() * 256);
}
BENCHMARK(BM_FindGroupEveryCellOfFilledBoards);

// The worst case: every search takes in all 256 cells.
void BM_FindGroupEveryCellOfOneColourBoard(benchmark::State& state) {
  Board board;
  FillBoardWith(board, 1);
  MarkGrid marks{};
  for (auto _ : state) SearchEveryCell(board, marks);
  state.SetItemsProcessed(state.iterations() * 256);
}
BENCHMARK(BM_FindGroupEveryCellOfOneColourBoard);

enum Removal : int64_t {
  kLargestGroup,      // the largest group of a filled board
  kBottomTwelveRows,  // a run of more than ten empty cells in every column
  kCheckerboard,      // a gap under every other stone
  kLeftHalf,          // eight empty columns to close
};

Board RemovedBoard(const Board& full, Removal removal) {
  Board board = full;
  MarkGrid marks{};
  switch (removal) {
    case kLargestGroup: {
      int32_t best = 0;
      MarkGrid bestMarks{};
      for (int32_t column = 0; column < kBoardSize; ++column) {
        for (int32_t row = 0; row < kBoardSize; ++row) {
          ClearMarks(marks);
          const int32_t size = FindGroup(full, marks, BoardRegion::Whole, column, row);
          if (size > best) {
            best = size;
            bestMarks = marks;
          }
        }
      }
      for (int32_t row = 0; row < kBoardSize; ++row) {
        for (int32_t column = 0; column < kBoardSize; ++column) {
          if (bestMarks[row][column] != 0) board.SetCell(row, column, kEmpty);
        }
      }
      break;
    }
    case kBottomTwelveRows:
      for (int32_t row = 4; row < kBoardSize; ++row) board.cells[row].fill(kEmpty);
      break;
    case kCheckerboard:
      for (int32_t row = 0; row < kBoardSize; ++row) {
        for (int32_t column = (row % 2); column < kBoardSize; column += 2) {
          board.SetCell(row, column, kEmpty);
        }
      }
      break;
    case kLeftHalf:
      for (int32_t row = 0; row < kBoardSize; ++row) {
        for (int32_t column = 0; column < kHalfWidth; ++column) board.SetCell(row, column, kEmpty);
      }
      break;
  }
  return board;
}

// Each iteration settles a fresh copy of the removed board; BM_BoardCopy is the copy alone.
void BM_SettleBoardAfterRemoval(benchmark::State& state) {
  const auto boards = FilledBoards();
  std::array<Board, kBoards> removed{};
  for (size_t i = 0; i < boards.size(); ++i) {
    removed[i] = RemovedBoard(boards[i], static_cast<Removal>(state.range(0)));
  }
  size_t next = 0;
  for (auto _ : state) {
    Board board = removed[next];
    SettleBoard(board, false);
    benchmark::DoNotOptimize(board);
    next = (next + 1) % removed.size();
  }
}
BENCHMARK(BM_SettleBoardAfterRemoval)
    ->ArgName("removal")
    ->Arg(kLargestGroup)
    ->Arg(kBottomTwelveRows)
    ->Arg(kCheckerboard)
    ->Arg(kLeftHalf);

void BM_BoardCopy(benchmark::State& state) {
  const auto boards = FilledBoards();
  size_t next = 0;
  for (auto _ : state) {
    Board board = boards[next];
    benchmark::DoNotOptimize(board);
    next = (next + 1) % boards.size();
  }
}
BENCHMARK(BM_BoardCopy);

}  // namespace
}  // namespace kb
