#include <gtest/gtest.h>

#include "rules/group_finder.h"
#include "rules_support.h"

namespace kb {
namespace {

using test::BoardOf;

struct Found {
  int32_t size;
  MarkGrid marks;
};

Found Find(const Board& board, BoardRegion region, int32_t column, int32_t row) {
  Found found{};
  found.size = FindGroup(board, found.marks, region, column, row);
  return found;
}

int32_t MarkCount(const MarkGrid& marks) {
  int32_t count = 0;
  for (const auto& row : marks) {
    for (uint8_t m : row) count += m;
  }
  return count;
}

TEST(GroupFinder, PlainColourGroups) {
  const Board board = BoardOf({"11..............", "2.3............."});
  EXPECT_EQ(Find(board, BoardRegion::Whole, 0, 14).size, 2);
  EXPECT_EQ(Find(board, BoardRegion::Whole, 1, 14).size, 2);
  // A lone stone, and empty or unreachable cells, are no group and leave no mark.
  for (int32_t column : {0, 1, 2, 5}) {
    const Found lone = Find(board, BoardRegion::Whole, column, 15);
    EXPECT_EQ(lone.size, 0);
    EXPECT_EQ(MarkCount(lone.marks), 0);
  }
}

TEST(GroupFinder, ConnectorJoinsEveryColourButNotEmptyOrIndestructible) {
  const Board board = BoardOf({"..7.............", "11522...........", "..3............."});
  for (int32_t startColumn : {0, 2, 4}) {
    const Found found = Find(board, BoardRegion::Whole, startColumn, 14);
    EXPECT_EQ(found.size, 6) << startColumn;
    EXPECT_EQ(found.marks[13][2], 0);  // the indestructible stone above
    EXPECT_EQ(found.marks[15][2], 1);  // colour 3 below the connector
  }
}

TEST(GroupFinder, MultiplierNeedsTheSearchColour) {
  // Started on the multiplier the search colour is still unset: nothing joins.
  const Board board = BoardOf({"1611............"});
  EXPECT_EQ(Find(board, BoardRegion::Whole, 1, 15).size, 0);
  // Started on a colour stone, the multiplier joins and leads on into that colour.
  EXPECT_EQ(Find(board, BoardRegion::Whole, 0, 15).size, 4);
  EXPECT_EQ(Find(BoardOf({"1622............"}), BoardRegion::Whole, 0, 15).size, 2);
}

TEST(GroupFinder, SearchColourFollowsTheLastColourPassed) {
  // From the 1 at the left: right into the connector, on into the 2s, down from the
  // last 2 to the multiplier. The search colour is 2 by then, so the multiplier goes
  // on into the 2 beside it and not into the 1.
  const Board board = BoardOf({
      "1522............",
      "..16............",
      "...2............",
  });
  const Found found = Find(board, BoardRegion::Whole, 0, 13);
  EXPECT_EQ(found.size, 6);
  EXPECT_EQ(found.marks[14][3], 1);  // the multiplier
  EXPECT_EQ(found.marks[15][3], 1);  // the 2 below it
  EXPECT_EQ(found.marks[14][2], 0);  // the 1 beside it
}

TEST(GroupFinder, NeighbourOrderDecidesTheSearchColour) {
  // From the connector the search goes right before down: the 3 sets the search
  // colour, so the multiplier below then takes in the 3 beside it and not the 2. Had it
  // gone down first, the multiplier would have met colour 1 and taken neither.
  const Board board = BoardOf({
      "153.............",
      "362.............",
  });
  const Found found = Find(board, BoardRegion::Whole, 0, 14);
  EXPECT_EQ(found.size, 5);
  EXPECT_EQ(found.marks[15][0], 1);
  EXPECT_EQ(found.marks[15][2], 0);
}

TEST(GroupFinder, RegionsStopAtTheHalvesEvenThroughConnectors) {
  const Board board = BoardOf({"......1551......"});
  const Found right = Find(board, BoardRegion::RightHalf, 8, 15);
  EXPECT_EQ(right.size, 2);
  EXPECT_EQ(right.marks[15][7], 0);
  const Found left = Find(board, BoardRegion::LeftHalf, 7, 15);
  EXPECT_EQ(left.size, 2);
  EXPECT_EQ(left.marks[15][8], 0);
  EXPECT_EQ(Find(board, BoardRegion::Whole, 6, 15).size, 4);
  // A start outside its region is no group.
  EXPECT_EQ(Find(board, BoardRegion::RightHalf, 7, 15).size, 0);
  // A connector in the corner joins only what is on the board.
  EXPECT_EQ(Find(BoardOf({"...............5"}), BoardRegion::Whole, 15, 15).size, 0);
}

TEST(GroupFinder, SizesGoToTheRegionsCounter) {
  test::Rig rig;
  rig.state.board = BoardOf({"22............33"});
  rig.state.GroupSizeA = 77;
  FindGroup(rig.state, BoardRegion::LeftHalf, 0, 15);
  EXPECT_EQ(rig.state.GroupSizeB, 2);
  EXPECT_EQ(rig.state.GroupSizeA, 77);
  // Both halves stand marked at once when the marks are cleared only once.
  FindGroup(rig.state, BoardRegion::RightHalf, 15, 15);
  EXPECT_EQ(rig.state.GroupSizeA, 2);
  EXPECT_EQ(MarkCount(rig.state.marks), 4);
}

}  // namespace
}  // namespace kb
