#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/cp1252.h"
#include "fake_game.h"
#include "frame_text.h"
#include "render/text_drawer.h"
#include "screens/credits_text.h"
#include "screens/help_text.h"

namespace kb {
namespace {

using Screens = std::vector<std::string>;

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kRed = 0xFFFF0000u;

// Every byte is a glyph of the strip or a blank: a text that reached the
// game in another encoding than Windows-1252 fails here.
bool Drawable(const char* text) {
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c != ' ' && TextDrawer::GlyphNumber(*c) == 0) return false;
  }
  return true;
}

const char* HelpText(int32_t row) {
  for (const HelpLine& line : kHelpLines) {
    if (line.row == row) return line.text;
  }
  return nullptr;
}

TEST(HelpText, RowsColumnsAndColours) {
  int32_t previous = -1;
  int headings = 0;
  for (const HelpLine& line : kHelpLines) {
    EXPECT_GT(line.row, previous);
    previous = line.row;
    EXPECT_TRUE(Drawable(line.text)) << line.text;
    headings += line.argb == kBlue ? 1 : 0;
    EXPECT_TRUE(line.argb == kBlue || line.argb == kWhite);
    // The three control columns start at x 10, 300 and 620.
    if (line.row <= 21) {
      const std::string_view text = line.text;
      ASSERT_GT(text.size(), 61u) << text;
      EXPECT_TRUE(text[28] == ' ' && text[29] != ' ' && text[60] == ' ' && text[61] != ' ') << text;
    }
  }
  EXPECT_EQ(previous, 128);
  EXPECT_EQ(headings, 10);
  EXPECT_STREQ(HelpText(47), "Klotzbrecher!");
  EXPECT_STREQ(HelpText(121), "abgespeichert.");
  EXPECT_EQ(std::string_view(HelpText(6)).substr(61), "RETURN |");
  EXPECT_EQ(HelpText(1), nullptr);
}

struct HelpFixture : ::testing::Test {
  HelpFixture() : script(g) {
    script.EveryFrame([this](uint64_t frame) {
      // The help screen's first frame follows the title picture.
      const uint64_t n = frame - 1;
      const auto it = checks.find(n);
      if (it != checks.end()) it->second();
      if (onEvery) onEvery(n);
    });
  }
  // Keys change at the present of frame n and are read by frame n + 1.
  void Down(uint8_t code) { g.fake.KeyDownAt(g.Now(), code); }
  void Up(uint8_t code) { g.fake.KeyUpAt(g.Now(), code); }
  bool RowAt(int32_t row, int32_t screenRow, uint32_t colour = kWhite) {
    return test::ShowsText(g, HelpText(row), 10, 30 + 20 * screenRow, colour);
  }
  // Below screen row 24 only the background, down to the footer.
  bool NothingBelowTheWindow() {
    const std::vector<uint32_t> frame = g.fake.LastFrame();
    g.game.renderer.BeginFrame();
    g.game.sprites.DrawBackground(g.game.resources.helpBackground);
    const Image& reference = g.game.renderer.BackImage();
    for (int y = 526; y < 740; ++y) {
      for (int x = 0; x < 1024; ++x) {
        if (frame[static_cast<size_t>(y) * 1024 + x] != reference.At(x, y)) return false;
      }
    }
    return true;
  }

  test::FakeGame g;
  test::FrameScript script;
  std::map<uint64_t, std::function<void()>> checks;
  std::function<void(uint64_t)> onEvery;
};

TEST_F(HelpFixture, ScrollsByOneRowPerFrameBetweenOffset0AndMinus120) {
  bool windowKept = true;
  onEvery = [&](uint64_t) { windowKept = windowKept && NothingBelowTheWindow(); };
  checks[1] = [&] {
    EXPECT_TRUE(RowAt(0, 0, kBlue));
    EXPECT_TRUE(test::ShowsText(g, "Spieler 2", 300, 30, kBlue));
    EXPECT_TRUE(test::ShowsText(g, "Spieler 1", 620, 30, kBlue));
    EXPECT_TRUE(test::ShowsText(g, "Zurück zum Hauptmenü mit ESC"_cp, 362, 740, kWhite));
    // UP and DOWN together: down by one row from the top, then they cancel.
    Down(key::kUp);
    Down(key::kDown);
  };
  checks[2] = [&] { EXPECT_TRUE(RowAt(0, 0, kBlue)); };  // drawn with the offset noted before
  checks[3] = [&] { EXPECT_TRUE(RowAt(25, 24, kBlue)); };
  checks[8] = [&] {
    EXPECT_TRUE(RowAt(25, 24, kBlue));
    EXPECT_FALSE(RowAt(0, 0, kBlue));
    Up(key::kUp);
  };
  // DOWN alone from frame 9 on: frame k draws offset 8 - k, down to -120.
  checks[127] = [&] { EXPECT_TRUE(RowAt(128, 9)); };
  checks[128] = [&] {
    EXPECT_TRUE(RowAt(128, 8));
    EXPECT_TRUE(RowAt(120, 0));
  };
  checks[200] = [&] {
    EXPECT_TRUE(RowAt(128, 8));
    EXPECT_TRUE(test::ShowsText(g, "Zurück zum Hauptmenü mit ESC"_cp, 362, 740, kWhite));
    Up(key::kDown);
    Down(key::kUp);
  };
  checks[400] = [&] {
    EXPECT_TRUE(RowAt(0, 0, kBlue));
    EXPECT_TRUE(RowAt(2, 2));
    Up(key::kUp);
    // RETURN and the left button do nothing here; the right button leaves.
    Down(key::kReturn);
    g.fake.ButtonAt(g.Now(), true, true);
  };
  checks[420] = [&] { g.fake.ButtonAt(g.Now(), false, true); };
  g.game.RunHelp();
  EXPECT_EQ(g.fake.FramesPresented(), 1u + 421u);
  EXPECT_TRUE(windowKept);
  EXPECT_EQ(g.screens, (Screens{"help"}));
}

TEST_F(HelpFixture, EscapeLeavesAndAKeyStillHeldOnEntryCountsBeforeTheFirstFrame) {
  checks[5] = [&] { Down(key::kEscape); };
  g.game.RunHelp();
  EXPECT_EQ(g.fake.FramesPresented(), 1u + 6u);
  // The key state as last read: ESC is still down, so the next visit ends at once.
  g.game.RunHelp();
  EXPECT_EQ(g.fake.FramesPresented(), 1u + 6u);
  EXPECT_EQ(g.Count("help"), 2);
}

TEST(CreditsText, FitTheScreenInTheirColoursAndColumns) {
  for (const CreditLine& line : kCreditLines) {
    EXPECT_TRUE(Drawable(line.text)) << line.text;
    EXPECT_LE(line.x + 10 * static_cast<int32_t>(std::strlen(line.text)), 1024) << line.text;
    if (line.argb == kRed) {
      EXPECT_EQ(line.offset, 0);
      EXPECT_EQ(std::string_view(line.text).substr(0, 36), "Klotzbrecher 3 wurde entwickelt von ");
    } else if (line.argb == kBlue) {
      EXPECT_EQ(line.x, 100) << line.text;
    } else {
      EXPECT_TRUE(line.x == 400 || line.x == 500 || line.x == 432) << line.text;
    }
  }
  EXPECT_EQ(kCreditLines.back().offset, 1060);
  EXPECT_STREQ(kCreditLines.back().text, "weil sie das hier lesen");
}

struct CreditsFixture : ::testing::Test {
  CreditsFixture() : script(g) {
    script.EveryFrame([this](uint64_t frame) {
      // Frame 1 was the title picture, frame 2 the credits' empty frame.
      if (frame < 3) return;
      const uint64_t n = frame - 2;
      const auto it = checks.find(n);
      if (it != checks.end()) it->second();
    });
  }
  uint64_t CreditFrames() const { return g.fake.FramesPresented() - 2; }
  bool AllBlack() const {
    const std::vector<uint32_t>& frame = g.fake.LastFrame();
    return std::all_of(frame.begin(), frame.end(), [](uint32_t p) { return p == 0xFF000000u; });
  }

  test::FakeGame g;
  test::FrameScript script;
  std::map<uint64_t, std::function<void()>> checks;
};

TEST_F(CreditsFixture, RunUpOnceAndEndByThemselvesAfterFrame1868) {
  // Frame n draws the block's first line at y 769 - n. UP, DOWN and the
  // pointer change nothing.
  checks[69] = [&] {
    EXPECT_TRUE(test::ShowsText(g, kCreditLines[0].text, 312, 700, kRed));
    EXPECT_TRUE(test::ShowsText(g, "Entwicklungsleiter", 100, 860, kBlue) == false);
    g.fake.KeyDownAt(g.Now(), key::kDown);
    g.fake.MouseMoveAt(g.Now(), -300, 200);
  };
  checks[569] = [&] {
    EXPECT_TRUE(test::ShowsText(g, kCreditLines[0].text, 312, 200, kRed));
    EXPECT_TRUE(test::ShowsText(g, "Entwicklungsleiter", 100, 360, kBlue));
    EXPECT_TRUE(test::ShowsText(g, "Betatester", 100, 480, kBlue));
    g.fake.KeyUpAt(g.Now(), key::kDown);
  };
  checks[1829] = [&] {
    EXPECT_TRUE(test::ShowsText(g, "weil sie das hier lesen", 500, 0, kWhite));
  };
  const uint64_t start = g.Now();
  g.game.RunCredits();
  EXPECT_EQ(CreditFrames(), 1868u);
  EXPECT_TRUE(AllBlack());  // the last line stands at y -39
  EXPECT_GE(g.Now() - start, 1000u + 1868u * 20u);
  EXPECT_EQ(g.screens, (Screens{"credits"}));
}

TEST_F(CreditsFixture, ReturnStillHeldAfterTheFlushEndsThemBeforeAnythingIsDrawn) {
  g.fake.KeyPressAt(g.Now(), key::kReturn, 1200);
  g.game.RunCredits();
  EXPECT_EQ(g.fake.FramesPresented(), 2u);  // the title and the empty frame
  EXPECT_TRUE(AllBlack());
}

TEST_F(CreditsFixture, AClickReleasedDuringTheFlushDoesNotEndThemButKeysAndButtonsDo) {
  g.fake.ClickAt(g.Now(), true, 500);
  checks[10] = [&] { g.fake.KeyPressAt(g.Now(), key::kEscape, 30); };
  g.game.RunCredits();
  EXPECT_EQ(CreditFrames(), 10u);

  for (const bool left : {true, false}) {
    checks.clear();
    const uint64_t before = g.fake.FramesPresented();
    checks[before - 1 + 5] = [&, left] { g.fake.ClickAt(g.Now(), left, 30); };
    g.game.RunCredits();
    // The empty frame and five frames of text.
    EXPECT_EQ(g.fake.FramesPresented() - before, 6u);
  }
}

}  // namespace
}  // namespace kb
