#include "rules/bout_end.h"

#include "rules/board_fill.h"
#include "rules/cursor.h"
#include "rules/send_stones.h"

namespace kb {

void BeginBoutEnd(RulesState& state, int32_t winner) {
  state.match.BoutEndCountdown = kBoutResultBursts;
  state.match.BoutWinner = winner;
  ClearMarks(state.marks);
}

void CountDownBoutEnd(RulesState& state, Chance& chance) {
  MatchState& match = state.match;
  if (match.BoutEndCountdown > 0) --match.BoutEndCountdown;
  if (match.BoutEndCountdown != 0) return;
  match.BoutEndCountdown = -1;
  FillBoard(state, chance);
  match.CursorX = match.Cursor2X = kCursorHomeX;
  match.CursorY = match.Cursor2Y = kCursorHomeY;
  if (match.BoutWinner == kRightPlayer) ++match.WinsRight;
  if (match.BoutWinner == kLeftPlayer) ++match.WinsLeft;
}

}  // namespace kb
