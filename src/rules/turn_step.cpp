#include "rules/turn_step.h"

#include "rules/buttons.h"
#include "rules/computer_step.h"
#include "rules/cursor.h"
#include "rules/group_finder.h"
#include "rules/shuffle.h"
#include "rules/undo.h"

namespace kb {
namespace {

// KEPT: after the cursor keys have been read they rest for the next turn step: the
// delay is counted down before it is tested, so a held key repeats on every second
// step.
constexpr int32_t kKeyRepeatSteps = 2;
constexpr int32_t kFirstCentre = CellCentre(0);
constexpr int32_t kLastCentre = CellCentre(kBoardSize - 1);
constexpr int32_t kLastHalfCentre = CellCentre(kHalfWidth - 1);
// A cursor centre taken from the pointer must lie within its half; one beyond the
// half's last column (the pointer at x 1024) is not taken.
constexpr int32_t kHalfCentreLimit = kHalfPixels + kCellSize / 2;

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
  // KEPT: the swap button only ever switches the mode on, as it always did.
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

// The right button moves the cursor of whoever is on turn, if a person; the
// computer's cursor never follows the mouse.
void FollowPointerOnSplitBoard(MatchState& match, const PlayerInput& input) {
  if (input.RightButton != 1) return;
  if (match.Turn == kRightOnTurn && input.PointerX >= kRightHalfScreenX) {
    const int32_t local = CentreOfPointerCell(input.PointerX - kRightHalfScreenX);
    if (local >= 1 && local < kHalfCentreLimit) {
      match.CursorX = local;
      match.CursorY = CentreUnderPointer(input.PointerY);
    }
  }
  if (match.Turn != kRightOnTurn && TwoHumansPlay(match)) {
    const int32_t centre = CentreOfPointerCell(input.PointerX);
    if (centre < kHalfCentreLimit) {
      match.Cursor2X = centre;
      match.Cursor2Y = CentreUnderPointer(input.PointerY);
    }
  }
}

struct CursorKeys {
  bool left, right, up, down;
};

void MoveHalfCursor(int32_t& x, int32_t& y, CursorKeys keys, int32_t& keyDelay) {
  if (keyDelay != 0) return;
  if (keys.left && x > kFirstCentre) x -= kCellSize;
  if (keys.right && x < kLastHalfCentre) x += kCellSize;
  if (keys.up && y > kFirstCentre) y -= kCellSize;
  if (keys.down && y < kLastCentre) y += kCellSize;
  keyDelay = kKeyRepeatSteps;
}

// Each side's keys and mouse act only while that side is on turn. Both halves' groups
// stand marked afterwards.
void SplitBoardTurn(RulesState& state, const PlayerInput& input, Chance& chance) {
  MatchState& match = state.match;
  const bool rightOnTurn = match.Turn == kRightOnTurn;
  FollowPointerOnSplitBoard(match, input);
  if (input.LeftButton == 1 && kTwoPlayerExitButton.Contains(input.PointerX, input.PointerY)) {
    match.QuitRequested = 1;
  }
  if (rightOnTurn) {
    MoveHalfCursor(match.CursorX, match.CursorY, {input.Left, input.Right, input.Up, input.Down},
                   state.KeyDelay);
  }
  FindGroup(state, BoardRegion::RightHalf, HalfCellOfCursor(match.CursorX) + kHalfWidth,
            CellOfCursor(match.CursorY));
  if (!rightOnTurn && TwoHumansPlay(match)) {
    MoveHalfCursor(match.Cursor2X, match.Cursor2Y, {input.A, input.D, input.W, input.S},
                   state.KeyDelay);
  }
  if (!rightOnTurn && ComputerPlays(match)) ComputerStep(state, chance, state.AiStrength);
  FindGroup(state, BoardRegion::LeftHalf, HalfCellOfCursor(match.Cursor2X),
            CellOfCursor(match.Cursor2Y));
}

}  // namespace

bool TurnStepReadsCursorKeys(const RulesState& state) {
  // The step counts the delay down before the keys test it.
  return state.KeyDelay <= 1;
}

void TurnStep(RulesState& state, const PlayerInput& input, Chance& chance,
              RulesObserver& observer) {
  if (state.KeyDelay > 0) --state.KeyDelay;
  ClearMarks(state.marks);
  if (IsTwoPlayer(state.match)) {
    SplitBoardTurn(state, input, chance);
  } else {
    OnePlayerTurn(state, input, chance, observer);
  }
  if (state.match.SwapModeArmed == -1) state.match.SwapModeArmed = 0;
}

}  // namespace kb
