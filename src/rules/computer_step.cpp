#include "rules/computer_step.h"

#include <algorithm>

#include "rules/computer_plan.h"
#include "rules/cursor.h"

namespace kb {
namespace {

// The strongest of the random-try plans; from here on every cell is looked at.
constexpr int32_t kLastRandomStrength = 6;

// One cell per step, so the player can follow the cursor to its target.
void WalkTowardsTarget(MatchState& match, ComputerOpponent& computer) {
  int32_t column = CellOfCursor(match.Cursor2X);
  int32_t row = CellOfCursor(match.Cursor2Y);
  if (column < computer.TargetColumn) {
    ++column;
  } else if (column > computer.TargetColumn) {
    --column;
  } else if (row < computer.TargetRow) {
    ++row;
  } else if (row > computer.TargetRow) {
    --row;
  } else {
    computer.ClearTarget();
  }
  match.Cursor2X = CellCentre(column);
  match.Cursor2Y = CellCentre(row);
}

}  // namespace

int32_t ClampStrength(int32_t strength) {
  return std::clamp(strength, kWeakestStrength, kStrongestStrength);
}

void ComputerStep(RulesState& state, Chance& chance, int32_t strength) {
  if (state.computer.HasTarget()) {
    WalkTowardsTarget(state.match, state.computer);
    return;
  }
  MakePlan(state, chance, strength);
}

void MakePlan(RulesState& state, Chance& chance, int32_t strength) {
  const int32_t s = ClampStrength(strength);
  if (s <= kLastRandomStrength) {
    PlanByRandomTries(state, chance, s);
  } else {
    PlanOverEveryCell(state, s);
  }
}

}  // namespace kb
