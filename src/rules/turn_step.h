#pragma once

#include "core/random.h"
#include "rules/player_input.h"
#include "rules/rules_observer.h"
#include "rules/rules_state.h"

namespace kb {

// One burst of cursor movement, button clicks and group marking. Afterwards the screen
// draws the cursor and the group panel from the state: nothing in the step follows
// that drawing except the reset of a just-completed swap, which the drawing ignores.
//
// On the split board the keys and the mouse count only for the side on turn (Turn): the
// arrows, the right button and the main cursor (CursorX counted from the right half's
// left edge) on the right; W A S D, the right button and Cursor2X on the left when two
// people play. Against the computer its step runs instead and walks Cursor2X/Y, with
// the strength read from AiStrength. Both halves' groups stand marked afterwards, sized
// in GroupSizeA (right) and GroupSizeB (left).
void TurnStep(RulesState& state, const PlayerInput& input, Chance& chance, RulesObserver& observer);

// Whether the next turn step looks at the cursor keys (the arrows and W A S D); a
// tap of one between two steps that look waits for the second.
bool TurnStepReadsCursorKeys(const RulesState& state);

}  // namespace kb
