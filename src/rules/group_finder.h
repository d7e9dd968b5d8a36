#pragma once

#include <cstdint>

#include "rules/board.h"
#include "rules/rules_state.h"

namespace kb {

// Marks the group of the cell (column, row) within the region and returns its size:
// 0 when the cell forms no group, otherwise at least 2. The caller clears the marks
// first; marks already standing in the region are counted with the group.
//
// Connectors join any neighbour; every stone takes in a neighbouring connector or
// multiplier; from a multiplier the group goes on only into the search colour, the
// colour of the last colour stone visited. That colour is shared by the whole search,
// so the depth-first order of the visits decides what a multiplier joins.
int32_t FindGroup(const Board& board, MarkGrid& marks, BoardRegion region, int32_t column,
                  int32_t row);

// As above, storing the size in GroupSizeA (Whole, RightHalf) or GroupSizeB (LeftHalf).
void FindGroup(RulesState& state, BoardRegion region, int32_t column, int32_t row);

}  // namespace kb
