#include <gtest/gtest.h>

#include "core/cp1252.h"
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
    "message [Ihr letzter Zug wurde zurückgenommen! @312,384 #FF00FF00] pause 1000"_cp;

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
    for (StoneCode code : {1, 2, 3, 4, 5, 6, 7}) {
      ASSERT_EQ(CountCode(rig.state.board, code), CountCode(MixedBoard(), code)) << code;
    }
    for (int32_t row = 0; row < 16; ++row) {
      for (int32_t column = 0; column < 16; ++column) {
        ASSERT_EQ(rig.state.board.CellAt(row, column) == kEmpty,
                  MixedBoard().CellAt(row, column) == kEmpty);
      }
    }
    ASSERT_EQ(rig.state.ShuffleGrid, CellGrid{});
  }
}

TEST(Shuffle, CostsALifeAndUndoGivesItBackOnce) {
  Rig rig;
  rig.state.board = MixedBoard();
  rig.state.match.Lives = 1;
  Shuffle(rig.state, rig.chance, rig.observer);
  EXPECT_EQ(rig.state.match.Lives, 0);
  EXPECT_NE(rig.state.board, MixedBoard());
  Shuffle(rig.state, rig.chance, rig.observer);  // no life left: nothing, not even a message
  EXPECT_EQ(rig.observer.events,
            std::vector<std::string>{
                "message [Die Steine werden neu durchgemischt! @312,384 #FFFFFFFF] pause 1000"});

  UndoLastStep(rig.state, rig.observer);
  EXPECT_EQ(rig.state.board, MixedBoard());
  EXPECT_EQ(rig.state.match.Lives, 1);
  EXPECT_EQ(rig.observer.events.back(), kUndoEvent);
  UndoLastStep(rig.state, rig.observer);
  EXPECT_EQ(rig.observer.Count("message [Ihr"), 1);

  // The key is refused during a swap, with the warning in a frame of its own.
  rig.state.match.SwapFirst = {24, 744};
  PlayerInput space;
  space.Space = true;
  ShuffleKeyStep(rig.state, space, rig.chance, rig.observer);
  EXPECT_EQ(rig.state.match.Lives, 1);
  EXPECT_EQ(rig.observer.Count("fresh message [Bitte beenden"), 1);
}

TEST(Undo, ARemovalIsTakenBackButItsBonusStaysAndAFullBoardKeepsIt) {
  Rig rig;
  Board full;
  FillBoardWith(full, 2);
  for (int32_t column = 0; column < 16; ++column) full.SetCell(0, column, 3 + column % 2);
  rig.state.board = full;
  rig.state.match.Score = 50;
  rig.state.match.Multiplier = 4;
  PlayerInput input;
  input.Return = true;
  TurnStep(rig.state, input, rig.chance, rig.observer);
  RemovalStep(rig.state, input, rig.chance, rig.observer);
  ASSERT_EQ(rig.state.match.BonusLevel, 2);

  PlayerInput undo;
  undo.RightCtrl = true;
  UndoKeyStep(rig.state, undo, rig.observer);
  EXPECT_EQ(rig.state.board, full);
  EXPECT_EQ(rig.state.match.Score, 50);
  EXPECT_EQ(rig.state.match.Multiplier, 4);
  EXPECT_EQ(rig.state.match.BonusCountdown, 1000);
  EXPECT_EQ(rig.state.match.BonusLevel, 2);

  // With every cell full a removal snapshot is dropped without being restored.
  rig.state.match.Undo.Kind = kUndoRemoval;
  rig.state.match.Score = 100;
  UndoLastStep(rig.state, rig.observer);
  EXPECT_EQ(rig.state.match.Score, 100);
  EXPECT_EQ(rig.observer.Count("message [Ihr"), 1);
  EXPECT_EQ(rig.state.match.Undo.Kind, kUndoNothing);
}

struct SwapRig : Rig {
  SwapRig() { state.board = BoardOf({"12..............", "34.............."}); }
  void Press(bool numpad0, int32_t cursorColumn, int32_t cursorRow) {
    state.match.CursorX = cursorColumn * 48 + 24;
    state.match.CursorY = cursorRow * 48 + 24;
    PlayerInput input;
    input.Numpad0 = numpad0;
    SwapStep(state, input);
  }
};

TEST(Swap, TwoStonesAreExchangedForOnePointAndUndoRestoresBoth) {
  SwapRig rig;
  rig.Press(true, 0, 15);
  EXPECT_EQ(rig.state.match.SwapPoints, 4);
  rig.Press(true, 1, 14);
  EXPECT_EQ(rig.state.board, BoardOf({"13..............", "24.............."}));
  EXPECT_EQ(rig.state.match.SwapFirst.x, -1);
  EXPECT_EQ(rig.state.match.SwapModeArmed, -1);
  // A held key begins no new swap until the cooldown of 15 steps has run out.
  for (int step = 0; step < 14; ++step) rig.Press(true, 1, 14);
  EXPECT_EQ(rig.state.match.SwapFirst.x, -1);
  UndoLastStep(rig.state, rig.observer);
  EXPECT_EQ(rig.state.board, BoardOf({"12..............", "34.............."}));
  EXPECT_EQ(rig.state.match.SwapPoints, 5);
  rig.Press(true, 1, 14);
  EXPECT_EQ(rig.state.match.SwapFirst.x, 72);
}

TEST(Swap, TheSameCellOrAnEmptyCellLeavesTheSwapInProgressAndUndoRefunds) {
  SwapRig rig;
  rig.Press(true, 0, 15);
  rig.Press(true, 0, 15);
  rig.Press(true, 2, 15);
  EXPECT_EQ(rig.state.match.SwapFirst.x, 24);
  EXPECT_EQ(rig.state.match.SwapPoints, 4);
  UndoLastStep(rig.state, rig.observer);
  EXPECT_EQ(rig.state.match.SwapFirst.x, -1);
  EXPECT_EQ(rig.state.match.SwapPoints, 5);
  EXPECT_EQ(rig.observer.events.back(), kUndoEvent);
}

TEST(Swap, TheArmedButtonTakesTheFirstStoneWhenPointsAllowAndTheSecondByAClick) {
  SwapRig rig;
  rig.state.match.SwapModeArmed = 1;
  rig.state.match.SwapPoints = 0;
  rig.Press(false, 0, 15);
  EXPECT_EQ(rig.state.match.SwapFirst.x, -1);
  rig.state.match.SwapPoints = 1;
  rig.Press(false, 0, 15);
  EXPECT_EQ(rig.state.match.SwapFirst.x, 24);
  rig.Press(false, 1, 15);
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
