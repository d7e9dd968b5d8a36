#include "rules/board_fill.h"

#include "core/board_number.h"
#include "core/fixed_ticks.h"

namespace kb {
namespace {

constexpr int32_t kSpecialStonesPerKind = 3;
constexpr int32_t kTwoPlayerEmptyRows = 5;

StoneCode RandomColour(Chance& chance) {
  return static_cast<StoneCode>(chance.Below(4) + 1);
}

void FillOnePlayer(Board& board, Chance& chance) {
  for (int32_t column = 0; column < kBoardSize; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) board.SetCell(row, column, RandomColour(chance));
  }
  // Later placements may land on earlier ones, so there can be fewer than three.
  for (StoneCode special : {kConnector, kMultiplier}) {
    for (int32_t i = 0; i < kSpecialStonesPerKind; ++i) {
      const auto row = static_cast<int32_t>(chance.Below(kBoardSize));
      const auto column = static_cast<int32_t>(chance.Below(kBoardSize));
      board.SetCell(row, column, special);
    }
  }
}

void FillTwoPlayer(Board& board, Chance& chance) {
  for (int32_t row = 0; row < kTwoPlayerEmptyRows; ++row) board.cells[row].fill(kEmpty);
  for (int32_t column = 0; column < kBoardSize; ++column) {
    for (int32_t row = kTwoPlayerEmptyRows; row < kBoardSize; ++row) {
      board.SetCell(row, column, RandomColour(chance));
    }
  }
  // The connectors' columns are drawn from the whole board, so either half may get them.
  for (int32_t i = 0; i < kSpecialStonesPerKind; ++i) {
    const auto row =
        static_cast<int32_t>(chance.Below(kBoardSize - kTwoPlayerEmptyRows)) + kTwoPlayerEmptyRows;
    const auto column = static_cast<int32_t>(chance.Below(kBoardSize));
    board.SetCell(row, column, kConnector);
  }
}

}  // namespace

void FillBoard(Board& board, bool twoPlayer, Chance& chance) {
  if (twoPlayer) {
    FillTwoPlayer(board, chance);
  } else {
    FillOnePlayer(board, chance);
  }
}

void FillBoard(RulesState& state, Chance& chance) {
  FillBoard(state.board, IsTwoPlayer(state.match), chance);
}

void StartMatch(RulesState& state, Chance& chance) {
  MatchState& match = state.match;
  FillBoard(state, chance);
  match.Score = 0;
  match.WinsRight = 0;
  match.WinsLeft = 0;
  match.BoutEndCountdown = -1;
  match.Lives = IsTwoPlayer(match) ? 0 : 2;
  match.CursorX = match.Cursor2X = kCursorHomeX;
  match.CursorY = match.Cursor2Y = kCursorHomeY;
  match.Multiplier = 1;
  match.UltraMultiplier = 1;
  match.SwapFirst = ScreenPoint{};
  match.SwapPoints = 5;
  // MENDED: a bonus earned in a match that was left before it ran goes with it.
  match.BonusCountdown = 0;
  match.BonusLevel = 0;
  ClearGrid(state.effects.RemovalAnimGrid);
  ClearGrid(state.effects.RingGrid);
  ClearGrid(state.effects.ParticleGrid);
  match.Turn = chance.Below(2) != 0 ? 1 : 0;
}

void StartMatch(RulesState& state, Chance& chance, uint32_t boardNumber) {
  if (boardNumber == kNoBoardNumber || IsTwoPlayer(state.match)) {
    StartMatch(state, chance);
    return;
  }
  // Every draw adds the tick count, which differs from machine to machine
  // and from moment to moment: the numbered board is drawn by a generator of
  // its own on a clock that stands at 0. The game's own generator goes on
  // untouched, so the match continues as any other.
  Random numbered;
  numbered.Seed(boardNumber);
  FixedTicks still;
  Chance fromNumber(numbered, still);
  StartMatch(state, fromNumber);
}

}  // namespace kb
