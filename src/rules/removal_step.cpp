#include "rules/removal_step.h"

#include "rules/cursor.h"
#include "rules/group_finder.h"
#include "rules/messages.h"
#include "rules/notices.h"
#include "rules/scoring.h"
#include "rules/send_stones.h"
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

// The player whose commit this step takes, or 0. A click on the board of the player on
// turn moves that player's cursor to the clicked cell first and so always commits.
int32_t SplitBoardCommit(RulesState& state, const PlayerInput& input) {
  MatchState& match = state.match;
  const bool click = input.LeftButton == 1;
  if (match.Turn == kRightOnTurn) {
    const bool boardClick = click && input.PointerX >= kRightHalfScreenX;
    if (boardClick) {
      match.CursorX = RightHalfCentreUnderPointer(input.PointerX);
      match.CursorY = CentreUnderPointer(input.PointerY);
      ClearMarks(state.marks);
      FindGroup(state, BoardRegion::RightHalf, HalfCellOfCursor(match.CursorX) + kHalfWidth,
                CellOfCursor(match.CursorY));
    }
    return input.Return || boardClick ? kRightPlayer : 0;
  }
  if (ComputerPlays(match)) return state.computer.HasTarget() ? 0 : kLeftPlayer;
  const bool boardClick = click && input.PointerX < kHalfPixels;
  if (boardClick) {
    match.Cursor2X = CentreUnderPointer(input.PointerX);
    match.Cursor2Y = CentreUnderPointer(input.PointerY);
    ClearMarks(state.marks);
    FindGroup(state, BoardRegion::LeftHalf, HalfCellOfCursor(match.Cursor2X),
              CellOfCursor(match.Cursor2Y));
  }
  return input.LeftCtrl || boardClick ? kLeftPlayer : 0;
}

// No pause and no points on the split board: the turn passes, the sender's half loses
// its group and the other half gets the stones, unless a bout is already ending.
int32_t SplitBoardRemoval(RulesState& state, PlayerInput& input, Chance& chance,
                          RulesObserver& observer) {
  MatchState& match = state.match;
  const int32_t sender = SplitBoardCommit(state, input);
  ClearButtons(input, observer);
  if (sender == 0) return 0;
  // KEPT: every commit passes the turn, one on no group included; during the bout-end
  // display it still removes its group but sends nothing.
  match.Turn = sender == kRightPlayer ? kLeftOnTurn : kRightOnTurn;
  const ColumnRange half =
      RegionColumns(sender == kRightPlayer ? BoardRegion::RightHalf : BoardRegion::LeftHalf);
  RemoveMarkedStones(state, half.first, half.last, observer);
  SettleBoard(state);
  if (match.BoutEndCountdown != -1) return 0;
  return SendStones(state, sender, chance);
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
  // KEPT: a commit on no group still pauses and replaces the snapshot, with the
  // unchanged board.
  observer.Pause(kCommitPauseMs);
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

int32_t RemovalStep(RulesState& state, PlayerInput& input, Chance& chance,
                    RulesObserver& observer) {
  if (IsTwoPlayer(state.match)) return SplitBoardRemoval(state, input, chance, observer);
  return OnePlayerRemoval(state, input, observer);
}

}  // namespace kb
