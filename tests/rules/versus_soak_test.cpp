#include <gtest/gtest.h>

#include "rules/board_fill.h"
#include "rules/bout_end.h"
#include "rules/level_end.h"
#include "rules/removal_step.h"
#include "rules/send_stones.h"
#include "rules/turn_step.h"
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
  input.A = chance(20);
  input.D = chance(20);
  input.W = chance(20);
  input.S = chance(20);
  input.Return = chance(10);
  input.LeftCtrl = chance(10);
  input.LeftButton = chance(8) ? 1 : 0;
  input.RightButton = chance(15) ? 1 : 0;
  // The whole clamped pointer range, its far edges included; never the exit button.
  input.PointerX = dice.Next() % 1025;
  input.PointerY = dice.Next() % 700;
  return input;
}

void ExpectSane(const RulesState& state) {
  const MatchState& match = state.match;
  for (const int32_t x : {match.CursorX, match.Cursor2X}) {
    ASSERT_GE(x, 24);
    ASSERT_LE(x, 360);
  }
  for (const int32_t y : {match.CursorY, match.Cursor2Y}) {
    ASSERT_GE(y, 24);
    ASSERT_LE(y, 744);
  }
  ASSERT_TRUE(state.GroupSizeA == 0 || state.GroupSizeA >= 2);
  ASSERT_TRUE(state.GroupSizeB == 0 || state.GroupSizeB >= 2);
  for (int32_t row = 0; row < kBoardSize; ++row) {
    for (int32_t column = 0; column < kBoardSize; ++column) {
      const StoneCode code = state.board.CellAt(row, column);
      ASSERT_TRUE(code == kEmpty || (code >= 1 && code <= kConnector) || code == kIndestructible)
          << code;
    }
  }
}

// Whole bouts on the split board with random keys and clicks, in the game loop's order
// with its bout end: a removal takes n stones from the sender's half and puts n and
// (n / 5)^2 more into the other, or the other half loses the bout and gets nothing.
TEST(VersusSoak, RandomBoutsMoveEveryStoneTheyShould) {
  struct Setting {
    int32_t humans, computers, strength;
  };
  for (const Setting setting :
       {Setting{2, 0, 0}, Setting{1, 1, 3}, Setting{1, 1, 13}, Setting{1, 1, 99}}) {
    test::Rig rig;
    Random dice;
    dice.Seed(static_cast<uint32_t>(7 + setting.strength));
    RulesState& state = rig.state;
    MatchState& match = state.match;
    match.HumanPlayers = setting.humans;
    match.ComputerPlayers = setting.computers;
    state.AiStrength = setting.strength;
    StartMatch(state, rig.chance);
    int32_t bouts = 0;
    for (int burst = 0; burst < 4000; ++burst) {
      rig.ticks.ticks += 100;
      PlayerInput input = RandomInput(dice);
      if (match.BoutEndCountdown == -1) TurnStep(state, input, rig.chance, rig.observer);
      const uint8_t turn = match.Turn;
      const BoardRegion own = turn == kRightOnTurn ? BoardRegion::RightHalf : BoardRegion::LeftHalf;
      const BoardRegion other =
          turn == kRightOnTurn ? BoardRegion::LeftHalf : BoardRegion::RightHalf;
      const int32_t ownBefore = StonesIn(state.board, own);
      const int32_t otherBefore = StonesIn(state.board, other);
      const bool sending = match.BoutEndCountdown == -1;
      const int32_t winner = RemovalStep(state, input, rig.chance, rig.observer);
      if (match.Turn != turn) {
        const int32_t removed = ownBefore - StonesIn(state.board, own);
        const int32_t received = StonesIn(state.board, other) - otherBefore;
        const bool sent = sending && winner == 0;
        ASSERT_EQ(received, sent ? removed + ExtraStones(removed) : 0) << "burst " << burst;
      } else {
        ASSERT_EQ(winner, 0);
      }
      if (winner > 0) BeginBoutEnd(state, winner);
      bouts += match.BoutEndCountdown == 1 ? 1 : 0;  // the bout's last burst
      CountDownBoutEnd(state, rig.chance);
      ASSERT_NE(CheckLevel(state, rig.chance, rig.observer), LevelEndResult::kGameOver);
      ExpectSane(state);
      if (HasFailure()) return;
    }
    EXPECT_GT(bouts, 0) << setting.humans << " " << setting.strength;
    EXPECT_EQ(match.WinsLeft + match.WinsRight, bouts);
  }
}

}  // namespace
}  // namespace kb
