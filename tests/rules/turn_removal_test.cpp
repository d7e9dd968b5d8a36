#include <gtest/gtest.h>

#include <limits>

#include "rules/messages.h"
#include "rules/removal_step.h"
#include "rules/scoring.h"
#include "rules/turn_step.h"
#include "rules_support.h"

namespace kb {
namespace {

using test::BoardOf;
using test::BoardText;
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

PlayerInput LeftClick(int32_t x, int32_t y) {
  PlayerInput input;
  input.LeftButton = 1;
  input.PointerX = x;
  input.PointerY = y;
  return input;
}

TEST(Scoring, GroupsScoreTheSquareOfTheirSizeTimesBothMultipliers) {
  Rig rig;
  rig.state.board = BoardOf({"11..............", "2222222222......"});
  Burst(rig, ReturnHeld());  // the cursor starts on the bottom-left cell
  EXPECT_EQ(rig.state.match.Score, 100);
  // The two 1s fell and closed up to the right edge.
  rig.state.match.CursorX = 696;
  Burst(rig, ReturnHeld());
  EXPECT_EQ(rig.state.match.Score, 104);

  EXPECT_EQ(GroupPoints(10, 3, 2), 600);
  EXPECT_EQ(GroupPoints(0, 3, 2), 0);
}

TEST(Scoring, AMultiplierInTheGroupRaisesTheFactorOnlyForLaterGroups) {
  Rig rig;
  rig.state.board = BoardOf({"1111161111......"});
  rig.state.match.Multiplier = 3;
  rig.state.match.UltraMultiplier = 2;
  Burst(rig, ReturnHeld());
  EXPECT_EQ(rig.state.match.Score, 600);
  EXPECT_EQ(rig.state.match.Multiplier, 13);

  rig.state.board = BoardOf({"6116............"});
  rig.state.match.Multiplier = 1;
  rig.state.match.UltraMultiplier = 1;
  rig.state.match.CursorX = 72;
  Burst(rig, ReturnHeld());
  EXPECT_EQ(rig.state.match.Multiplier, 1 + 2 * 4);
}

TEST(Scoring, PointsAndFactorsStopAtTheLargest32BitValue) {
  EXPECT_EQ(GroupPoints(256, kMax, kMax), kMax);
  EXPECT_EQ(GroupPoints(256, 1 << 20, 1 << 20), kMax);
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
  rig.state.board = BoardOf({"..2.............", "156............."});
  Burst(rig, ReturnHeld());

  std::vector<std::string> expected{"clear buttons", "pause 100",
                                    "sound Soundeffekte\\explosion.wav",
                                    "particles 0,15 at 24,744"};
  for (int i = 0; i < 15; ++i) expected.push_back("sound Soundeffekte\\explosion2.wav");
  expected.push_back("particles 1,15 at 72,744");
  for (int i = 0; i < 15; ++i) expected.push_back("sound Soundeffekte\\explosion3.wav");
  expected.push_back("particles 2,15 at 120,744");
  EXPECT_EQ(rig.observer.events, expected);

  const EffectGrids& effects = rig.state.effects;
  EXPECT_EQ(effects.RingGrid[15][0], 0);
  EXPECT_EQ(effects.RingGrid[15][1], 1);
  EXPECT_EQ(effects.RingGrid[15][2], 2);
  EXPECT_EQ(effects.RemovedCodeGrid[15][1], kConnector);
  EXPECT_EQ(effects.RemovalAnimGrid[15][2], 1);
  // The 1 above fell and the emptied columns closed up to the right edge.
  EXPECT_EQ(BoardText(rig.state.board), BoardText(BoardOf({"...............2"})));
  EXPECT_EQ(rig.state.match.Undo.Kind, kUndoRemoval);
  EXPECT_EQ(rig.state.match.Undo.board, BoardOf({"..2.............", "156............."}));
}

TEST(Removal, ACommitOnNoGroupStillPausesAndReplacesTheSnapshot) {
  Rig rig;
  rig.state.board = BoardOf({"12.............."});
  rig.state.match.Undo.Kind = kUndoShuffle;
  Burst(rig, ReturnHeld());
  EXPECT_EQ(rig.observer.Count("pause 100"), 1);
  EXPECT_EQ(rig.observer.Count("sound"), 0);
  EXPECT_EQ(rig.state.match.Undo.Kind, kUndoRemoval);
  EXPECT_EQ(rig.state.match.Score, 0);
}

TEST(Removal, HeldReturnRemovesOneGroupPerBurst) {
  Rig rig;
  rig.state.board = BoardOf({"...............1", "...............1", "...............2",
                             "...............2", "...............3", "...............3"});
  rig.state.match.CursorX = 744;
  for (int burst = 0; burst < 3; ++burst) Burst(rig, ReturnHeld());
  EXPECT_EQ(rig.observer.Count("pause 100"), 3);
  EXPECT_EQ(rig.state.match.Score, 12);
  EXPECT_EQ(test::CountCode(rig.state.board, kEmpty), 256);
}

TEST(Removal, ClicksOnTheBoardMoveTheCursorAndCommitThere) {
  Rig rig;
  rig.state.board = BoardOf({"11............33", "22............44"});
  Burst(rig, LeftClick(700, 680));  // row 14, column 14
  EXPECT_EQ(rig.state.match.CursorX, 696);
  EXPECT_EQ(rig.state.match.CursorY, 696);
  EXPECT_EQ(rig.state.match.Score, 4);
  // The pointer can stand one pixel below the last row; that is still row 15.
  Burst(rig, LeftClick(760, 768));
  EXPECT_EQ(rig.state.match.CursorY, 744);
  EXPECT_EQ(rig.state.match.Score, 8);
  // Beside the board a click neither moves the cursor nor commits.
  Burst(rig, LeftClick(800, 100));
  EXPECT_EQ(rig.state.match.CursorX, 744);
  EXPECT_EQ(rig.state.match.Score, 8);
}

TEST(Removal, NothingIsRemovedWhileASwapIsInProgress) {
  Rig rig;
  const Board board = BoardOf({"11..............", "11.............."});
  rig.state.board = board;
  rig.state.match.SwapFirst = {24, 744};
  Burst(rig, ReturnHeld());
  Burst(rig, LeftClick(60, 700));
  EXPECT_EQ(rig.state.board, board);
  EXPECT_EQ(rig.observer.Count("message [Bitte beenden sie zuerst ihren Steintausch! @312,384 "
                               "#FFFF0000] pause 1000"),
            2);
  EXPECT_EQ(rig.state.match.CursorX, 72);  // the click still moved the cursor
  EXPECT_EQ(rig.state.match.CursorY, 696);
  EXPECT_EQ(rig.state.match.Undo.Kind, kUndoNothing);
}

TEST(Removal, BonusThresholds) {
  struct Case {
    int32_t size;
    int32_t countdown;
    int32_t level;
  };
  for (const Case c : {Case{49, 0, 0}, Case{50, 1000, 0}, Case{59, 1000, 0}, Case{60, 1000, 1},
                       Case{69, 1000, 1}, Case{70, 1000, 2}, Case{200, 1000, 2}}) {
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
  std::vector<int32_t> xs;
  for (int step = 0; step < 7; ++step) {
    TurnStep(rig.state, input, rig.chance, rig.observer);
    xs.push_back(rig.state.match.CursorX);
  }
  EXPECT_EQ(xs, (std::vector<int32_t>{72, 72, 120, 120, 168, 168, 216}));

  input = PlayerInput{};
  input.Left = true;
  input.Down = true;
  rig.state.match.CursorX = 24;
  rig.state.KeyDelay = 0;
  TurnStep(rig.state, input, rig.chance, rig.observer);
  EXPECT_EQ(rig.state.match.CursorX, 24);
  EXPECT_EQ(rig.state.match.CursorY, 744);
}

TEST(TurnStep, RightButtonMovesTheCursorAndTheGroupUnderItIsMarked) {
  Rig rig;
  rig.state.board = BoardOf({"..1.............", "..1.............", "................"});
  PlayerInput input;
  input.RightButton = 1;
  input.PointerX = 100;
  input.PointerY = 700;
  TurnStep(rig.state, input, rig.chance, rig.observer);
  EXPECT_EQ(rig.state.match.CursorX, 120);
  EXPECT_EQ(rig.state.match.CursorY, 696);
  EXPECT_EQ(rig.state.GroupSizeA, 2);
  EXPECT_EQ(rig.state.marks[13][2], 1);

  input.PointerX = 768;  // the panel side: the cursor stays
  TurnStep(rig.state, input, rig.chance, rig.observer);
  EXPECT_EQ(rig.state.match.CursorX, 120);
}

TEST(TurnStep, ButtonsBesideTheBoard) {
  Rig rig;
  TurnStep(rig.state, LeftClick(800, 720), rig.chance, rig.observer);
  EXPECT_EQ(rig.state.match.SwapModeArmed, 1);
  // A completed swap is reset by the next turn step; the button cannot arm it then.
  rig.state.match.SwapModeArmed = -1;
  TurnStep(rig.state, LeftClick(800, 720), rig.chance, rig.observer);
  EXPECT_EQ(rig.state.match.SwapModeArmed, 0);

  rig.state.match.SwapFirst = {24, 24};
  TurnStep(rig.state, LeftClick(780, 635), rig.chance, rig.observer);
  EXPECT_EQ(rig.observer.Count("message [Bitte beenden"), 1);
  EXPECT_EQ(rig.state.match.Lives, 2);

  EXPECT_EQ(rig.state.match.QuitRequested, 0);
  TurnStep(rig.state, LeftClick(995, 757), rig.chance, rig.observer);
  EXPECT_EQ(rig.state.match.QuitRequested, 1);
}

}  // namespace
}  // namespace kb
