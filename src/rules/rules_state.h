#pragma once

#include <cstdint>

#include "rules/board.h"
#include "rules/computer_opponent.h"
#include "rules/match_state.h"

namespace kb {

// Everything the rules read and write during a match; the game owns one for the run.
struct RulesState {
  Board board{};
  MarkGrid marks{};
  MatchState match;
  EffectGrids effects;
  CellGrid ShuffleGrid{};  // scratch of the shuffle, all 0 between shuffles
  int32_t KeyDelay = 0;    // turn steps until the cursor keys are read again
  int32_t GroupSizeA = 0;  // last group found in Whole or RightHalf
  int32_t GroupSizeB = 0;  // last group found in LeftHalf
  ComputerOpponent computer;
  // As stored in the options; the computer clamps it to 0..19 where it plays.
  int32_t AiStrength = 0;
};

}  // namespace kb
