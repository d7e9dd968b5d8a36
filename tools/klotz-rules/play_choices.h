#pragma once

#include <cstdint>

#include "rules/board.h"

namespace kb {

// The simple, fixed choices by which the driver plays whole games: the same board
// always gives the same choice. Cells are searched column by column, each from row 0,
// and of equal candidates the first is taken.

struct CellPick {
  int32_t column = -1;
  int32_t row = -1;
  int32_t size = 0;  // the group's size, where a group was looked for
  bool Found() const { return column >= 0; }
};

enum class GroupChoice { kSmallest, kLargest };

// The cell of the smallest or the largest group within the region; none without any
// group. Taking the smallest first lets the others grow, and one player then clears
// boards more often.
CellPick ChooseGroup(const Board& board, BoardRegion region, GroupChoice choice);
// The region's first stone, or none on an empty region.
CellPick FirstStone(const Board& board, BoardRegion region);

struct SwapPick {
  CellPick first;
  CellPick second;
};

// Two stones of different codes whose exchange puts one of them into a group; the
// first stone is found first in the search order, then its partner.
SwapPick UsefulSwap(const Board& board);

}  // namespace kb
