#include "rules/undo.h"

#include "core/colours.h"
#include "rules/messages.h"
#include "rules/notices.h"

namespace kb {

void UndoLastStep(RulesState& state, RulesObserver& observer) {
  MatchState& match = state.match;
  const UndoSnapshot& undo = match.Undo;
  bool undone = true;
  switch (undo.Kind) {
    case kUndoRemoval:
      // KEPT: nothing is undone on a full board, and a bonus the removal armed stays.
      undone = HasEmptyCell(state.board);
      if (undone) {
        state.board = undo.board;
        match.Score = undo.Score;
        match.Multiplier = undo.Multiplier;
        match.UltraMultiplier = undo.UltraMultiplier;
      }
      break;
    case kUndoShuffle:
      state.board = undo.board;
      match.Lives = undo.Lives;
      break;
    case kUndoSwapBegun:
      match.SwapFirst = ScreenPoint{};
      match.SwapPoints = match.SwapPointsBeforeUndo;
      break;
    case kUndoSwapCompleted:
      state.board = undo.board;
      match.SwapPoints = match.SwapPointsBeforeUndo;
      break;
    default:
      undone = false;
      break;
  }
  if (undone) ShowNotice(observer, kUndoText, kGreen);
  match.Undo.Kind = kUndoNothing;
}

void UndoKeyStep(RulesState& state, const PlayerInput& input, RulesObserver& observer) {
  if (!IsTwoPlayer(state.match) && input.RightCtrl) UndoLastStep(state, observer);
}

}  // namespace kb
