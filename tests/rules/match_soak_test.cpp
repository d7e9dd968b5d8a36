#include <gtest/gtest.h>

#include "rules/board_fill.h"
#include "rules/bonus_sequence.h"
#include "rules/level_end.h"
#include "rules/removal_step.h"
#include "rules/shuffle.h"
#include "rules/swap_step.h"
#include "rules/turn_step.h"
#include "rules/undo.h"
#include "rules_support.h"

namespace kb {
namespace {

PlayerInput RandomInput(Random& dice) {
  auto chance = [&dice](int percent) { return dice.Next() % 100 < percent; };
  PlayerInput input;
  input.Left = chance(20);
  input.Right = chance(20);
  input.Up = chance(20);
  input.Down = chance(20);
  input.Return = chance(25);
  input.Space = chance(2);
  input.RightCtrl = chance(3);
  input.Numpad0 = chance(5);
  input.LeftButton = chance(15) ? 1 : 0;
  input.RightButton = chance(15) ? 1 : 0;
  // The whole clamped pointer range, its far edges included.
  input.PointerX = dice.Next() % 1025;
  input.PointerY = dice.Next() % 769;
  return input;
}

void ExpectSane(const RulesState& state) {
  const MatchState& match = state.match;
  ASSERT_GE(match.CursorX, 24);
  ASSERT_LE(match.CursorX, 744);
  ASSERT_GE(match.CursorY, 24);
  ASSERT_LE(match.CursorY, 744);
  ASSERT_TRUE(state.GroupSizeA == 0 || state.GroupSizeA >= 2);
  ASSERT_GE(match.Score, 0);
  ASSERT_GE(match.Lives, 0);
  ASSERT_GE(match.SwapPoints, 0);
  for (int32_t row = 0; row < kBoardSize; ++row) {
    for (int32_t column = 0; column < kBoardSize; ++column) {
      const StoneCode code = state.board.CellAt(row, column);
      ASSERT_TRUE(code == kEmpty || (code >= 1 && code <= kMultiplier)) << code;
    }
  }
}

// Whole one-player matches with random keys and clicks, in the game loop's order.
TEST(MatchSoak, RandomPlayKeepsTheStateWithinItsBounds) {
  test::Rig rig;
  Random dice;
  dice.Seed(99);
  StartMatch(rig.state, rig.chance);
  int32_t matches = 0;
  for (int burst = 0; burst < 20000; ++burst) {
    rig.ticks.ticks += 100;
    if (AdvanceBonusCountdown(rig.state.match)) {
      AnnounceSnakeBonus(rig.observer);
      AwardSnakeBonus(rig.state.match, 0, rig.observer);
    }
    PlayerInput input = RandomInput(dice);
    TurnStep(rig.state, input, rig.chance, rig.observer);
    RemovalStep(rig.state, input, rig.chance, rig.observer);
    ShuffleKeyStep(rig.state, input, rig.chance, rig.observer);
    if (CheckLevel(rig.state, rig.chance, rig.observer) == LevelEndResult::kGameOver) {
      ++matches;
      StartMatch(rig.state, rig.chance);
      continue;
    }
    UndoKeyStep(rig.state, input, rig.observer);
    input = RandomInput(dice);  // the swap step reads the mouse anew
    SwapStep(rig.state, input);
    ExpectSane(rig.state);
    if (HasFailure()) return;
  }
  EXPECT_GT(matches + rig.observer.Count("message [Alle Steine"), 0);
}

}  // namespace
}  // namespace kb
