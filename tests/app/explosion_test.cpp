#include <gtest/gtest.h>

#include "fake_game.h"
#include "match/match_screen.h"

namespace kb {
namespace {

uint32_t BackPixel(test::FakeGame& g, int x, int y) {
  return g.game.renderer.BackImage().At(x, y);
}

TEST(Explosions, AConnectorInTheRightHalfExplodesOverThatHalfOnScreen) {
  test::FakeGame g;
  Game& game = g.game;
  game.rules.match.HumanPlayers = 2;
  game.options.RingWidth = 60;
  game.rules.effects.RemovalAnimGrid[15][8] = 1;
  game.rules.effects.RingGrid[15][8] = 1;
  game.rules.effects.RemovedCodeGrid[15][8] = kConnector;
  game.renderer.BeginFrame();
  MatchScreen(game).DrawCellExplosion(8, 15);
  // Frame 2: radius 80 about (640 + 24, 744); the band reaches 30 inwards.
  int ringPixels = 0;
  for (int y = 744 - 110; y <= 744 - 50; ++y) ringPixels += BackPixel(g, 664, y) != 0xFF000000u;
  EXPECT_GT(ringPixels, 40);
  for (int y = 744 - 110; y <= 744 - 50; ++y) EXPECT_EQ(BackPixel(g, 408, y), 0xFF000000u);
}

TEST(Explosions, TheCounterRunsSixteenFramesAndEndsTheRing) {
  test::FakeGame g;
  Game& game = g.game;
  game.options.RingWidth = 0;
  game.rules.effects.RemovalAnimGrid[3][3] = 1;
  game.rules.effects.RingGrid[3][3] = 2;
  game.rules.effects.RemovedCodeGrid[3][3] = kMultiplier;
  game.renderer.BeginFrame();
  for (int n = 2; n <= 17; ++n) {
    ASSERT_GT(game.rules.effects.RemovalAnimGrid[3][3], 0);
    MatchScreen(game).DrawCellExplosion(3, 3);
    AdvanceRemovalAnimations(game.rules.effects);
  }
  EXPECT_EQ(game.rules.effects.RemovalAnimGrid[3][3], 0);
  EXPECT_EQ(game.rules.effects.RingGrid[3][3], 0);
}

TEST(Explosions, WithParticlesSwitchedOffARemovalStartsNoCloud) {
  test::FakeGame g;
  test::FrameScript script(g);
  g.PutOptions(0, 20, 0, 0, 0);
  g.game.rules.match.HumanPlayers = 1;
  bool removed = false;
  script.At(2, [&] {
    Board& board = g.game.rules.board;
    board.cells[15][0] = board.cells[15][1] = 1;  // a pair, walled in by other colours
    board.cells[14][0] = board.cells[15][2] = 2;
    board.cells[14][1] = 4;
    script.MoveTo(30, 740);
    script.Click();
  });
  script.EveryFrame([&](uint64_t) {
    if (!removed && g.game.rules.match.Score > 0) {
      removed = true;
      for (const auto& row : g.game.rules.effects.ParticleGrid) {
        for (int32_t n : row) EXPECT_EQ(n, 0);
      }
      g.fake.KeyPressAt(g.Now() + 10, key::kEscape, 50);
    }
  });
  g.game.RunMatch();
  EXPECT_TRUE(removed);
}

}  // namespace
}  // namespace kb
