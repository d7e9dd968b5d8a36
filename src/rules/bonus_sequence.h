#pragma once

#include "rules/match_state.h"
#include "rules/rules_observer.h"

namespace kb {

// The game loop's countdown, by the passes made since the last call (at least one):
// true when it has just come down to 1, in which case it is set to 0 and the bonus
// sequence is due.
bool AdvanceBonusCountdown(MatchState& match, int32_t passes = 1);

// The snake bonus: its points times both multipliers go to the score, then the ultra
// multiplier doubles (bonus level 1 and up) and an extra life is given (level 2).
void BonusSequence(MatchState& match, RulesObserver& observer);

}  // namespace kb
