#pragma once

#include <cstdint>

#include "core/random.h"
#include "rules/rules_state.h"

namespace kb {

// The worth of removing a group of n: the stones it sends plus five for each
// indestructible stone that goes with them.
constexpr int32_t GroupValue(int32_t size) {
  return size + 5 * (size / 5) * (size / 5);
}

// MENDED: any stored strength plays as the nearest of 0 to 19.
int32_t ClampStrength(int32_t strength);

// One turn step of the computer on the left half: with a target, the second cursor
// walks one cell towards it (columns first) and clears the target on arrival, which
// is the removal step's signal to commit; without one, a plan is made.
void ComputerStep(RulesState& state, Chance& chance, int32_t strength);

// Chooses a target cell in the left half, or leaves the target as it is when nothing
// is worth taking. The marks and GroupSizeB are clear afterwards.
void MakePlan(RulesState& state, Chance& chance, int32_t strength);

}  // namespace kb
