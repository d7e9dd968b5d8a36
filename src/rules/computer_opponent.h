#pragma once

#include <cstdint>

namespace kb {

inline constexpr int32_t kNoTarget = 1000;
inline constexpr int32_t kWeakestStrength = 0;
inline constexpr int32_t kStrongestStrength = 19;

// The computer's memory between turn steps.
// KEPT: it lives for the whole run, so a walk that a match or a bout left unfinished
// goes on in the next one.
struct ComputerOpponent {
  int32_t TargetColumn = kNoTarget;  // 0 to 7, or kNoTarget
  int32_t TargetRow = kNoTarget;     // 0 to 15, or kNoTarget
  int32_t CandidateValue = 0;        // the cell being weighed (strengths 7 and above)
  int32_t BestValue = 0;             // the best so far in the current plan

  bool HasTarget() const { return TargetColumn != kNoTarget; }
  void ClearTarget() { TargetColumn = TargetRow = kNoTarget; }
  bool operator==(const ComputerOpponent&) const = default;
};

}  // namespace kb
