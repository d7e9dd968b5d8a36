#include "rules/shuffle.h"

#include "core/colours.h"
#include "rules/messages.h"
#include "rules/notices.h"

namespace kb {
namespace {

// MENDED: the generator reaches every cell long before this many draws; the bound
// only keeps a broken random source from hanging the game.
constexpr int32_t kMaxTargetDraws = 1 << 20;

struct Target {
  int32_t column;
  int32_t row;
};

Target DrawTarget(Chance& chance) {
  const auto column = static_cast<int32_t>(chance.Below(kBoardSize));
  const auto row = static_cast<int32_t>(chance.Below(kBoardSize));
  return {column, row};
}

Target FirstFreeCell(const CellGrid& grid) {
  for (int32_t column = 0; column < kBoardSize; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      if (grid[row][column] == 0) return {column, row};
    }
  }
  return {0, 0};
}

}  // namespace

void Shuffle(RulesState& state, Chance& chance, RulesObserver& observer) {
  MatchState& match = state.match;
  if (match.Lives < 1) return;
  match.Undo.Kind = kUndoShuffle;
  match.Undo.board = state.board;
  match.Undo.Lives = match.Lives;
  ShowNotice(observer, kShuffleText, kWhite);
  --match.Lives;

  CellGrid& grid = state.ShuffleGrid;
  for (int32_t row = 0; row < kBoardSize; ++row) {
    for (int32_t column = 0; column < kBoardSize; ++column) {
      if (state.board.cells[row][column] == kEmpty) grid[row][column] = kEmpty;
    }
  }
  Target target = DrawTarget(chance);
  for (int32_t column = 0; column < kBoardSize; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      const StoneCode code = state.board.cells[row][column];
      if (code == kEmpty) continue;
      int32_t draws = 0;
      while (grid[target.row][target.column] != 0) {
        target = ++draws < kMaxTargetDraws ? DrawTarget(chance) : FirstFreeCell(grid);
      }
      grid[target.row][target.column] = code;
      target = DrawTarget(chance);
    }
  }
  state.board.cells = grid;
  ClearGrid(grid);
}

void ShuffleTrigger(RulesState& state, Chance& chance, RulesObserver& observer,
                    MessageFrame warningFrame) {
  if (SwapInProgress(state.match)) {
    ShowSwapWarning(observer, warningFrame);
    return;
  }
  Shuffle(state, chance, observer);
}

void ShuffleKeyStep(RulesState& state, const PlayerInput& input, Chance& chance,
                    RulesObserver& observer) {
  if (input.Space) ShuffleTrigger(state, chance, observer, MessageFrame::kFresh);
}

}  // namespace kb
