#include "rules/scoring.h"

#include "rules/saturating.h"

namespace kb {
namespace {

constexpr int32_t kSnakeBonusSize = 50;
constexpr int32_t kUltraBonusSize = 60;
constexpr int32_t kExtraLifeBonusSize = 70;
constexpr int32_t kBonusCountdownPasses = 1000;

}  // namespace

int32_t GroupPoints(int32_t size, int32_t multiplier, int32_t ultraMultiplier) {
  return SaturatingMultiply(SaturatingMultiply(SaturatingMultiply(size, size), multiplier),
                            ultraMultiplier);
}

void ScoreGroup(RulesState& state) {
  MatchState& match = state.match;
  const int32_t size = state.GroupSizeA;
  // KEPT: the group is scored with the multiplier it found; its multiplier stones
  // raise the multiplier by the group's size only afterwards.
  const int32_t points = GroupPoints(size, match.Multiplier, match.UltraMultiplier);
  if (points > 1) match.Score = SaturatingAdd(match.Score, points);
  for (int32_t row = 0; row < kBoardSize; ++row) {
    for (int32_t column = 0; column < kBoardSize; ++column) {
      if (state.marks[row][column] == 1 && state.board.cells[row][column] == kMultiplier) {
        match.Multiplier = SaturatingAdd(match.Multiplier, size);
      }
    }
  }
}

void ApplyBonusTriggers(MatchState& match, int32_t groupSize) {
  if (groupSize >= kSnakeBonusSize) match.BonusCountdown = kBonusCountdownPasses;
  if (groupSize >= kUltraBonusSize) match.BonusLevel = 1;
  if (groupSize >= kExtraLifeBonusSize) match.BonusLevel = 2;
}

}  // namespace kb
