#pragma once

#include <cstdint>

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
// The same with a board number other than kNoBoardNumber: a one-player match
// then starts on that number's board, drawn from the number alone.
void StartMatch(RulesState& state, Chance& chance, uint32_t boardNumber);

}  // namespace kb
