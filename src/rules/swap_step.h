#pragma once

#include "rules/player_input.h"
#include "rules/rules_state.h"

namespace kb {

// One burst of the stone swap, one-player mode only. The first stone is chosen with
// NUMPAD0 or the armed swap button and costs a point at once; the second, any other
// stone, completes the exchange and starts a cooldown of 15 steps.
// The input must hold a mouse reading taken just before this step.
void SwapStep(RulesState& state, const PlayerInput& input);

}  // namespace kb
