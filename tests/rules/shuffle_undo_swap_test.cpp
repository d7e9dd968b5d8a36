#include <gtest/gtest.h>

#include "rules/removal_step.h"
#include "rules/shuffle.h"
#include "rules/swap_step.h"
#include "rules/turn_step.h"
#include "rules/undo.h"
#include "rules_support.h"

namespace kb {
namespace {

using test::BoardOf;
using test::CountCode;
using test::Rig;

const char* const kUndoEvent =
    "message [Ihr letzter Zug wurde zurückgenommen! @312,384 #FF00FF00] pause 1000";

Board MixedBoard() {
  return BoardOf({"....5..........7", "..126.3........4", "1122334411223344", "4321432143214321"});
}

TEST(Shuffle, DealsTheSameStonesOverTheSameCells) {
  for (uint32_t seed = 1; seed <= 50; ++seed) {
    Rig rig;
    rig.random.Seed(seed);
    rig.ticks.ticks = seed * 977;
    rig.state.board = MixedBoard();
    Shuffle(rig.state, rig.chance, rig.observer);
    const Board& after = rig.state.board;
    for (StoneCode code : {1, 2, 3, 4, 5, 6, 7}) {
      ASSERT_EQ(CountCode(after, code), CountCode(MixedBoard(), code)) << code;
    }
    for (int32_t row = 0; row < 16; ++row) {
      for (int32_t column = 0; column < 16; ++column) {
        ASSERT_EQ(after.CellAt(row, column) == kEmpty, MixedBoard().CellAt(row, column) == kEmpty);
      }
    }
    ASSERT_EQ(rig.state.ShuffleGrid, CellGrid{});
    ASSERT_EQ(rig.state.match.Lives, 1);
  }
}

TEST(Shuffle, CostsALifeAndUndoGivesItBackOnce) {
  Rig rig;
  rig.state.board = MixedBoard();
  rig.state.match.Lives = 1;
  Shuffle(rig.state, rig.chance, rig.observer);
  EXPECT_EQ(rig.state.match.Lives, 0);
  EXPECT_EQ(rig.observer.events,
            std::vector<std::string>{
                "message [Die Steine werden neu durchgemischt! @312,384 #FFFFFFFF] pause 1000"});
  EXPECT_NE(rig.state.board, MixedBoard());

  // With no life left nothing happens, not even a message.
  Shuffle(rig.state, rig.chance, rig.observer);
  EXPECT_EQ(rig.observer.events.size(), 1u);

  UndoLastStep(rig.state, rig.observer);
  EXPECT_EQ(rig.state.board, MixedBoard());
  EXPECT_EQ(rig.state.match.Lives, 1);
  EXPECT_EQ(rig.observer.events.back(), kUndoEvent);
  UndoLastStep(rig.state, rig.observer);
  EXPECT_EQ(rig.observer.Count("message [Ihr"), 1);
}

TEST(Shuffle, TheKeyIsRefusedDuringASwapInAFrameOfItsOwn) {
  Rig rig;
  rig.state.board = MixedBoard();
  rig.state.match.SwapFirst = {24, 744};
  PlayerInput input;
  input.Space = true;
  ShuffleKeyStep(rig.state, input, rig.chance, rig.observer);
  EXPECT_EQ(rig.state.board, MixedBoard());
  EXPECT_EQ(rig.observer.Count("fresh message [Bitte beenden"), 1);
}

TEST(Undo, ARemovalIsTakenBackButItsBonusStays) {
  Rig rig;
  Board full{};
  FillBoardWith(full, 2);
  for (int32_t column = 0; column < 16; ++column) full.SetCell(0, column, column % 2 ? 3 : 4);
  for (int32_t column = 5; column < 16; ++column) full.SetCell(1, column, 1);
  rig.state.board = full;
  rig.state.match.Score = 50;
  rig.state.match.Multiplier = 4;
  PlayerInput input;
  input.Return = true;
  TurnStep(rig.state, input, rig.chance, rig.observer);
  ASSERT_GE(rig.state.GroupSizeA, 70);
  RemovalStep(rig.state, input, rig.chance, rig.observer);
  EXPECT_EQ(rig.state.match.BonusLevel, 2);

  UndoKeyStep(rig.state, PlayerInput{}, rig.observer);  // right CTRL not held
  EXPECT_NE(rig.state.board, full);
  PlayerInput undo;
  undo.RightCtrl = true;
  UndoKeyStep(rig.state, undo, rig.observer);
  EXPECT_EQ(rig.state.board, full);
  EXPECT_EQ(rig.state.match.Score, 50);
  EXPECT_EQ(rig.state.match.Multiplier, 4);
  EXPECT_EQ(rig.state.match.BonusCountdown, 1000);
  EXPECT_EQ(rig.state.match.BonusLevel, 2);
  EXPECT_EQ(rig.state.match.Undo.Kind, kUndoNothing);
}

TEST(Undo, ARemovalIsNotTakenBackOnAFullBoard) {
  Rig rig;
  FillBoardWith(rig.state.board, 1);
  rig.state.match.Undo.Kind = kUndoRemoval;
  rig.state.match.Undo.Score = 7;
  rig.state.match.Score = 100;
  UndoLastStep(rig.state, rig.observer);
  EXPECT_EQ(rig.state.match.Score, 100);
  EXPECT_TRUE(rig.observer.events.empty());
  EXPECT_EQ(rig.state.match.Undo.Kind, kUndoNothing);
}

struct SwapRig : Rig {
  SwapRig() {
    state.board = BoardOf({"12..............", "34.............."});
    state.match.CursorX = 24;
    state.match.CursorY = 744;  // on the 3
  }
  void Press(bool numpad0) {
    PlayerInput input;
    input.Numpad0 = numpad0;
    SwapStep(state, input);
  }
};

TEST(Swap, TwoStonesAreExchangedForOnePoint) {
  SwapRig rig;
  rig.Press(true);
  EXPECT_EQ(rig.state.match.SwapPoints, 4);
  EXPECT_EQ(rig.state.match.SwapFirst.x, 24);
  EXPECT_EQ(rig.state.match.Undo.Kind, kUndoSwapBegun);
  rig.state.match.CursorX = 72;
  rig.state.match.CursorY = 696;  // on the 2
  rig.Press(true);
  EXPECT_EQ(rig.state.board, BoardOf({"13..............", "24.............."}));
  EXPECT_EQ(rig.state.match.SwapFirst.x, -1);
  EXPECT_EQ(rig.state.match.SwapModeArmed, -1);
  EXPECT_EQ(rig.state.match.SwapCooldown, 14);  // set to 15, then counted down once
  // Holding the key does not begin a new swap until the cooldown has run out.
  for (int step = 0; step < 14; ++step) rig.Press(true);
  EXPECT_EQ(rig.state.match.SwapFirst.x, -1);
  rig.Press(true);
  EXPECT_EQ(rig.state.match.SwapFirst.x, 72);
}

TEST(Swap, UndoOfACompletedSwapRestoresTheBoardAndThePoint) {
  SwapRig rig;
  rig.Press(true);
  rig.state.match.CursorX = 72;
  rig.Press(true);
  UndoLastStep(rig.state, rig.observer);
  EXPECT_EQ(rig.state.board, BoardOf({"12..............", "34.............."}));
  EXPECT_EQ(rig.state.match.SwapPoints, 5);
}

TEST(Swap, TheSameCellOrAnEmptyCellLeavesTheSwapInProgressAndUndoRefunds) {
  SwapRig rig;
  rig.Press(true);
  rig.Press(true);  // still on the first stone
  EXPECT_EQ(rig.state.match.SwapFirst.x, 24);
  rig.state.match.CursorX = 120;  // an empty cell
  rig.Press(true);
  EXPECT_EQ(rig.state.match.SwapFirst.x, 24);
  EXPECT_EQ(rig.state.match.SwapPoints, 4);
  UndoLastStep(rig.state, rig.observer);
  EXPECT_EQ(rig.state.match.SwapFirst.x, -1);
  EXPECT_EQ(rig.state.match.SwapPoints, 5);
  EXPECT_EQ(rig.observer.events.back(), kUndoEvent);
}

TEST(Swap, TheArmedButtonTakesTheStoneUnderTheCursorAsSoonAsPointsAllow) {
  SwapRig rig;
  rig.state.match.SwapModeArmed = 1;
  rig.state.match.SwapPoints = 0;
  rig.Press(false);
  EXPECT_EQ(rig.state.match.SwapFirst.x, -1);
  rig.state.match.SwapPoints = 1;
  rig.Press(false);
  EXPECT_EQ(rig.state.match.SwapFirst.x, 24);
  EXPECT_EQ(rig.state.match.SwapPoints, 0);
  // The second stone needs a click on the button itself.
  rig.state.match.CursorX = 72;
  rig.Press(false);
  EXPECT_EQ(rig.state.match.SwapFirst.x, 24);
  PlayerInput click;
  click.LeftButton = 1;
  click.PointerX = 875;
  click.PointerY = 710;
  SwapStep(rig.state, click);
  EXPECT_EQ(rig.state.board, BoardOf({"12..............", "43.............."}));
}

}  // namespace
}  // namespace kb
