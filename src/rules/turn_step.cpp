#include "rules/turn_step.h"

#include "rules/buttons.h"
#include "rules/cursor.h"
#include "rules/group_finder.h"
#include "rules/shuffle.h"
#include "rules/undo.h"

namespace kb {
namespace {

// After the cursor keys have been read they rest for the next turn step: the delay is
// counted down before it is tested, so a held key repeats on every second step.
constexpr int32_t kKeyRepeatSteps = 2;
constexpr int32_t kFirstCentre = CellCentre(0);
constexpr int32_t kLastCentre = CellCentre(kBoardSize - 1);

void FollowPointer(MatchState& match, const PlayerInput& input) {
  if (input.RightButton != 1 || input.PointerX >= kBoardPixels) return;
  match.CursorX = CentreUnderPointer(input.PointerX);
  match.CursorY = CentreUnderPointer(input.PointerY);
}

void HandleButtons(RulesState& state, const PlayerInput& input, Chance& chance,
                   RulesObserver& observer) {
  if (input.LeftButton != 1) return;
  MatchState& match = state.match;
  const int32_t x = input.PointerX;
  const int32_t y = input.PointerY;
  if (kShuffleButton.Contains(x, y))
    ShuffleTrigger(state, chance, observer, MessageFrame::kCurrent);
  if (kUndoButton.Contains(x, y)) UndoLastStep(state, observer);
  // The swap button only ever switches the mode on.
  if (kSwapButton.Contains(x, y) && match.SwapModeArmed == 0) match.SwapModeArmed = 1;
  if (kExitButton.Contains(x, y)) match.QuitRequested = 1;
}

void MoveCursorByKeys(RulesState& state, const PlayerInput& input) {
  if (state.KeyDelay != 0) return;
  MatchState& match = state.match;
  if (input.Left && match.CursorX > kFirstCentre) match.CursorX -= kCellSize;
  if (input.Right && match.CursorX < kLastCentre) match.CursorX += kCellSize;
  if (input.Up && match.CursorY > kFirstCentre) match.CursorY -= kCellSize;
  if (input.Down && match.CursorY < kLastCentre) match.CursorY += kCellSize;
  state.KeyDelay = kKeyRepeatSteps;
}

void OnePlayerTurn(RulesState& state, const PlayerInput& input, Chance& chance,
                   RulesObserver& observer) {
  MatchState& match = state.match;
  FollowPointer(match, input);
  HandleButtons(state, input, chance, observer);
  MoveCursorByKeys(state, input);
  FindGroup(state, BoardRegion::Whole, CellOfCursor(match.CursorX), CellOfCursor(match.CursorY));
}

}  // namespace

void TurnStep(RulesState& state, const PlayerInput& input, Chance& chance,
              RulesObserver& observer) {
  if (state.KeyDelay > 0) --state.KeyDelay;
  ClearMarks(state.marks);
  if (IsTwoPlayer(state.match)) {
    // The split board's cursors, turns and computer opponent come with the versus
    // rules; they share the two steps above.
  } else {
    OnePlayerTurn(state, input, chance, observer);
  }
  if (state.match.SwapModeArmed == -1) state.match.SwapModeArmed = 0;
}

}  // namespace kb
