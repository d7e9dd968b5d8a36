#pragma once

#include "core/random.h"
#include "rules/board.h"
#include "rules/rules_state.h"

namespace kb {

// A new level or bout: one player gets a full board with three connectors and three
// multipliers; the split board gets rows 5 to 15 of colours and three connectors.
void FillBoard(Board& board, bool twoPlayer, Chance& chance);
void FillBoard(RulesState& state, Chance& chance);

// The rules' part of a match start: board, match values, cleared explosion grids and
// the random first turn, in the order the match start draws its random values.
void StartMatch(RulesState& state, Chance& chance);

}  // namespace kb
