#pragma once

#include <array>
#include <cstdint>

#include "rules/computer_opponent.h"
#include "rules/rules_state.h"

namespace kb {

// The strongest computer looks this many settlings ahead.
inline constexpr int32_t kMaxFollowUpDepth = kStrongestStrength - 7;

// The follow-up weighing of strengths 8 to 19 for one plan. Level k of the weighing
// removes the candidate's group (at level 1; later levels find nothing marked), settles
// the left half and adds the value of the best group left there, after offering
// CandidateValue / k as a target of its own.
//
// Within one plan the board is the same for every candidate, so the boards a trial
// leaves behind depend on the candidate's group alone: the cells of one group share one
// trial, and once a settling moves nothing the deeper levels see the same board again.
// Both give exactly the values of running every level in full.
class FollowUpEvaluation {
 public:
  // The candidate's group stands marked in the left half and CandidateValue holds its
  // own value. Leaves the board and the marks as they were.
  void Weigh(RulesState& state, int32_t column, int32_t row, int32_t depth);

 private:
  struct Trial {
    uint64_t groupLow = 0;   // the marks of columns 0 to 3, one bit per cell
    uint64_t groupHigh = 0;  // columns 4 to 7
    std::array<int32_t, kMaxFollowUpDepth> leftBehind{};  // best value after k settlings
  };

  const Trial& TrialFor(RulesState& state, int32_t depth);

  std::array<Trial, kHalfCells> trials_{};
  int32_t trialCount_ = 0;
};

}  // namespace kb
