#include "rules/removal_step.h"

#include "rules/cursor.h"
#include "rules/group_finder.h"
#include "rules/messages.h"
#include "rules/notices.h"
#include "rules/scoring.h"
#include "rules/settle.h"

namespace kb {
namespace {

void PlayRemovalSound(StoneCode code, RulesObserver& observer) {
  if (code < kConnector) {
    observer.PlaySound(kColourStoneSound);
    return;
  }
  if (code != kConnector && code != kMultiplier) return;
  const char* sound = code == kConnector ? kConnectorSound : kMultiplierSound;
  for (int32_t i = 0; i < kSpecialSoundRepeats; ++i) observer.PlaySound(sound);
}

void ClearButtons(PlayerInput& input, RulesObserver& observer) {
  input.LeftButton = 0;
  input.RightButton = 0;
  observer.ClearButtons();
}

int32_t OnePlayerRemoval(RulesState& state, PlayerInput& input, RulesObserver& observer) {
  MatchState& match = state.match;
  const bool boardClick = input.LeftButton == 1 && input.PointerX < kBoardPixels;
  if (boardClick) {
    ClearMarks(state.marks);
    match.CursorX = CentreUnderPointer(input.PointerX);
    match.CursorY = CentreUnderPointer(input.PointerY);
    FindGroup(state, BoardRegion::Whole, CellOfCursor(match.CursorX), CellOfCursor(match.CursorY));
  }
  // After the click above, every click on the board is on the cursor's cell.
  bool commit = input.Return || boardClick;
  if (commit && SwapInProgress(match)) {
    commit = false;
    ShowSwapWarning(observer);
  }
  ClearButtons(input, observer);
  if (commit) CommitOnePlayer(state, observer);
  return 0;
}

}  // namespace

void RemoveMarkedStones(RulesState& state, int32_t firstColumn, int32_t lastColumn,
                        RulesObserver& observer) {
  EffectGrids& effects = state.effects;
  for (int32_t column = firstColumn; column <= lastColumn; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      if (state.marks[row][column] != 1) continue;
      const StoneCode code = state.board.cells[row][column];
      PlayRemovalSound(code, observer);
      if (code == kConnector) effects.RingGrid[row][column] = 1;
      if (code == kMultiplier) effects.RingGrid[row][column] = 2;
      effects.RemovedCodeGrid[row][column] = code;
      state.board.cells[row][column] = kEmpty;
      effects.RemovalAnimGrid[row][column] = 1;
      observer.StartParticles(column, row, CellCentre(column), CellCentre(row));
    }
  }
}

void CommitOnePlayer(RulesState& state, RulesObserver& observer) {
  MatchState& match = state.match;
  observer.Pause(kCommitPauseMs);
  // A commit on no group still replaces the snapshot, with the unchanged board.
  match.Undo.Kind = kUndoRemoval;
  match.Undo.board = state.board;
  match.Undo.Score = match.Score;
  match.Undo.Multiplier = match.Multiplier;
  match.Undo.UltraMultiplier = match.UltraMultiplier;
  ScoreGroup(state);
  RemoveMarkedStones(state, 0, kBoardSize - 1, observer);
  ApplyBonusTriggers(match, state.GroupSizeA);
  SettleBoard(state);
}

int32_t RemovalStep(RulesState& state, PlayerInput& input, Chance& /*chance*/,
                    RulesObserver& observer) {
  if (IsTwoPlayer(state.match)) {
    // The split board's commits, turn passing and sending come with the versus rules;
    // the removal itself is RemoveMarkedStones per half, then SettleBoard and
    // SendStones.
    ClearButtons(input, observer);
    return 0;
  }
  return OnePlayerRemoval(state, input, observer);
}

}  // namespace kb
