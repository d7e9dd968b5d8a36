#pragma once

#include "core/random.h"
#include "rules/player_input.h"
#include "rules/rules_observer.h"
#include "rules/rules_state.h"

namespace kb {

// Spends a life to deal the stones anew over the cells that held stones: every code
// keeps its count and the empty cells keep their places. Does nothing without a life.
void Shuffle(RulesState& state, Chance& chance, RulesObserver& observer);

// The shuffle button or key: refused with the swap warning while a swap is in progress.
void ShuffleTrigger(RulesState& state, Chance& chance, RulesObserver& observer,
                    MessageFrame warningFrame);

// The game loop's SPACE test, in every burst while the key is held. Its warning is
// drawn into a frame of its own.
void ShuffleKeyStep(RulesState& state, const PlayerInput& input, Chance& chance,
                    RulesObserver& observer);

}  // namespace kb
