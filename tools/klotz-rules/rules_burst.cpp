#include "rules_burst.h"

#include "rules/bout_end.h"
#include "rules/removal_step.h"
#include "rules/shuffle.h"
#include "rules/swap_step.h"
#include "rules/turn_step.h"
#include "rules/undo.h"

namespace kb {

BurstOutcome RunRulesBurst(RulesState& state, const PlayerInput& held, Chance& chance,
                           RulesObserver& observer) {
  BurstOutcome outcome;
  PlayerInput input = held;
  if (state.match.BoutEndCountdown == -1) TurnStep(state, input, chance, observer);
  outcome.boutWinner = RemovalStep(state, input, chance, observer);
  if (outcome.boutWinner > 0) BeginBoutEnd(state, outcome.boutWinner);
  CountDownBoutEnd(state, chance);
  ShuffleKeyStep(state, input, chance, observer);
  outcome.level = CheckLevel(state, chance, observer);
  if (outcome.level == LevelEndResult::kGameOver) return outcome;
  UndoKeyStep(state, input, observer);
  SwapStep(state, held);
  return outcome;
}

}  // namespace kb
