#pragma once

#include "rules/match_state.h"
#include "rules/rules_observer.h"

namespace kb {

// The game loop's countdown, by the passes made since the last call (at least one):
// true when it has just come down to 1, in which case it is set to 0 and the bonus
// sequence is due.
bool AdvanceBonusCountdown(MatchState& match, int32_t passes = 1);

// The snake bonus, in two halves around the snake game, which the match screen
// runs between them: the announcement; then the snake's points times both
// multipliers go to the score, the ultra multiplier doubles (bonus level 1 and
// up) and an extra life is given (level 2).
void AnnounceSnakeBonus(RulesObserver& observer);
void AwardSnakeBonus(MatchState& match, int32_t snakePoints, RulesObserver& observer);

}  // namespace kb
