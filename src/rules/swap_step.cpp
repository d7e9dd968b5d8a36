#include "rules/swap_step.h"

#include <utility>

#include "rules/buttons.h"
#include "rules/cursor.h"

namespace kb {
namespace {

// KEPT: the step that completes a swap already counts this cooldown down once.
constexpr int32_t kSwapCooldownSteps = 15;

}  // namespace

void SwapStep(RulesState& state, const PlayerInput& input) {
  MatchState& match = state.match;
  if (IsTwoPlayer(match)) return;

  const int32_t column = CellOfSwapPoint(match.CursorX);
  const int32_t row = CellOfSwapPoint(match.CursorY);
  const bool onStone = state.board.cells[row][column] != kEmpty;
  const bool buttonClicked = match.SwapModeArmed == 1 && input.LeftButton == 1 &&
                             kSwapButton.Contains(input.PointerX, input.PointerY);

  bool completed = false;
  if ((input.Numpad0 || buttonClicked) && SwapInProgress(match)) {
    const int32_t firstColumn = CellOfSwapPoint(match.SwapFirst.x);
    const int32_t firstRow = CellOfSwapPoint(match.SwapFirst.y);
    // On the first stone itself or on an empty cell the swap just stays in progress.
    if ((column != firstColumn || row != firstRow) && onStone) {
      match.SwapModeArmed = -1;
      match.Undo.Kind = kUndoSwapCompleted;
      match.Undo.board = state.board;
      match.SwapPointsBeforeUndo = match.SwapPoints + 1;
      std::swap(state.board.cells[row][column], state.board.cells[firstRow][firstColumn]);
      match.SwapFirst = ScreenPoint{};
      match.SwapCooldown = kSwapCooldownSteps;
      completed = true;
    }
  }

  if (!completed && (input.Numpad0 || match.SwapModeArmed == 1) && !SwapInProgress(match) &&
      match.SwapCooldown == 0 && match.SwapPoints >= 1 && onStone) {
    match.SwapPointsBeforeUndo = match.SwapPoints;
    match.Undo.Kind = kUndoSwapBegun;
    match.SwapFirst = ScreenPoint{match.CursorX, match.CursorY};
    --match.SwapPoints;
  }

  if (match.SwapCooldown > 0) --match.SwapCooldown;
}

}  // namespace kb
