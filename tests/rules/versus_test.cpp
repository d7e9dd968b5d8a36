#include <gtest/gtest.h>

#include "rules/cursor.h"
#include "rules/removal_step.h"
#include "rules/send_stones.h"
#include "rules/turn_step.h"
#include "rules_support.h"

namespace kb {
namespace {

using test::BoardOf;
using test::BoardText;
using test::NoGroups;
using test::Rig;

// A split-board rig: two people, or one against the computer.
Rig& SplitBoard(Rig& rig, bool computer, uint8_t turn) {
  rig.state.match.HumanPlayers = computer ? 1 : 2;
  rig.state.match.ComputerPlayers = computer ? 1 : 0;
  rig.state.match.Lives = 0;
  rig.state.match.Turn = turn;
  return rig;
}

int32_t Burst(Rig& rig, PlayerInput input) {
  TurnStep(rig.state, input, rig.chance, rig.observer);
  return RemovalStep(rig.state, input, rig.chance, rig.observer);
}

PlayerInput Click(int32_t x, int32_t y) {
  PlayerInput input;
  input.PointerX = x;
  input.PointerY = y;
  input.LeftButton = 1;
  return input;
}

PlayerInput RightDrag(int32_t x, int32_t y) {
  PlayerInput input;
  input.PointerX = x;
  input.PointerY = y;
  input.RightButton = 1;
  return input;
}

TEST(SplitBoardTurn, EachPersonsKeysAndMouseActOnlyOnTurn) {
  Rig rig;
  SplitBoard(rig, false, kRightOnTurn);
  MatchState& match = rig.state.match;
  PlayerInput keys;
  keys.Right = keys.Up = true;
  keys.D = keys.W = true;
  for (int step = 0; step < 20; ++step) TurnStep(rig.state, keys, rig.chance, rig.observer);
  // The arrows stop at the half's last column; WASD waited for its turn.
  EXPECT_EQ(match.CursorX, 360);
  EXPECT_EQ(match.CursorY, 744 - 10 * 48);
  EXPECT_EQ(match.Cursor2X, 24);
  EXPECT_EQ(match.Cursor2Y, 744);

  match.Turn = kLeftOnTurn;
  keys.A = true;
  keys.D = false;
  for (int step = 0; step < 4; ++step) TurnStep(rig.state, keys, rig.chance, rig.observer);
  EXPECT_EQ(match.CursorX, 360);
  EXPECT_EQ(match.Cursor2X, 24);  // A stops at the left edge
  EXPECT_EQ(match.Cursor2Y, 744 - 2 * 48);

  // The right button: the second person's cursor follows into the left half only.
  TurnStep(rig.state, RightDrag(200, 100), rig.chance, rig.observer);
  EXPECT_EQ(match.Cursor2X, 216);
  EXPECT_EQ(match.Cursor2Y, 120);
  TurnStep(rig.state, RightDrag(400, 300), rig.chance, rig.observer);
  TurnStep(rig.state, RightDrag(700, 300), rig.chance, rig.observer);
  EXPECT_EQ(match.Cursor2X, 216);
  EXPECT_EQ(match.CursorX, 360);

  match.Turn = kRightOnTurn;
  TurnStep(rig.state, RightDrag(700, 768), rig.chance, rig.observer);
  EXPECT_EQ(match.CursorX, 72);
  EXPECT_EQ(match.CursorY, 744);
  // x 1024 would be a seventeenth column: the cursor stays.
  TurnStep(rig.state, RightDrag(1024, 300), rig.chance, rig.observer);
  EXPECT_EQ(match.CursorX, 72);

  TurnStep(rig.state, Click(559, 757), rig.chance, rig.observer);
  EXPECT_EQ(match.QuitRequested, 1);
}

TEST(SplitBoardTurn, BothHalvesGroupsStandMarkedAtOnce) {
  Rig rig;
  SplitBoard(rig, false, kRightOnTurn);
  rig.state.board = BoardOf({"11......33......"});
  rig.state.match.Cursor2X = 24;
  rig.state.match.CursorX = 24;
  TurnStep(rig.state, PlayerInput{}, rig.chance, rig.observer);
  EXPECT_EQ(rig.state.GroupSizeB, 2);
  EXPECT_EQ(rig.state.GroupSizeA, 2);
  EXPECT_EQ(rig.state.marks[15][1], 1);
  EXPECT_EQ(rig.state.marks[15][9], 1);
}

TEST(SplitBoardRemoval, ACommitPassesTheTurnAndSendsTheGroupAcross) {
  Rig rig;
  SplitBoard(rig, false, kLeftOnTurn);
  rig.state.board = NoGroups(11);
  // A group of five in the left half: five stones and one indestructible go right.
  for (int32_t column = 0; column < 5; ++column) rig.state.board.SetCell(15, column, 3);
  const int32_t rightBefore = StonesIn(rig.state.board, BoardRegion::RightHalf);
  PlayerInput commit;
  commit.LeftCtrl = true;
  commit.Return = true;  // not the right player's turn
  EXPECT_EQ(Burst(rig, commit), 0);
  EXPECT_EQ(rig.state.match.Turn, kRightOnTurn);
  EXPECT_EQ(StonesIn(rig.state.board, BoardRegion::LeftHalf), 5 * 8 - 5);
  EXPECT_EQ(StonesIn(rig.state.board, BoardRegion::RightHalf), rightBefore + 6);
  EXPECT_EQ(test::CountCode(rig.state.board, kIndestructible), 1);
  // No points, no pause on the split board; one explosion per stone.
  EXPECT_EQ(rig.observer.Count("pause"), 0);
  EXPECT_EQ(rig.observer.Count("particles"), 5);
  EXPECT_EQ(rig.state.match.Score, 0);

  // The right player's commit on a lone stone removes and sends nothing, but passes.
  const Board before = rig.state.board;
  PlayerInput ret;
  ret.Return = true;
  rig.state.match.CursorY = 24;
  EXPECT_EQ(Burst(rig, ret), 0);
  EXPECT_EQ(rig.state.match.Turn, kLeftOnTurn);
  EXPECT_EQ(rig.state.board, before);
}

TEST(SplitBoardRemoval, EmptiedColumnsCloseTowardsTheMiddleAndTheRightEdge) {
  Rig rig;
  SplitBoard(rig, false, kLeftOnTurn);
  rig.state.board = BoardOf({"2.1.....1.2.....", "11224...33444..."});
  EXPECT_EQ(Burst(rig, Click(30, 740)), 0);  // the 1s of columns 0 and 1
  // The left half closes towards column 7. One stone each went right.
  EXPECT_EQ(BoardText(rig.state.board).substr(14 * 17, 8), ".....1..");
  EXPECT_EQ(BoardText(rig.state.board).substr(15 * 17, 8), "....2224");
  EXPECT_EQ(StonesIn(rig.state.board, BoardRegion::RightHalf), 9);

  // The right player's three 3s empty column 9; the 1 above them in column 8 falls.
  Board board = rig.state.board;
  for (int32_t column = 8; column < 16; ++column) {
    for (int32_t row = 0; row < 16; ++row) board.SetCell(row, column, kEmpty);
  }
  board.SetCell(14, 8, 1);
  board.SetCell(15, 8, 3);
  board.SetCell(15, 9, 3);
  board.SetCell(14, 9, 3);
  board.SetCell(15, 10, 4);
  rig.state.board = board;
  EXPECT_EQ(Burst(rig, Click(640 + 60, 700)), 0);
  EXPECT_EQ(rig.state.board.CellAt(15, 15), 4);
  EXPECT_EQ(rig.state.board.CellAt(15, 14), 1);
  EXPECT_TRUE(ColumnIsEmpty(rig.state.board, 8));
}

TEST(SplitBoardRemoval, AClickAtTheScreensLastPixelColumnMeansTheLastColumn) {
  Rig rig;
  SplitBoard(rig, false, kRightOnTurn);
  rig.state.board = BoardOf({"..............33"});
  EXPECT_EQ(Burst(rig, Click(1024, 768)), 0);
  EXPECT_EQ(rig.state.match.CursorX, 360);
  EXPECT_EQ(rig.state.match.CursorY, 744);
  EXPECT_EQ(StonesIn(rig.state.board, BoardRegion::RightHalf), 0);
  EXPECT_EQ(StonesIn(rig.state.board, BoardRegion::LeftHalf), 2);
  // A click in the gap between the halves is no commit.
  rig.state.match.Turn = kRightOnTurn;
  EXPECT_EQ(Burst(rig, Click(500, 300)), 0);
  EXPECT_EQ(rig.state.match.Turn, kRightOnTurn);
}

TEST(SplitBoardRemoval, AHalfThatCannotTakeTheStonesLosesTheBout) {
  Rig rig;
  SplitBoard(rig, false, kRightOnTurn);
  Board board = NoGroups(1);
  for (int32_t column = 8; column < 16; ++column) board.SetCell(15, column, 4);
  rig.state.board = board;
  PlayerInput ret;
  ret.Return = true;
  // 120 stones on the left cannot take eight and one more.
  EXPECT_EQ(Burst(rig, ret), kRightPlayer);
  EXPECT_EQ(StonesIn(rig.state.board, BoardRegion::LeftHalf), 120);

  // While the bout-end display runs, commits still remove and pass, but send nothing.
  rig.state.board = board;
  rig.state.match.BoutEndCountdown = 50;
  rig.state.match.Turn = kRightOnTurn;
  EXPECT_EQ(Burst(rig, ret), 0);
  EXPECT_EQ(StonesIn(rig.state.board, BoardRegion::LeftHalf), 120);
  EXPECT_EQ(StonesIn(rig.state.board, BoardRegion::RightHalf), 112);
  EXPECT_EQ(rig.state.match.Turn, kLeftOnTurn);
}

TEST(VersusComputer, ThePersonsKeysAndClicksDoNothingOnTheComputersTurn) {
  Rig rig;
  SplitBoard(rig, true, kLeftOnTurn);
  rig.state.board = NoGroups(11);
  rig.state.board.SetCell(15, 10, 3);
  rig.state.board.SetCell(15, 11, 3);
  rig.state.computer.TargetColumn = 7;  // a long walk ahead
  rig.state.computer.TargetRow = 0;
  const Board before = rig.state.board;
  PlayerInput everything = Click(700, 740);
  everything.RightButton = 1;
  everything.Return = everything.LeftCtrl = true;
  everything.Left = everything.Up = everything.W = everything.D = true;
  for (int step = 0; step < 5; ++step) EXPECT_EQ(Burst(rig, everything), 0);
  const MatchState& match = rig.state.match;
  EXPECT_EQ(match.Turn, kLeftOnTurn);
  EXPECT_EQ(match.CursorX, 24);
  EXPECT_EQ(match.CursorY, 744);
  EXPECT_EQ(match.Cursor2X, CellCentre(5));  // only the computer's walk moved it
  EXPECT_EQ(match.Cursor2Y, 744);
  EXPECT_EQ(rig.state.board, before);
}

}  // namespace
}  // namespace kb
