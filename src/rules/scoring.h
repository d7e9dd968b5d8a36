#pragma once

#include <cstdint>

#include "rules/match_state.h"
#include "rules/rules_state.h"

namespace kb {

// n x n x Multiplier x UltraMultiplier, held at the largest 32-bit value. The group
// panel shows the same product.
int32_t GroupPoints(int32_t size, int32_t multiplier, int32_t ultraMultiplier);

// Adds the points of the marked group of GroupSizeA stones, then raises the
// multiplier by the group's size for every multiplier stone in it: the group itself
// still counts with the old multiplier.
void ScoreGroup(RulesState& state);

// A single group of 50 or more arms the snake bonus, 60 also the ultra multiplier, 70
// also an extra life.
void ApplyBonusTriggers(MatchState& match, int32_t groupSize);

}  // namespace kb
