#pragma once

#include <cstdint>

#include "core/random.h"
#include "rules/rules_state.h"

namespace kb {

// Strengths 0 to 6: 2^strength random stones of the left half, the largest group wins.
void PlanByRandomTries(RulesState& state, Chance& chance, int32_t strength);

// Strengths 7 to 19: every cell of the left half by value, weighed from strength 8 on
// against the best group the move would leave behind.
void PlanOverEveryCell(RulesState& state, int32_t strength);

}  // namespace kb
