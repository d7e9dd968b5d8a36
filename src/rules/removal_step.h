#pragma once

#include <cstdint>

#include "core/random.h"
#include "rules/player_input.h"
#include "rules/rules_observer.h"
#include "rules/rules_state.h"

namespace kb {

// One burst of commit detection and removal. Returns 0, or on the split board the
// player who has just won the bout (1 right, 2 left); the match screen runs the bout
// end. On the split board a commit passes the turn, and the computer commits when it
// has no target. Clears both mouse buttons in the input.
int32_t RemovalStep(RulesState& state, PlayerInput& input, Chance& chance, RulesObserver& observer);

// The one-player commit of the group marked last (GroupSizeA): the short pause, the
// undo snapshot, the points, the removal, the bonus triggers and the settling.
void CommitOnePlayer(RulesState& state, RulesObserver& observer);

// Explodes and empties the marked cells of the given columns, column by column and
// each from row 0: sounds, effect grids, particle clouds.
void RemoveMarkedStones(RulesState& state, int32_t firstColumn, int32_t lastColumn,
                        RulesObserver& observer);

}  // namespace kb
