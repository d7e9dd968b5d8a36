#include <gtest/gtest.h>

#include "fake_game.h"

namespace kb {
namespace {

using Screens = std::vector<std::string>;

// The first main-menu frame is frame 2: the title picture was frame 1.
TEST(MainMenu, AClickHighlightsAndAClickOnTheHighlightedEntryStartsIt) {
  test::FakeGame g;
  test::FrameScript script(g);
  script.At(2, [&] {
    script.MoveTo(500, 190);  // "Highscores"
    script.Click();
  });
  script.At(4, [&] { script.Click(); });
  script.At(5, [&] { script.Key(key::kEscape, 60); });  // leaves the table
  script.At(6, [&] {
    script.MoveTo(500, 580);  // "Beenden": highlighted by the first click only
    script.Click();
  });
  script.At(8, [&] { script.Click(); });
  g.game.RunMainMenu();
  EXPECT_EQ(g.screens, (Screens{"main menu", "highscores"}));
  EXPECT_LT(script.Presented(), 12u);
}

// Taps shorter than a menu frame, let go while the menu waits for its next one.
TEST(MainMenu, QuickTapsMoveTheHighlightOneEntryAndStartItOnce) {
  test::FakeGame g;
  test::FrameScript script(g);
  script.At(2, [&] { g.fake.KeyPressAt(g.Now() + 30, key::kDown, 40); });  // "Highscores"
  script.At(4, [&] { g.fake.KeyPressAt(g.Now() + 30, key::kReturn, 40); });
  script.At(5, [&] { script.Key(key::kEscape, 60); });  // leaves the table
  script.At(6, [&] {
    script.MoveTo(500, 580);  // "Beenden"
    script.Click();
  });
  script.At(8, [&] { script.Click(); });
  g.game.RunMainMenu();
  EXPECT_EQ(g.screens, (Screens{"main menu", "highscores"}));
}

TEST(MainMenu, BandsAloneDecideAndAClickInNoBandStartsTheHighlightedEntry) {
  test::FakeGame g;
  test::FrameScript script(g);
  // y 152 lies on the "Spielen" image but in the band of "Highscores".
  script.At(2, [&] {
    script.MoveTo(500, 152);
    script.Click();
  });
  script.At(4, [&] {
    script.MoveTo(500, 700);  // below every band
    script.Click();
  });
  script.At(5, [&] { script.Key(key::kEscape, 60); });
  script.At(6, [&] {
    script.MoveTo(500, 20);  // above every band
    script.Click();
  });
  script.At(7, [&] { script.Key(key::kEscape, 60); });
  script.At(8, [&] { g.fake.KeyDownAt(g.Now() + 50, key::kEscape); });  // ESC does nothing here
  script.At(10, [&] {
    g.fake.KeyUpAt(g.Now(), key::kEscape);
    script.MoveTo(500, 600);
    script.Click();
  });
  script.At(12, [&] { script.Click(); });
  g.game.RunMainMenu();
  EXPECT_EQ(g.screens, (Screens{"main menu", "highscores", "highscores"}));
}

TEST(MainMenu, ReturnHeldOnPlayOpensTheModeSelectionAgainAndAgain) {
  test::FakeGame g;
  test::FrameScript script(g);
  script.At(2, [&] { g.fake.KeyPressAt(g.Now() + 50, key::kReturn, 1200); });
  script.At(40, [&] { script.Key(key::kUp); });  // back on top, nothing changes
  script.At(42, [&] {
    for (int i = 0; i < 6; ++i) g.fake.KeyPressAt(g.Now() + 50 + 117 * i, key::kDown, 60);
  });
  script.At(52, [&] { script.Key(key::kReturn, 60); });
  g.game.RunMainMenu();
  ASSERT_GE(g.screens.size(), 3u);
  EXPECT_GE(g.Count("mode selection"), 3);
  EXPECT_EQ(g.Count("match"), 0);  // RETURN leaves the mode selection before it starts one
}

TEST(ModeSelection, StartsTheChosenModeAndLeavesOnTheRightButton) {
  test::FakeGame g;
  test::FrameScript script(g);
  // Frame 2 is the empty frame before the keyboard flush.
  script.At(3, [&] { script.Key(key::kDown, 60); });  // "1 Spieler gegen den Computer"
  script.At(5, [&] { script.Key(key::kReturn, 60); });
  bool checked = false;
  script.EveryFrame([&](uint64_t) {
    if (checked || g.screens.back() != "match") return;
    checked = true;
    EXPECT_EQ(g.game.rules.match.HumanPlayers, 1);
    EXPECT_EQ(g.game.rules.match.ComputerPlayers, 1);
    g.fake.KeyPressAt(g.Now() + 200, key::kEscape, 60);
    g.fake.ClickAt(g.Now() + 1000, false, 300);
  });
  g.game.RunModeSelection();
  EXPECT_TRUE(checked);
  EXPECT_EQ(g.screens, (Screens{"mode selection", "match"}));
  EXPECT_EQ(g.game.rules.match.SwapModeArmed, 0);
}

}  // namespace
}  // namespace kb
