#pragma once

#include <cstdint>

#include "core/random.h"
#include "rules/rules_state.h"

namespace kb {

inline constexpr int32_t kRightPlayer = 1;  // sends into the left half
inline constexpr int32_t kLeftPlayer = 2;   // sends into the right half

// The stones of one half, counted in each column from row 15 up to its first empty cell.
int32_t HalfHeight(const Board& board, BoardRegion half);

// Every stone of a region, indestructible ones included.
int32_t StonesIn(const Board& board, BoardRegion region);

// The indestructible stones that a group of n sends along: (n / 5) squared.
int32_t ExtraStones(int32_t groupSize);

// Sends the sender's last group size (GroupSizeA for 1, GroupSizeB for 2) as stones onto
// the other half's stacks, indestructible ones first. Returns 0, or the sender's number
// when the other half has no room for them all; nothing is placed then.
int32_t SendStones(RulesState& state, int32_t sender, Chance& chance);

}  // namespace kb
