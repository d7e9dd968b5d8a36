#include <gtest/gtest.h>

#include "extras_support.h"
#include "rules/board.h"
#include "snake/snake_game.h"

namespace kb {
namespace {

using Screens = std::vector<std::string>;

int32_t Centre(int32_t cell) {
  return 24 + 48 * cell;
}
int32_t StepX(int32_t d) {
  return d == kSnakeLeft ? -48 : d == kSnakeRight ? 48 : 0;
}
int32_t StepY(int32_t d) {
  return d == kSnakeUp ? -48 : d == kSnakeDown ? 48 : 0;
}

// A snake laid out from its head backwards: each piece stands one cell
// behind the piece ahead, opposite to its own direction.
SnakeGame Snake(int32_t column, int32_t row, std::initializer_list<int32_t> directions) {
  SnakeGame snake;
  snake.EggX = snake.EggY = -1000;
  int32_t x = Centre(column) + StepX(*directions.begin());
  int32_t y = Centre(row) + StepY(*directions.begin());
  for (int32_t d : directions) {
    x -= StepX(d);
    y -= StepY(d);
    snake.Pieces[static_cast<size_t>(snake.LastIndex++)] = SnakeSegment{x, y, d};
  }
  --snake.LastIndex;
  return snake;
}

// One step's moves and tests, without the screen.
bool Step(SnakeGame& snake, SnakeSteering steering = {}) {
  snake.Steer(steering);
  snake.Move();
  snake.FollowHead();
  return snake.GameOver;
}

TEST(SnakeRules, ReversingAndTheBorder) {
  SnakeGame one = Snake(7, 7, {kSnakeRight});
  EXPECT_FALSE(Step(one, {.left = true}));  // refused while moving right
  EXPECT_FALSE(Step(one, {.up = true}));
  EXPECT_FALSE(Step(one, {.left = true}));
  EXPECT_EQ(one.Pieces[0].x, Centre(7));

  // Moving up, left and down together turn it left, then down: a reversal.
  SnakeGame two = Snake(7, 7, {kSnakeUp, kSnakeUp});
  EXPECT_FALSE(Step(two, {.left = true, .down = true}));  // head and tail swap cells
  EXPECT_EQ(two.Pieces[0].y, Centre(8));
  SnakeGame three = Snake(7, 7, {kSnakeUp, kSnakeUp, kSnakeUp});
  EXPECT_TRUE(Step(three, {.left = true, .down = true}));

  for (const int32_t d : {kSnakeLeft, kSnakeUp, kSnakeRight, kSnakeDown}) {
    const int32_t edge = d == kSnakeLeft || d == kSnakeUp ? 0 : 15;
    const bool across = d == kSnakeLeft || d == kSnakeRight;
    SnakeGame snake = Snake(across ? edge : 5, across ? 5 : edge, {d, d});
    EXPECT_TRUE(Step(snake)) << d;
    EXPECT_EQ(snake.Pieces[0].x, Centre(across ? edge : 5)) << d;  // it did not move
    EXPECT_EQ(snake.Pieces[0].y, Centre(across ? 5 : edge)) << d;
  }
}

TEST(SnakeRules, TheHeadMayEnterTheCellTheTailLeavesAndTheFieldFullEndsTheGame) {
  // Round a 2 x 2 square, twice: four pieces always fit, five do not.
  SnakeGame ring = Snake(5, 5, {kSnakeUp, kSnakeRight, kSnakeDown, kSnakeLeft});
  for (int i = 0; i < 8; ++i) {
    const int32_t d = (kSnakeUp - i + 8) % 4;  // up, left, down, right
    EXPECT_FALSE(Step(ring, {.left = d == kSnakeLeft,
                             .up = d == kSnakeUp,
                             .right = d == kSnakeRight,
                             .down = d == kSnakeDown}))
        << i;
  }
  SnakeGame five = Snake(5, 5, {kSnakeUp, kSnakeRight, kSnakeDown, kSnakeLeft, kSnakeLeft});
  EXPECT_TRUE(Step(five));

  Random random;
  platform::FakePlatform fake;
  Chance chance(random, fake);
  SnakeGame snake = Snake(7, 7, {kSnakeLeft});
  for (int i = 0; i < 254; ++i) snake.EatEgg(chance);
  EXPECT_FALSE(snake.GameOver);
  snake.EatEgg(chance);  // the 256th piece
  EXPECT_TRUE(snake.GameOver);
  snake.EatEgg(chance);
  EXPECT_EQ(snake.LastIndex, 255);
}

struct SnakeScreen : ::testing::Test {
  SnakeScreen() : script(g) {}
  // Before each step, the egg lies in the cell ahead of the head until the
  // snake has `points`; then ESC.
  void FeedUntil(int32_t points) {
    SnakeGame& s = g.game.snake;
    if (s.GameOver) return;
    if (s.Points >= points) return test::PressForNextStep(g, {key::kEscape});
    s.EggX = s.Pieces[0].x + StepX(s.Pieces[0].direction);
    s.EggY = s.Pieces[0].y + StepY(s.Pieces[0].direction);
  }
  test::FakeGame g;
  test::FrameScript script;
};

TEST_F(SnakeScreen, ThreeEggsInTheBonusShowTheirPointsAndTheProduct) {
  g.game.rules.match.Multiplier = 3;
  g.game.rules.match.UltraMultiplier = 2;
  bool shown = false;
  script.EveryFrame([&](uint64_t) {
    if (g.game.snake.Points == 300 && !shown) {
      shown = test::ShowsText(g, "300", 920, 180, 0xFF0000FFu) &&
              test::ShowsText(g, "3", 820, 200, 0xFF0000FFu) &&
              test::ShowsText(g, "2", 820, 220, 0xFF0000FFu) &&
              test::ShowsText(g, "1800", 820, 240, 0xFFFF0000u);
    }
    FeedUntil(300);
  });
  g.game.RunSnakeGame(false);
  EXPECT_TRUE(shown);
  EXPECT_EQ(g.game.snake.LastIndex, 3);
  EXPECT_EQ(g.screens, (Screens{"snake"}));  // no highscore in the bonus
}

TEST_F(SnakeScreen, TheStandAloneGameOffersItsPointsToTheHighscores) {
  int nameFrames = 0;
  script.EveryFrame([&](uint64_t) {
    const std::string& screen = g.screens.back();
    if (screen == "snake") FeedUntil(200);
    if (screen == "name entry" && ++nameFrames == 2) test::PressForNextStep(g, {0x1F});  // 's'
    if (screen == "name entry" && nameFrames == 3) test::PressForNextStep(g, {key::kReturn});
    if (screen == "highscores") g.fake.ButtonAt(g.Now() + 100, false, true);
  });
  g.game.rules.match.Score = 99999;  // what the last match left has no say
  g.game.RunSnakeGame(true);
  EXPECT_EQ(g.screens, (Screens{"snake", "highscore entry", "name entry", "highscores"}));
  const HighscoreList stored = test::StoredHighscores(g);
  EXPECT_EQ(stored[0].Score, 200);
  EXPECT_STREQ(stored[0].Name.data(), "s");
}

TEST_F(SnakeScreen, AGroupOf50InAMatchStartsTheSnakeWithinASecondAndItsPointsEnterTheScore) {
  g.game.rules.match.HumanPlayers = 1;
  g.game.rules.match.ComputerPlayers = 0;
  g.game.rules.match.BonusCountdown = 500;  // left over from an earlier match
  bool bonusShown = false;
  uint64_t removedAt = 0;
  uint64_t snakeAt = 0;
  bool announcedOnAFreshFrame = false;
  script.At(2, [&] {
    // Rows 13 to 15 and two stones of row 12 in colour 1, over a checkerboard.
    Board board;
    for (int r = 0; r < 16; ++r) {
      for (int c = 0; c < 16; ++c)
        board.cells[r][c] = r >= 13 || (r == 12 && c < 2) ? 1 : 2 + (r + c) % 2;
    }
    g.game.rules.board = board;
    g.game.rules.match.Multiplier = 3;
    g.game.rules.match.UltraMultiplier = 2;
    script.MoveTo(30, 740);
    script.Click();
  });
  script.EveryFrame([&](uint64_t) {
    if (removedAt == 0 && g.game.rules.match.Score > 0) removedAt = g.Now();
    if (test::ShowsText(g, "Bonusgame: SNAKE", 482, 384, 0xFF0000FFu)) {
      // The pass's own frame: grid lines and the frame rate, but no buttons.
      announcedOnAFreshFrame = g.fake.LastFrame()[730 * 1024 + 940] == 0xFF000000u;
    }
    if (g.screens.back() != "snake" || bonusShown) return;
    if (snakeAt == 0) snakeAt = g.Now();
    if (test::ShowsText(g, "1200 Bonuspunkte", 482, 384, 0xFF00FF00u)) {
      bonusShown = true;
      g.fake.KeyPressAt(g.Now() + 2500, key::kEscape, 50);
    } else {
      FeedUntil(200);
    }
  });
  g.game.RunMatch();
  EXPECT_TRUE(bonusShown);
  EXPECT_TRUE(announcedOnAFreshFrame);
  // The removal shows one burst after the click; then a second at most,
  // with the announcement's own second, until the snake game.
  EXPECT_GT(snakeAt, removedAt);
  EXPECT_LE(snakeAt - removedAt, 2200u);
  EXPECT_EQ(g.game.rules.match.Score, 2500 * 6 + 200 * 6);
  EXPECT_EQ(g.screens, (Screens{"match", "snake"}));
}

}  // namespace
}  // namespace kb
