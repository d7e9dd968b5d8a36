#include <gtest/gtest.h>

#include <cstring>

#include "core/cp1252.h"
#include "fake_game.h"
#include "frame_text.h"
#include "render/text_drawer.h"
#include "rules/board.h"

namespace kb {
namespace {

using Screens = std::vector<std::string>;

Board AllOf(StoneCode code) {
  Board board;
  for (auto& row : board.cells) row.fill(code);
  return board;
}

// A board on which nothing is left to do: no two neighbours alike.
Board Checkerboard() {
  Board board;
  for (int r = 0; r < 16; ++r) {
    for (int c = 0; c < 16; ++c) board.cells[r][c] = (r + c) % 2 == 0 ? 1 : 2;
  }
  return board;
}

struct MatchFixture : ::testing::Test {
  MatchFixture() : script(g) {
    g.game.rules.match.HumanPlayers = 1;
    g.game.rules.match.ComputerPlayers = 0;
  }
  // The first frame of the match is the first one after the title picture.
  void OnFirstFrame(std::function<void()> setup) { script.At(2, std::move(setup)); }

  test::FakeGame g;
  test::FrameScript script;
};

TEST_F(MatchFixture, AClickRemovesTheGroupAndThePanelShowsItsPoints) {
  std::vector<uint32_t> before, after;
  OnFirstFrame([&] {
    Board board = AllOf(3);
    board.cells[15][0] = 1;
    board.cells[15][1] = 1;
    board.cells[14][0] = 2;
    board.cells[14][1] = 4;
    board.cells[15][2] = 2;
    g.game.rules.board = board;
    script.MoveTo(30, 740);  // bottom-left cell
    script.Click();
  });
  script.At(3, [&] { before = g.fake.LastFrame(); });
  script.EveryFrame([&](uint64_t frame) {
    if (frame > 3 && g.game.rules.match.Score == 4 && after.empty()) {
      after = g.fake.LastFrame();
      g.fake.KeyPressAt(g.Now() + 10, key::kEscape, 50);
    }
  });
  g.game.RunMatch();
  ASSERT_FALSE(after.empty());
  EXPECT_TRUE(test::ShowsText(g, before, "0", 880, 180, 0xFFFF0000u));
  EXPECT_TRUE(test::ShowsText(g, after, "4", 880, 180, 0xFFFF0000u));
  EXPECT_TRUE(test::ShowsText(g, after, "Punkte:", 780, 180, 0xFFFF0000u));
  // The stones above fell into the gap: colour 2 and 4 now lie in row 15.
  EXPECT_EQ(g.game.rules.board.cells[15][0], 2);
  EXPECT_EQ(g.game.rules.board.cells[15][1], 4);
  EXPECT_EQ(g.screens, (Screens{"match"}));
}

// Taps shorter than the 100 ms between two updates: the passes between the
// updates read the input too, and must leave the tap to the update.
TEST_F(MatchFixture, AQuickClickBetweenTwoUpdatesRemovesItsGroupOnce) {
  OnFirstFrame([&] {
    Board board = Checkerboard();
    // Two pairs, one above the other: a second commit would take the upper pair.
    board.cells[15][0] = board.cells[15][1] = 3;
    board.cells[14][0] = board.cells[14][1] = 4;
    g.game.rules.board = board;
    script.MoveTo(30, 740);
    g.fake.ButtonAt(g.Now() + 20, true, true);
    g.fake.ButtonAt(g.Now() + 60, true, false);
    g.fake.KeyPressAt(g.Now() + 1000, key::kEscape, 50);
  });
  g.game.RunMatch();
  EXPECT_EQ(g.game.rules.match.Score, 4);
  EXPECT_EQ(g.game.rules.board.cells[15][0], 4);
}

TEST_F(MatchFixture, CursorTapsAQuarterSecondApartMoveOneCellEach) {
  OnFirstFrame([&] {
    for (int i = 0; i < 6; ++i) g.fake.KeyPressAt(g.Now() + 30 + 250 * i, key::kRight, 40);
    g.fake.KeyPressAt(g.Now() + 1800, key::kEscape, 50);
  });
  g.game.RunMatch();
  EXPECT_EQ(g.game.rules.match.CursorX, 24 + 6 * 48);
  EXPECT_EQ(g.game.rules.match.CursorY, 744);
}

TEST_F(MatchFixture, HoldingSpaceDuringASwapShowsTheWarningInEveryBurst) {
  int warnings = 0;
  OnFirstFrame([&] {
    g.game.rules.match.SwapFirst = ScreenPoint{24, 744};
    g.fake.KeyPressAt(g.Now() + 20, key::kSpace, 3500);
    g.fake.KeyPressAt(g.Now() + 5000, key::kEscape, 50);
  });
  script.EveryFrame([&](uint64_t) {
    if (test::ShowsText(g, g.fake.LastFrame(), "Bitte beenden sie zuerst ihren Steintausch!", 312,
                        384, 0xFFFF0000u)) {
      ++warnings;
    }
  });
  g.game.RunMatch();
  // Each warning stands in a frame of its own, followed by a second's pause;
  // between two of them the burst presents its own frame, still showing it.
  EXPECT_GE(warnings, 3);
  EXPECT_LE(warnings, 8);
  EXPECT_EQ(g.game.rules.match.Lives, 2);
  // Leaving the match ends the swap.
  EXPECT_EQ(g.game.rules.match.SwapFirst.x, -1);
}

TEST_F(MatchFixture, EscapeEndsTheMatchAfterItsClosingFlush) {
  OnFirstFrame([&] { g.fake.KeyPressAt(g.Now() + 300, key::kEscape, 50); });
  const uint64_t start = g.Now();
  g.game.RunMatch();
  // One second of start pause, a few bursts, then 200,000 reads of 0.2 s.
  EXPECT_GE(g.Now() - start, 1500u);
  EXPECT_LE(g.Now() - start, 1800u);
  EXPECT_EQ(g.game.rules.match.QuitRequested, 0);
}

TEST_F(MatchFixture, TheExitButtonEndsTheMatch) {
  OnFirstFrame([&] {
    script.MoveTo(940, 730);
    script.Click();
  });
  g.game.RunMatch();
  EXPECT_EQ(g.game.rules.match.QuitRequested, 0);
  EXPECT_EQ(g.screens, (Screens{"match"}));
}

TEST_F(MatchFixture, ALevelClearedWith1234PointsGivesItsBonusAndANewBoard) {
  bool shown = false;
  OnFirstFrame([&] {
    Board board = AllOf(kEmpty);
    board.cells[15][14] = 1;
    board.cells[15][15] = 1;
    g.game.rules.board = board;
    g.game.rules.match.Score = 1230;
    script.MoveTo(14 * 48 + 10, 750);
    script.Click();
  });
  script.EveryFrame([&](uint64_t) {
    const auto& frame = g.fake.LastFrame();
    if (!shown &&
        test::ShowsText(g, frame, "Das sind 123.400000 Bonuspunkte!", 112, 384, 0xFFFFFFFFu)) {
      shown =
          test::ShowsText(g, frame, "Nächster Level wurde erreicht!"_cp, 112, 404, 0xFFFFFFFFu) &&
          test::ShowsText(g, frame,
                          "Alle Steine entfernt! Sie bekommen 10 Prozent ihrer bisherigen Punkte "
                          "als Bonus!",
                          112, 364, 0xFFFFFFFFu);
      // The three lines stand for four seconds; ESC counts after them.
      g.fake.KeyPressAt(g.Now() + 4100, key::kEscape, 200);
    }
  });
  g.game.RunMatch();
  EXPECT_TRUE(shown);
  const MatchState& m = g.game.rules.match;
  EXPECT_EQ(m.Score, 1357);
  EXPECT_EQ(m.SwapPoints, 8);
  EXPECT_EQ(m.Multiplier, 1);
  int stones = 0;
  for (const auto& row : g.game.rules.board.cells) {
    for (StoneCode c : row) stones += c != kEmpty ? 1 : 0;
  }
  EXPECT_EQ(stones, 256);
}

TEST_F(MatchFixture, AGameOverEndsTheMatchAtOnceWithTheHighscoreEntry) {
  uint64_t returnAt = 0;
  OnFirstFrame([&] {
    // A score of 0 makes no list: the game-over picture waits for RETURN.
    returnAt = g.Now() + 1500;
    g.fake.KeyPressAt(returnAt, key::kReturn, 50);
    g.game.rules.board = Checkerboard();
    g.game.rules.board.cells[0][0] = kEmpty;  // keeps the level going
    g.game.rules.match.Lives = 0;
    g.game.rules.match.SwapPoints = 0;
  });
  const uint64_t start = g.Now();
  g.game.RunMatch();
  EXPECT_EQ(g.screens, (Screens{"match", "highscore entry"}));
  // No closing flush after a lost game.
  EXPECT_LE(g.Now() - returnAt, 50u);
  EXPECT_GE(g.Now() - start, 1000u);
}

TEST_F(MatchFixture, OptionValuesOutOfRangeAreUsedSafely) {
  g.PutOptions(1000000, 999, -5, 99, -7);
  int frames = 0;
  OnFirstFrame([&] { g.fake.KeyPressAt(g.Now() + 1500, key::kEscape, 50); });
  script.EveryFrame([&](uint64_t) { ++frames; });
  g.game.RunMatch();
  EXPECT_GE(frames, 10);
  // The stored values stay as they are; only their use is kept in range.
  EXPECT_EQ(g.game.options.GraphicSet, 99);
  EXPECT_EQ(g.game.options.AiStrength, -5);
  // The board was drawn with the last stone set.
  EXPECT_EQ(&g.game.resources.Stones(99), &g.game.resources.stoneSets[5]);
}

TEST_F(MatchFixture, AMissingOrShortOptionsFileKeepsTheValuesItDoesNotReach) {
  g.game.options = OptionValues{64, 8, 3, 2, 1};
  g.files.memory().Put("Optionen.bin", {16, 0, 0, 0, 12, 0, 0});  // 7 bytes
  OnFirstFrame([&] { g.fake.KeyPressAt(g.Now() + 200, key::kEscape, 50); });
  g.game.RunMatch();
  EXPECT_EQ(g.game.options.ParticlesPerStone, 16);
  EXPECT_EQ(g.game.options.RingWidth, 8);
  EXPECT_EQ(g.game.options.AiStrength, 3);
  EXPECT_EQ(g.game.options.GraphicSet, 2);
}

}  // namespace
}  // namespace kb
