#pragma once

#include "core/random.h"
#include "rules/player_input.h"
#include "rules/rules_observer.h"
#include "rules/rules_state.h"

namespace kb {

// One burst of cursor movement, button clicks and group marking. Afterwards the screen
// draws the cursor and the group panel from the state: nothing in the step follows
// that drawing except the reset of a just-completed swap, which the drawing ignores.
void TurnStep(RulesState& state, const PlayerInput& input, Chance& chance, RulesObserver& observer);

}  // namespace kb
