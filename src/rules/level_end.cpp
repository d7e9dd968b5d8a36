#include "rules/level_end.h"

#include <array>
#include <cstdio>

#include "core/colours.h"
#include "rules/board_fill.h"
#include "rules/messages.h"
#include "rules/saturating.h"

namespace kb {
namespace {

constexpr int32_t kLevelSwapPoints = 3;

struct BoardSurvey {
  bool adjacentPair = false;
  int32_t empty = 0;
  std::array<int32_t, 7> count{};  // cells holding codes 1 to 6
};

// KEPT: any two neighbours with the same code count, the special stones included; a
// connector beside a stone of another code is no pair.
BoardSurvey Survey(const Board& board) {
  BoardSurvey survey;
  for (int32_t row = 0; row < kBoardSize; ++row) {
    for (int32_t column = 0; column < kBoardSize; ++column) {
      const StoneCode code = board.cells[row][column];
      if (code == kEmpty) {
        ++survey.empty;
        continue;
      }
      if (code >= 1 && code <= kMultiplier) ++survey.count[code];
      if ((column + 1 < kBoardSize && board.cells[row][column + 1] == code) ||
          (row + 1 < kBoardSize && board.cells[row + 1][column] == code)) {
        survey.adjacentPair = true;
      }
    }
  }
  return survey;
}

void EndLevel(RulesState& state, Chance& chance, RulesObserver& observer) {
  MatchState& match = state.match;
  char bonusLine[96];
  std::snprintf(bonusLine, sizeof bonusLine, kLevelBonusFormat,
                static_cast<double>(match.Score) * 0.1);
  const std::array<MessageLine, 3> lines{{
      {kLevelClearedText, kLevelEndX, kLevelEndY, kWhite},
      {bonusLine, kLevelEndX, kLevelEndY + 20, kWhite},
      {kNextLevelText, kLevelEndX, kLevelEndY + 40, kWhite},
  }};
  observer.ShowMessage(lines, kLevelEndPauseMs, MessageFrame::kCurrent);

  match.Score = SaturatingTruncate(static_cast<double>(match.Score) * 1.1);
  match.Multiplier = 1;
  match.CursorX = kCursorHomeX;
  match.CursorY = kCursorHomeY;
  match.SwapPoints = SaturatingAdd(match.SwapPoints, kLevelSwapPoints);
  ClearGrid(state.effects.RemovalAnimGrid);
  ClearGrid(state.effects.RingGrid);
  ClearGrid(state.effects.RemovedCodeGrid);
  FillBoard(state, chance);
}

}  // namespace

LevelEndResult CheckLevel(RulesState& state, Chance& chance, RulesObserver& observer) {
  MatchState& match = state.match;
  const BoardSurvey survey = Survey(state.board);
  if (survey.empty == kBoardSize * kBoardSize) {
    EndLevel(state, chance, observer);
    return LevelEndResult::kLevelEnd;
  }

  bool gameOver =
      !survey.adjacentPair && match.Lives == 0 && match.SwapPoints == 0 && !SwapInProgress(match);
  if (!gameOver) {
    bool moveLeft = survey.count[kConnector] > 0 || survey.count[kMultiplier] > 0;
    for (StoneCode colour = 1; colour <= kColourCount; ++colour) {
      moveLeft = moveLeft || survey.count[colour] >= 2;
    }
    gameOver = !moveLeft;
  }
  return gameOver ? LevelEndResult::kGameOver : LevelEndResult::kGoOn;
}

}  // namespace kb
