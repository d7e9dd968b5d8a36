#pragma once

#include "core/random.h"
#include "rules/rules_observer.h"
#include "rules/rules_state.h"

namespace kb {

enum class LevelEndResult { kGoOn, kLevelEnd, kGameOver };

// The check after every burst. An empty board ends the level: 10 percent bonus,
// multiplier back to 1, three more swap points and a new board. With no adjacent pair
// of equal codes and no lives, swap points or swap in progress the game is over, and
// likewise when no colour has two stones and no connector or multiplier is left; the
// match then ends at once, and the match screen offers the highscore entry.
LevelEndResult CheckLevel(RulesState& state, Chance& chance, RulesObserver& observer);

}  // namespace kb
