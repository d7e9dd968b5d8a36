#include "rules/bonus_sequence.h"

#include <algorithm>
#include <cstdio>

#include "core/colours.h"
#include "rules/messages.h"
#include "rules/saturating.h"

namespace kb {
namespace {

void ShowBonusLine(RulesObserver& observer, const char* text, uint32_t colour, int32_t pauseMs) {
  const MessageLine line{text, kBonusMessageX, kMessageY, colour};
  observer.ShowMessage({&line, 1}, pauseMs, MessageFrame::kCurrent);
}

}  // namespace

bool AdvanceBonusCountdown(MatchState& match, int32_t passes) {
  if (match.BonusCountdown <= 1) return false;
  match.BonusCountdown -= std::clamp(passes, 1, match.BonusCountdown - 1);
  if (match.BonusCountdown != 1) return false;
  match.BonusCountdown = 0;
  return true;
}

void AnnounceSnakeBonus(RulesObserver& observer) {
  ShowBonusLine(observer, kSnakeBonusText, kBlue, kShortPauseMs);
}

void AwardSnakeBonus(MatchState& match, int32_t snakePoints, RulesObserver& observer) {
  const int32_t bonus =
      SaturatingMultiply(SaturatingMultiply(snakePoints, match.Multiplier), match.UltraMultiplier);
  match.Score = SaturatingAdd(match.Score, bonus);
  char pointsLine[48];
  std::snprintf(pointsLine, sizeof pointsLine, kBonusPointsFormat, bonus);
  ShowBonusLine(observer, pointsLine, kGreen, kBonusPauseMs);
  if (match.BonusLevel >= 1) {
    match.UltraMultiplier = SaturatingMultiply(match.UltraMultiplier, 2);
    ShowBonusLine(observer, kUltraMultiplierText, kGreen, kBonusPauseMs);
  }
  if (match.BonusLevel >= 2) {
    match.Lives = SaturatingAdd(match.Lives, 1);
    ShowBonusLine(observer, kExtraLifeText, kGreen, kBonusPauseMs);
  }
  match.BonusLevel = 0;
}

}  // namespace kb
