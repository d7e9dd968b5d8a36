#pragma once

#include "rules/player_input.h"
#include "rules/rules_observer.h"
#include "rules/rules_state.h"

namespace kb {

// Takes back the one step the snapshot holds (a removal, a shuffle, the first stone
// of a swap or a completed swap); afterwards there is nothing more to undo. A removal
// is only taken back while the board has an empty cell. Bonuses already armed and
// explosions already started stay.
void UndoLastStep(RulesState& state, RulesObserver& observer);

// The game loop's right CTRL test, one-player mode only.
void UndoKeyStep(RulesState& state, const PlayerInput& input, RulesObserver& observer);

}  // namespace kb
