#pragma once

#include <cstdint>

#include "core/random.h"
#include "rules/rules_state.h"

namespace kb {

// The end of a bout of the split board. A bout won (RemovalStep named a
// winner) shows its result for 100 drawing bursts, during which no turn is
// played; then both halves are filled anew, both cursors go home and the win
// is counted.
constexpr int32_t kBoutResultBursts = 100;

// Starts the countdown for `winner` (kRightPlayer or kLeftPlayer).
void BeginBoutEnd(RulesState& state, int32_t winner);
// Whether the result of the bout just won is to be drawn in this burst.
inline bool ShowsBoutResult(const MatchState& match) {
  return match.BoutEndCountdown > 0;
}
// One burst of the countdown, after the result was drawn; at its end the next
// bout begins.
void CountDownBoutEnd(RulesState& state, Chance& chance);

}  // namespace kb
