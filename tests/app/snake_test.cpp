#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "extras/snake_game.h"
#include "extras/snake_look.h"
#include "extras_support.h"
#include "rules/board.h"

namespace kb {
namespace {

using Screens = std::vector<std::string>;

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kGreen = 0xFF00FF00u;
constexpr uint32_t kBlue = 0xFF0000FFu;

int32_t Centre(int32_t cell) {
  return 24 + 48 * cell;
}

// A snake laid out from its head backwards: each piece stands one cell
// behind the piece ahead, opposite to its own direction.
SnakeGame Snake(int32_t column, int32_t row, std::initializer_list<int32_t> directions) {
  SnakeGame snake;
  snake.EggX = snake.EggY = -1000;
  int32_t x = Centre(column);
  int32_t y = Centre(row);
  int32_t i = 0;
  for (int32_t d : directions) {
    if (i > 0) {
      x -= d == kSnakeLeft ? -48 : d == kSnakeRight ? 48 : 0;
      y -= d == kSnakeUp ? -48 : d == kSnakeDown ? 48 : 0;
    }
    snake.Pieces[static_cast<size_t>(i)] = SnakeSegment{x, y, d};
    ++i;
  }
  snake.LastIndex = i - 1;
  return snake;
}

// One step's moves and tests, without the screen.
void Step(SnakeGame& snake, SnakeSteering steering = {}) {
  snake.Steer(steering);
  snake.Move();
  snake.FollowHead();
}

TEST(SnakeRules, ReversingIsHarmlessUpToTwoPiecesAndFatalFromThree) {
  SnakeGame one = Snake(7, 7, {kSnakeRight});
  Step(one, {.left = true});
  EXPECT_FALSE(one.GameOver);  // "right" refuses "left"...
  EXPECT_EQ(one.Pieces[0].x, Centre(8));
  Step(one, {.up = true});
  Step(one, {.left = true});  // ...but up then left turns it around
  EXPECT_FALSE(one.GameOver);
  EXPECT_EQ(one.Pieces[0].x, Centre(7));

  // Moving up, left and down held together turn it left, then down.
  SnakeGame two = Snake(7, 7, {kSnakeUp, kSnakeUp});
  Step(two, {.left = true, .down = true});
  EXPECT_FALSE(two.GameOver);  // head and tail swap cells
  EXPECT_EQ(two.Pieces[0].y, Centre(8));
  EXPECT_EQ(two.Pieces[1].y, Centre(7));

  SnakeGame three = Snake(7, 7, {kSnakeUp, kSnakeUp, kSnakeUp});
  Step(three, {.left = true, .down = true});
  EXPECT_TRUE(three.GameOver);

  // Moving right, up and left held together: the left test comes first and is refused.
  SnakeGame turn = Snake(7, 7, {kSnakeRight, kSnakeRight, kSnakeRight});
  Step(turn, {.left = true, .up = true});
  EXPECT_FALSE(turn.GameOver);
  EXPECT_EQ(turn.Pieces[0].direction, kSnakeUp);
}

TEST(SnakeRules, TheBorderEndsTheGameInEveryDirectionWithoutMoving) {
  struct Case {
    int32_t column, row, direction;
  };
  for (const Case c : {Case{0, 5, kSnakeLeft}, Case{15, 5, kSnakeRight}, Case{5, 0, kSnakeUp},
                       Case{5, 15, kSnakeDown}}) {
    SnakeGame snake = Snake(c.column, c.row, {c.direction, c.direction});
    Step(snake);
    EXPECT_TRUE(snake.GameOver) << c.direction;
    EXPECT_EQ(snake.Pieces[0].x, Centre(c.column));
    EXPECT_EQ(snake.Pieces[0].y, Centre(c.row));
  }
  // One cell before the border is still inside.
  SnakeGame inside = Snake(1, 14, {kSnakeLeft});
  Step(inside);
  Step(inside, {.down = true});
  EXPECT_FALSE(inside.GameOver);
  EXPECT_EQ(inside.Pieces[0].x, Centre(0));
  EXPECT_EQ(inside.Pieces[0].y, Centre(15));
}

TEST(SnakeRules, TheHeadMayEnterTheCellTheTailLeaves) {
  // Four pieces round a 2 x 2 square: the head always goes where the tail was.
  SnakeGame ring = Snake(5, 5, {kSnakeUp, kSnakeRight, kSnakeDown, kSnakeLeft});
  ASSERT_EQ(ring.Pieces[3].x, Centre(5));
  ASSERT_EQ(ring.Pieces[3].y, Centre(4));
  const int32_t turns[4] = {kSnakeUp, kSnakeLeft, kSnakeDown, kSnakeRight};
  for (int i = 0; i < 8; ++i) {
    const int32_t d = turns[i % 4];
    Step(ring, {.left = d == kSnakeLeft,
                .up = d == kSnakeUp,
                .right = d == kSnakeRight,
                .down = d == kSnakeDown});
    EXPECT_FALSE(ring.GameOver) << i;
  }
  EXPECT_EQ(ring.Pieces[0].x, Centre(5));
  EXPECT_EQ(ring.Pieces[0].y, Centre(5));
  // With a fifth piece the same circle runs into it.
  SnakeGame longer = Snake(5, 5, {kSnakeUp, kSnakeRight, kSnakeDown, kSnakeLeft, kSnakeLeft});
  Step(longer);
  EXPECT_TRUE(longer.GameOver);
}

TEST(SnakeRules, AnEggAddsPointsAndAPieceBehindTheTailThatMayStandOutside) {
  Random random;
  platform::FakePlatform fake;
  Chance chance(random, fake);
  SnakeGame snake = Snake(1, 3, {kSnakeRight, kSnakeRight});  // tail in column 0
  snake.EatEgg(chance);
  EXPECT_EQ(snake.Points, 100);
  EXPECT_EQ(snake.LastIndex, 2);
  EXPECT_EQ(snake.Pieces[2].x, -24);  // outside the field, one cell left of it
  EXPECT_EQ(snake.Pieces[2].direction, kSnakeRight);
  EXPECT_EQ(snake.EggX % 48, 24);
  EXPECT_LT(snake.EggX, 768);
  EXPECT_LT(snake.EggY, 768);
  Step(snake, {.up = true});
  EXPECT_FALSE(snake.GameOver);
  EXPECT_EQ(snake.Pieces[2].x, Centre(0));
}

TEST(SnakeRules, ASnakeThatFillsTheFieldEndsTheGameAndNeverOutgrowsItsPieces) {
  Random random;
  platform::FakePlatform fake;
  Chance chance(random, fake);
  SnakeGame snake = Snake(7, 7, {kSnakeLeft});
  for (int i = 0; i < 254; ++i) snake.EatEgg(chance);
  EXPECT_EQ(snake.LastIndex, 254);
  EXPECT_FALSE(snake.GameOver);
  snake.EatEgg(chance);
  EXPECT_EQ(snake.LastIndex, 255);
  EXPECT_TRUE(snake.GameOver);
  snake.EatEgg(chance);
  EXPECT_EQ(snake.LastIndex, 255);
  EXPECT_EQ(snake.Points, 25600);
}

// The edges of its cell a picture joins at angle 0, in the order left, up,
// right, down; a quarter turn counterclockwise moves each edge on by one
// (left becomes down, down becomes right...).
std::set<int32_t> Edges(SnakeImage image, float angle) {
  std::set<int32_t> at0;
  switch (image) {
    case SnakeImage::kBody:
      at0 = {kSnakeLeft, kSnakeRight};
      break;
    case SnakeImage::kBodyRound:
    case SnakeImage::kEndLeft:  // body to the left, came up from below
      at0 = {kSnakeLeft, kSnakeDown};
      break;
    case SnakeImage::kEnd:
      at0 = {kSnakeLeft, kSnakeRight};
      break;
    case SnakeImage::kEndRight:  // body to the left, came down from above
      at0 = {kSnakeLeft, kSnakeUp};
      break;
    default:
      break;
  }
  const int quarters = static_cast<int>(std::lround(angle / 1.57f));
  std::set<int32_t> turned;
  for (int32_t e : at0) turned.insert((e + 3 * quarters) % 4);
  return turned;
}

int32_t Opposite(int32_t d) {
  return (d + 2) % 4;
}

TEST(SnakeLooks, EveryPieceJoinsThePieceAheadAndTheWayItCameFrom) {
  for (int32_t own = 0; own < 4; ++own) {
    // The head faces where it goes.
    const SnakeLook head = LookOfPiece(0, 3, own, own);
    const std::map<int32_t, SnakeImage> faces = {{kSnakeLeft, SnakeImage::kHeadLeft},
                                                 {kSnakeRight, SnakeImage::kHeadRight}};
    if (faces.count(own) != 0) {
      EXPECT_EQ(head.image, faces.at(own));
      EXPECT_EQ(head.angle, 0.0f);
    } else {
      EXPECT_EQ(head.image, SnakeImage::kHead);
      EXPECT_EQ(head.angle, own == kSnakeUp ? 0.0f : 3.14f);
    }
    for (int32_t ahead = 0; ahead < 4; ++ahead) {
      for (const int32_t index : {1, 3}) {  // body, tail
        const SnakeLook look = LookOfPiece(index, 3, own, ahead);
        if (ahead == Opposite(own)) {
          EXPECT_EQ(look.image, SnakeImage::kNone);
          continue;
        }
        // After the move, the piece ahead lies in its direction and the
        // piece behind (or the way the tail came) opposite the own one.
        EXPECT_EQ(Edges(look.image, look.angle), (std::set<int32_t>{ahead, Opposite(own)}))
            << own << " " << ahead << " " << index;
        const bool tail = look.image == SnakeImage::kEnd || look.image == SnakeImage::kEndLeft ||
                          look.image == SnakeImage::kEndRight;
        EXPECT_EQ(tail, index == 3);
        if (tail) {
          // The body goes on towards the piece ahead: the left edge at angle 0.
          const int quarters = static_cast<int>(std::lround(look.angle / 1.57f));
          EXPECT_EQ((kSnakeLeft + 3 * quarters) % 4, ahead) << own << " " << ahead;
        }
      }
    }
  }
  // A snake of one piece is only its head.
  EXPECT_EQ(LookOfPiece(0, 0, kSnakeDown, kSnakeDown).image, SnakeImage::kHead);
}

struct SnakeScreen : ::testing::Test {
  SnakeScreen() : script(g) {}
  // Before each step, the egg lies in the cell ahead of the head until the
  // snake has `points`.
  void FeedUntil(int32_t points) {
    SnakeGame& s = g.game.snake;
    if (s.Points >= points || s.GameOver) return;
    const int32_t d = s.Pieces[0].direction;
    s.EggX = s.Pieces[0].x + (d == kSnakeLeft ? -48 : d == kSnakeRight ? 48 : 0);
    s.EggY = s.Pieces[0].y + (d == kSnakeUp ? -48 : d == kSnakeDown ? 48 : 0);
  }
  test::FakeGame g;
  test::FrameScript script;
};

TEST_F(SnakeScreen, ThreeEggsInTheBonusShowTheirPointsAndTheProduct) {
  g.game.rules.match.Multiplier = 3;
  g.game.rules.match.UltraMultiplier = 2;
  bool shown = false;
  script.EveryFrame([&](uint64_t) {
    FeedUntil(300);
    if (g.game.snake.Points == 300 && !shown) {
      shown =
          test::ShowsText(g, "Punkte:", 800, 180, kBlue) &&
          test::ShowsText(g, "300", 920, 180, kBlue) && test::ShowsText(g, "*", 800, 200, kBlue) &&
          test::ShowsText(g, "3", 820, 200, kBlue) && test::ShowsText(g, "2", 820, 220, kBlue) &&
          test::ShowsText(g, "=", 800, 240, kBlue) && test::ShowsText(g, "1800", 820, 240, kRed);
      test::PressForNextStep(g, {key::kEscape});
    }
  });
  g.game.RunSnakeGame(false);
  EXPECT_TRUE(shown);
  EXPECT_EQ(g.game.snake.Points, 300);
  EXPECT_EQ(g.game.snake.LastIndex, 3);
  EXPECT_FALSE(g.game.snake.GameOver);
  EXPECT_EQ(g.screens, (Screens{"snake"}));  // no highscore in the bonus
}

TEST_F(SnakeScreen, TheCountdownStandsOverTheFirstStepAndEscapeHeldEndsTheGameAfterIt) {
  std::vector<std::vector<uint32_t>> frames;
  uint64_t countdownStart = 0;
  uint64_t countdownEnd = 0;
  script.EveryFrame([&](uint64_t) {
    if (g.screens.back() != "snake") return;
    frames.push_back(g.fake.LastFrame());
    if (frames.size() == 3) countdownStart = g.Now();
    if (frames.size() == 10) countdownEnd = g.Now();
  });
  g.fake.KeyDownAt(g.Now(), key::kEscape);
  const uint64_t start = g.Now();
  // The stand-alone game then offers its 0 points: the game-over picture.
  g.fake.KeyPressAt(g.Now() + 4000, key::kReturn, 50);
  g.game.RunSnakeGame(true);
  EXPECT_EQ(g.screens, (Screens{"snake", "highscore entry"}));

  // The empty frame, the one step, then two presents per count.
  ASSERT_GE(frames.size(), 10u);
  const std::vector<uint32_t>& step = frames[1];
  EXPECT_EQ(frames[2], step);
  const std::vector<uint32_t>& last = frames[9];
  EXPECT_TRUE(test::FrameShowsText(g, frames[3], "3", 512, 354, kRed));
  EXPECT_FALSE(test::FrameShowsText(g, frames[3], "2", 512, 374, kRed));
  EXPECT_TRUE(test::FrameShowsText(g, last, "3", 512, 354, kRed));
  EXPECT_TRUE(test::FrameShowsText(g, last, "2", 512, 374, kRed));
  EXPECT_TRUE(test::FrameShowsText(g, last, "1", 512, 394, kRed));
  EXPECT_TRUE(test::FrameShowsText(g, last, "GO!", 504, 414, kGreen));
  EXPECT_TRUE(test::FrameShowsText(g, last, "Punkte:", 800, 180, kBlue));
  // Outside the texts the last count shows the first step's picture.
  int differing = 0;
  for (size_t i = 0; i < step.size(); ++i) differing += step[i] != last[i] ? 1 : 0;
  EXPECT_GT(differing, 0);
  EXPECT_LT(differing, 4 * 16 * 30);
  EXPECT_GE(countdownEnd - countdownStart, 1500u);
  EXPECT_LE(countdownEnd - countdownStart, 1700u);
  // ESC was seen by the first step: no other step was played.
  EXPECT_LE(frames.size(), 11u);
  EXPECT_EQ(g.game.snake.Points, 0);
  EXPECT_GE(g.Now() - start, 4000u);
}

TEST_F(SnakeScreen, HoldingThePadsUpButtonTurnsTheSnakeUp) {
  std::vector<int32_t> heads;
  script.EveryFrame([&](uint64_t) {
    if (script.Presented() <= 10) {
      // Until "GO!" the snake faces right, whatever it drew at the start.
      g.game.snake.Pieces[0].direction = kSnakeRight;
      if (script.Presented() == 10) {
        script.MoveTo(880, 400);  // inside the up arrow, 864..911 x 384..431
        g.fake.ButtonAt(g.Now() + 20, true, true);
      }
      return;
    }
    heads.push_back(g.game.snake.Pieces[0].y);
    if (heads.size() == 4) test::PressForNextStep(g, {key::kEscape});
  });
  g.game.RunSnakeGame(false);
  ASSERT_GE(heads.size(), 4u);
  EXPECT_EQ(g.game.snake.Pieces[0].direction, kSnakeUp);
  EXPECT_LT(heads.back(), heads.front());
}

TEST_F(SnakeScreen, TheStandAloneGameOffersItsPointsToTheHighscores) {
  bool named = false;
  int nameFrames = 0;
  script.EveryFrame([&](uint64_t) {
    const std::string& screen = g.screens.back();
    if (screen == "snake") {
      FeedUntil(200);
      if (g.game.snake.Points == 200) test::PressForNextStep(g, {key::kEscape});
    } else if (screen == "name entry") {
      ++nameFrames;
      if (nameFrames == 1) named = test::ShowsText(g, "1", 670, 100, 0xFF000000u);
      if (nameFrames == 2) test::PressForNextStep(g, {key::kLeftShift, 0x1F});  // 'S'
      if (nameFrames == 3) test::PressForNextStep(g, {key::kReturn});
    } else if (screen == "highscores") {
      g.fake.ButtonAt(g.Now() + 100, false, true);
      g.fake.ButtonAt(g.Now() + 200, false, false);
    }
  });
  g.game.rules.match.Score = 99999;  // what the last match left has no say
  g.game.RunSnakeGame(true);
  EXPECT_TRUE(named);
  EXPECT_EQ(g.screens, (Screens{"snake", "highscore entry", "name entry", "highscores"}));
  const HighscoreList stored = test::StoredHighscores(g);
  EXPECT_EQ(stored[0].Score, 200);
  EXPECT_STREQ(stored[0].Name.data(), "S");
}

Board AllOf(StoneCode code) {
  Board board;
  for (auto& row : board.cells) row.fill(code);
  return board;
}

TEST_F(SnakeScreen, AGroupOf50InAMatchStartsTheSnakeAndItsPointsEnterTheScore) {
  g.game.rules.match.HumanPlayers = 1;
  g.game.rules.match.ComputerPlayers = 0;
  int32_t scoreBefore = -1;
  bool announced = false;
  bool bonusShown = false;
  script.At(2, [&] {
    // Rows 13 to 15 and two stones of row 12: 50 stones of colour 1; the rest
    // a checkerboard of colours 2 and 3.
    Board board = AllOf(2);
    for (int r = 0; r < 16; ++r) {
      for (int c = 0; c < 16; ++c) board.cells[r][c] = (r + c) % 2 == 0 ? 2 : 3;
    }
    for (int r = 13; r < 16; ++r) board.cells[r].fill(1);
    board.cells[12][0] = board.cells[12][1] = 1;
    g.game.rules.board = board;
    g.game.rules.match.Multiplier = 3;
    g.game.rules.match.UltraMultiplier = 2;
    script.MoveTo(30, 740);
    script.Click();
  });
  script.EveryFrame([&](uint64_t) {
    const std::string& screen = g.screens.back();
    if (screen == "match" && scoreBefore < 0 && g.game.rules.match.BonusCountdown > 0) {
      scoreBefore = g.game.rules.match.Score;
    }
    if (screen == "match" && !announced) {
      announced = test::ShowsText(g, "Bonusgame: SNAKE", 482, 384, kBlue);
    }
    if (screen == "snake") {
      FeedUntil(200);
      if (g.game.snake.Points == 200 && !g.game.snake.GameOver) {
        test::PressForNextStep(g, {key::kEscape});
      }
    }
    if (screen == "snake" && g.game.snake.Points == 200 &&
        test::ShowsText(g, "1200 Bonuspunkte", 482, 384, kGreen) && !bonusShown) {
      bonusShown = true;
      g.fake.KeyPressAt(g.Now() + 2500, key::kEscape, 50);
    }
  });
  g.game.RunMatch();
  EXPECT_EQ(scoreBefore, 2500 * 6);
  EXPECT_TRUE(announced);
  EXPECT_TRUE(bonusShown);
  EXPECT_EQ(g.game.rules.match.Score, 2500 * 6 + 200 * 6);
  EXPECT_EQ(g.screens, (Screens{"match", "snake"}));
}

}  // namespace
}  // namespace kb
