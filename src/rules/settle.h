#pragma once

#include "rules/board.h"
#include "rules/rules_state.h"

namespace kb {

// Gravity and column closing after a removal, column by column from column 0. Empty
// columns close towards the right edge of their region: column 15 on the one-player
// board, columns 7 and 15 on the split board.
void SettleBoard(Board& board, bool twoPlayer);
void SettleBoard(RulesState& state);

// The same for the columns of one region alone, closing towards its right edge.
// Returns whether any stone moved.
bool SettleRegion(Board& board, BoardRegion region);

}  // namespace kb
