#include <gtest/gtest.h>

#include <limits>

#include "core/cp1252.h"
#include "rules/bonus_sequence.h"
#include "rules/level_end.h"
#include "rules_support.h"

namespace kb {
namespace {

using test::BoardOf;
using test::CountCode;
using test::Rig;

TEST(LevelEnd, AnEmptyBoardGivesTenPercentAndANewLevel) {
  Rig rig;
  MatchState& match = rig.state.match;
  match.Score = 1234;
  match.Multiplier = 9;
  match.UltraMultiplier = 4;
  match.SwapPoints = 2;
  match.CursorX = 360;
  rig.state.effects.RingGrid[4][4] = 1;
  rig.state.effects.RemovedCodeGrid[4][4] = 5;
  EXPECT_EQ(CheckLevel(rig.state, rig.chance, rig.observer), LevelEndResult::kLevelEnd);

  EXPECT_EQ(rig.observer.events,
            std::vector<std::string>{
                "message [Alle Steine entfernt! Sie bekommen 10 Prozent ihrer bisherigen Punkte "
                "als Bonus! @112,364 #FFFFFFFF] [Das sind 123.400000 Bonuspunkte! @112,384 "
                "#FFFFFFFF] [Nächster Level wurde erreicht! @112,404 #FFFFFFFF] pause 4000"_cp});
  EXPECT_EQ(match.Score, 1357);
  EXPECT_EQ(match.Multiplier, 1);
  EXPECT_EQ(match.UltraMultiplier, 4);
  EXPECT_EQ(match.SwapPoints, 5);
  EXPECT_EQ(match.CursorX, 24);
  EXPECT_EQ(rig.state.effects.RingGrid[4][4], 0);
  EXPECT_EQ(rig.state.effects.RemovedCodeGrid[4][4], 0);
  EXPECT_EQ(CountCode(rig.state.board, kEmpty), 0);
}

TEST(LevelEnd, TheBonusStopsAtTheLargestScore) {
  Rig rig;
  rig.state.match.Score = std::numeric_limits<int32_t>::max() - 10;
  EXPECT_EQ(CheckLevel(rig.state, rig.chance, rig.observer), LevelEndResult::kLevelEnd);
  EXPECT_EQ(rig.state.match.Score, std::numeric_limits<int32_t>::max());
}

TEST(LevelEnd, GameOverNeedsNoPairAndNoWayOut) {
  // A connector beside a stone could still be removed, but only equal neighbours count.
  const Board noPair = BoardOf({"5123............", "2341............"});
  struct Case {
    int32_t lives, swaps;
    bool swapping;
    LevelEndResult result;
  };
  for (const Case c :
       {Case{0, 0, false, LevelEndResult::kGameOver}, Case{1, 0, false, LevelEndResult::kGoOn},
        Case{0, 1, false, LevelEndResult::kGoOn}, Case{0, 0, true, LevelEndResult::kGoOn}}) {
    Rig rig;
    rig.state.board = noPair;
    rig.state.match.Score = 77;
    rig.state.match.Lives = c.lives;
    rig.state.match.SwapPoints = c.swaps;
    if (c.swapping) rig.state.match.SwapFirst = {24, 744};
    EXPECT_EQ(CheckLevel(rig.state, rig.chance, rig.observer), c.result) << c.lives << c.swaps;
  }
  // Equal special stones side by side are a pair too.
  Rig rig;
  rig.state.board = BoardOf({"77.5............"});
  rig.state.match.Lives = 0;
  rig.state.match.SwapPoints = 0;
  EXPECT_EQ(CheckLevel(rig.state, rig.chance, rig.observer), LevelEndResult::kGoOn);
}

TEST(LevelEnd, SingleStonesOfEachColourEndTheGameEvenWithLivesLeft) {
  Rig rig;
  rig.state.board = BoardOf({"1.2.3.4.7......."});
  EXPECT_EQ(CheckLevel(rig.state, rig.chance, rig.observer), LevelEndResult::kGameOver);
  rig.state.board.SetCell(15, 9, 6);
  EXPECT_EQ(CheckLevel(rig.state, rig.chance, rig.observer), LevelEndResult::kGoOn);
}

TEST(Bonus, TheCountdownRunsTheSequenceOnceWhenItComesDownToOne) {
  MatchState match;
  match.BonusCountdown = 1000;
  int passes = 0;
  while (!AdvanceBonusCountdown(match)) ++passes;
  EXPECT_EQ(passes, 998);  // the 999th pass brings it to 1
  EXPECT_EQ(match.BonusCountdown, 0);
  EXPECT_FALSE(AdvanceBonusCountdown(match));
}

TEST(Bonus, SnakePointsCountWithBothMultipliersThenTheExtras) {
  Rig rig;
  MatchState& match = rig.state.match;
  match.Score = 10;
  match.Multiplier = 3;
  match.UltraMultiplier = 2;
  match.Lives = 1;
  match.BonusLevel = 2;
  AnnounceSnakeBonus(rig.observer);
  AwardSnakeBonus(match, 25, rig.observer);
  EXPECT_EQ(match.Score, 160);
  EXPECT_EQ(match.UltraMultiplier, 4);
  EXPECT_EQ(match.Lives, 2);
  EXPECT_EQ(match.BonusLevel, 0);
  EXPECT_EQ(
      rig.observer.events,
      (std::vector<std::string>{"message [Bonusgame: SNAKE @482,384 #FF0000FF] pause 1000",
                                "message [150 Bonuspunkte @482,384 #FF00FF00] pause 2000",
                                "message [ULTRA MULTIPLIKATOR!!! @482,384 #FF00FF00] pause 2000",
                                "message [EXTRALEBEN!!! @482,384 #FF00FF00] pause 2000"}));
}

}  // namespace
}  // namespace kb
