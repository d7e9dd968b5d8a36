#include <gtest/gtest.h>

#include <limits>

#include "rules/removal_step.h"
#include "rules/scoring.h"
#include "rules/turn_step.h"
#include "rules_support.h"

namespace kb {
namespace {

using test::BoardOf;
using test::Rig;

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

void Burst(Rig& rig, PlayerInput input) {
  TurnStep(rig.state, input, rig.chance, rig.observer);
  RemovalStep(rig.state, input, rig.chance, rig.observer);
}

PlayerInput ReturnHeld() {
  PlayerInput input;
  input.Return = true;
  return input;
}

PlayerInput Mouse(int32_t x, int32_t y, bool left, bool right = false) {
  PlayerInput input;
  input.PointerX = x;
  input.PointerY = y;
  input.LeftButton = left ? 1 : 0;
  input.RightButton = right ? 1 : 0;
  return input;
}

TEST(Scoring, GroupsScoreNSquaredWithTheMultiplierBeforeTheirOwnMultipliers) {
  Rig rig;
  rig.state.board = BoardOf({"22..............", "1111161111......"});
  rig.state.match.Multiplier = 3;
  rig.state.match.UltraMultiplier = 2;
  Burst(rig, ReturnHeld());  // the cursor starts on the bottom-left cell
  EXPECT_EQ(rig.state.match.Score, 10 * 10 * 3 * 2);
  EXPECT_EQ(rig.state.match.Multiplier, 13);

  rig.state.board = BoardOf({"6116............"});
  rig.state.match = MatchState{};
  rig.state.match.CursorX = 72;
  Burst(rig, ReturnHeld());
  EXPECT_EQ(rig.state.match.Score, 16);
  EXPECT_EQ(rig.state.match.Multiplier, 1 + 2 * 4);  // two multipliers in one group
}

TEST(Scoring, PointsAndFactorsStopAtTheLargest32BitValue) {
  EXPECT_EQ(GroupPoints(256, kMax, kMax), kMax);
  Rig rig;
  rig.state.board = BoardOf({"16.............."});
  rig.state.match.Score = kMax - 5;
  rig.state.match.Multiplier = kMax - 1;
  Burst(rig, ReturnHeld());
  EXPECT_EQ(rig.state.match.Score, kMax);
  EXPECT_EQ(rig.state.match.Multiplier, kMax);
}

TEST(Removal, EachStoneExplodesInColumnOrderWithItsSoundsAndEffects) {
  Rig rig;
  const Board before = BoardOf({"..2.............", "156............."});
  rig.state.board = before;
  Burst(rig, ReturnHeld());

  std::vector<std::string> expected{"clear buttons", "pause 100",
                                    "sound Soundeffekte\\explosion.wav",
                                    "particles 0,15 at 24,744"};
  expected.insert(expected.end(), 15, "sound Soundeffekte\\explosion2.wav");
  expected.push_back("particles 1,15 at 72,744");
  expected.insert(expected.end(), 15, "sound Soundeffekte\\explosion3.wav");
  expected.push_back("particles 2,15 at 120,744");
  EXPECT_EQ(rig.observer.events, expected);

  const EffectGrids& effects = rig.state.effects;
  EXPECT_EQ(effects.RingGrid[15][0], 0);
  EXPECT_EQ(effects.RingGrid[15][1], 1);
  EXPECT_EQ(effects.RingGrid[15][2], 2);
  EXPECT_EQ(effects.RemovedCodeGrid[15][1], kConnector);
  EXPECT_EQ(effects.RemovalAnimGrid[15][2], 1);
  // The 2 fell and the emptied columns closed up to the right edge.
  EXPECT_EQ(rig.state.board, BoardOf({"...............2"}));
  EXPECT_EQ(rig.state.match.Undo.Kind, kUndoRemoval);
  EXPECT_EQ(rig.state.match.Undo.board, before);

  // A commit on no group still pauses and replaces the snapshot.
  rig.state.match.Undo.Kind = kUndoShuffle;
  Burst(rig, ReturnHeld());
  EXPECT_EQ(rig.observer.Count("pause 100"), 2);
  EXPECT_EQ(rig.state.match.Undo.Kind, kUndoRemoval);
}

TEST(Removal, ClicksMoveTheCursorAndCommitOnlyOnTheBoard) {
  Rig rig;
  rig.state.board = BoardOf({"11............33", "22............44"});
  Burst(rig, Mouse(700, 680, true));  // row 14, column 14
  EXPECT_EQ(rig.state.match.CursorX, 696);
  EXPECT_EQ(rig.state.match.Score, 4);
  // The pointer can stand one pixel below the last row; that is still row 15.
  Burst(rig, Mouse(760, 768, true));
  EXPECT_EQ(rig.state.match.CursorY, 744);
  EXPECT_EQ(rig.state.match.Score, 8);
  Burst(rig, Mouse(800, 100, true));
  EXPECT_EQ(rig.state.match.CursorX, 744);
  EXPECT_EQ(rig.state.match.Score, 8);
}

TEST(Removal, NothingIsRemovedWhileASwapIsInProgress) {
  Rig rig;
  const Board board = BoardOf({"11..............", "11.............."});
  rig.state.board = board;
  rig.state.match.SwapFirst = {24, 744};
  Burst(rig, ReturnHeld());
  Burst(rig, Mouse(60, 700, true));
  EXPECT_EQ(rig.state.board, board);
  EXPECT_EQ(rig.observer.Count("message [Bitte beenden sie zuerst ihren Steintausch! @312,384 "
                               "#FFFF0000] pause 1000"),
            2);
  EXPECT_EQ(rig.state.match.CursorX, 72);  // the click still moved the cursor
  EXPECT_EQ(rig.state.match.CursorY, 696);
}

TEST(Removal, BonusThresholds) {
  struct Case {
    int32_t size, countdown, level;
  };
  for (const Case c : {Case{49, 0, 0}, Case{50, 1000, 0}, Case{59, 1000, 0}, Case{60, 1000, 1},
                       Case{69, 1000, 1}, Case{70, 1000, 2}}) {
    MatchState match;
    ApplyBonusTriggers(match, c.size);
    EXPECT_EQ(match.BonusCountdown, c.countdown) << c.size;
    EXPECT_EQ(match.BonusLevel, c.level) << c.size;
  }
}

TEST(TurnStep, HeldCursorKeysRepeatEverySecondStepAndStopAtTheEdges) {
  Rig rig;
  PlayerInput input;
  input.Right = true;
  input.Down = true;
  std::vector<int32_t> xs;
  for (int step = 0; step < 5; ++step) {
    TurnStep(rig.state, input, rig.chance, rig.observer);
    xs.push_back(rig.state.match.CursorX);
  }
  EXPECT_EQ(xs, (std::vector<int32_t>{72, 72, 120, 120, 168}));
  EXPECT_EQ(rig.state.match.CursorY, 744);
}

TEST(TurnStep, TheRightButtonMovesTheCursorAndButtonsAct) {
  Rig rig;
  rig.state.board = BoardOf({"..1.............", "..1.............", "................"});
  TurnStep(rig.state, Mouse(100, 700, false, true), rig.chance, rig.observer);
  EXPECT_EQ(rig.state.match.CursorX, 120);
  EXPECT_EQ(rig.state.match.CursorY, 696);
  EXPECT_EQ(rig.state.GroupSizeA, 2);
  TurnStep(rig.state, Mouse(768, 700, false, true), rig.chance, rig.observer);
  EXPECT_EQ(rig.state.match.CursorX, 120);

  // The swap button only switches the mode on; a completed swap resets it.
  rig.state.match.SwapModeArmed = -1;
  TurnStep(rig.state, Mouse(800, 720, true), rig.chance, rig.observer);
  EXPECT_EQ(rig.state.match.SwapModeArmed, 0);
  TurnStep(rig.state, Mouse(800, 720, true), rig.chance, rig.observer);
  EXPECT_EQ(rig.state.match.SwapModeArmed, 1);
  TurnStep(rig.state, Mouse(995, 757, true), rig.chance, rig.observer);
  EXPECT_EQ(rig.state.match.QuitRequested, 1);
}

}  // namespace
}  // namespace kb
