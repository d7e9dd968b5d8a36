#pragma once

#include <cstdint>

#include "core/random.h"
#include "rules/level_end.h"
#include "rules/player_input.h"
#include "rules/rules_observer.h"
#include "rules/rules_state.h"

namespace kb {

// What one burst's rules ended in.
struct BurstOutcome {
  int32_t boutWinner = 0;  // the split board's player who has just won a bout, or 0
  LevelEndResult level = LevelEndResult::kGoOn;
};

// The rules of one drawing burst of a match, in the match loop's order, for input held
// through the whole burst: the turn (not while a bout's result shows), the removal, the
// bout end, the shuffle key and the level check; then, unless the game is over, the
// undo key and the stone swap. The removal step takes the mouse buttons as handled for
// the steps after it, but the swap step reads the mouse anew and sees them again.
// The snake bonus runs between bursts, not within one.
// The match screen (MatchScreen::RunDrawingBurst) runs the same steps with its
// drawing between them and updates the sparks, which draw from the same
// chance, before the shuffle key; the driver leaves the sparks out. A change
// to the order there belongs here too, and the golden records show it.
BurstOutcome RunRulesBurst(RulesState& state, const PlayerInput& held, Chance& chance,
                           RulesObserver& observer);

}  // namespace kb
