#include <gtest/gtest.h>

#include "core/cp1252.h"
#include "fake_game.h"

namespace kb {
namespace {

// A split board whose left half is full (128 stones, no two alike side by
// side) and whose right half holds a pair at the main cursor's start cell.
Board FullLeftHalf() {
  Board board;
  for (int r = 0; r < 16; ++r) {
    for (int c = 0; c < 16; ++c) board.cells[r][c] = (r + c) % 2 == 0 ? 3 : 4;
  }
  board.cells[15][8] = 1;
  board.cells[15][9] = 1;
  return board;
}

// Whether the frame shows the picture with its top-left corner at (x, y).
bool ShowsPicture(test::FakeGame& g, const std::vector<uint32_t>& frame, TextureHandle texture,
                  int x, int y) {
  const Image* image = g.game.sprites.Texture(texture);
  if (image == nullptr) return false;
  int matched = 0;
  for (int py = 0; py < image->height; ++py) {
    for (int px = 0; px < image->width; ++px) {
      const uint32_t want = image->At(px, py);
      if ((want >> 24) == 0 || x + px >= 1024 || y + py >= 768) continue;
      if (frame[static_cast<size_t>(y + py) * 1024 + x + px] != want) return false;
      ++matched;
    }
  }
  return matched > 0;
}

struct VersusFixture : ::testing::Test {
  VersusFixture() : script(g) {}
  test::FakeGame g;
  test::FrameScript script;
};

TEST_F(VersusFixture, TwoPlayersPlayABoutToItsEndAndTheScoreCountsIt) {
  g.game.rules.match.HumanPlayers = 2;
  g.game.rules.match.ComputerPlayers = 0;
  bool lettersSeen = false;
  bool midwaySeen = false;
  int boutFrames = 0;
  script.At(2, [&] {
    g.game.rules.board = FullLeftHalf();
    g.game.rules.match.Turn = 1;  // the right-half player
    script.Key(key::kReturn, 60);
  });
  script.EveryFrame([&](uint64_t) {
    const MatchState& m = g.game.rules.match;
    if (m.BoutEndCountdown > 0) ++boutFrames;
    // The letters fall 5 pixels a burst, the L from y 300 and the N from 60;
    // near the end every one stands at y 500: LOSE over the left half, WIN
    // over the right.
    if (m.BoutEndCountdown == 5 && !midwaySeen) {
      midwaySeen = true;
      const auto& frame = g.fake.LastFrame();
      const auto& letters = g.game.resources.boutLetters;
      lettersSeen = ShowsPicture(g, frame, letters[kLetterL], 72 - 32, 500) &&
                    ShowsPicture(g, frame, letters[kLetterE], 72 + 208, 500) &&
                    ShowsPicture(g, frame, letters[kLetterW], 752 - 32, 500) &&
                    ShowsPicture(g, frame, letters[kLetterN], 752 + 128, 500);
    }
    if (m.WinsRight == 1 && m.BoutEndCountdown == -1)
      g.fake.KeyPressAt(g.Now() + 50, key::kEscape, 50);
  });
  g.game.RunMatch();
  const MatchState& m = g.game.rules.match;
  EXPECT_EQ(m.BoutWinner, 1);
  EXPECT_EQ(m.WinsRight, 1);
  EXPECT_EQ(m.WinsLeft, 0);
  EXPECT_TRUE(midwaySeen);
  EXPECT_TRUE(lettersSeen);
  EXPECT_GE(boutFrames, 99);
  // A fresh split board: the top five rows are empty again.
  for (int c = 0; c < 16; ++c) EXPECT_EQ(g.game.rules.board.cells[0][c], kEmpty);
  EXPECT_EQ(m.CursorX, 24);
  EXPECT_EQ(m.Cursor2Y, 744);
}

TEST_F(VersusFixture, TheHumansInputDoesNothingWhileTheComputerIsOnTurn) {
  g.PutOptions(0, 0, 19, 0, 0);
  g.game.rules.match.HumanPlayers = 1;
  g.game.rules.match.ComputerPlayers = 1;
  script.At(2, [&] {
    g.game.rules.match.Turn = 0;  // the computer
    // RETURN, an arrow and the left button held on the right half all along.
    script.MoveTo(700, 700);
    g.fake.KeyPressAt(g.Now() + 10, key::kReturn, 3000);
    g.fake.KeyPressAt(g.Now() + 10, key::kLeft, 3000);
    g.fake.ClickAt(g.Now() + 10, true, 3000);
    g.fake.KeyPressAt(g.Now() + 3500, key::kEscape, 50);
  });
  Board last;
  int32_t lastCursor = -1;
  uint8_t lastTurn = 1;
  int computerBursts = 0;
  script.EveryFrame([&](uint64_t frame) {
    const RulesState& rules = g.game.rules;
    if (frame > 2 && lastTurn == 0 && rules.match.Turn == 0) {
      // A whole burst on the computer's turn: the human's side stayed as it was.
      ++computerBursts;
      EXPECT_EQ(rules.match.CursorX, lastCursor);
      for (int r = 0; r < 16; ++r) {
        for (int c = 8; c < 16; ++c) EXPECT_EQ(rules.board.cells[r][c], last.cells[r][c]);
      }
    }
    last = rules.board;
    lastCursor = rules.match.CursorX;
    lastTurn = rules.match.Turn;
  });
  g.game.RunMatch();
  EXPECT_GE(computerBursts, 2);  // it walked to its target over several bursts
}

TEST_F(VersusFixture, TheScorePanelShowsTheBoutsAndTheComputersStrength) {
  g.PutOptions(0, 0, 0, 0, 0);
  g.game.rules.match.HumanPlayers = 1;
  g.game.rules.match.ComputerPlayers = 1;
  std::vector<uint32_t> frame;
  script.At(3, [&] {
    frame = g.fake.LastFrame();
    g.fake.KeyPressAt(g.Now() + 50, key::kEscape, 50);
  });
  g.game.RunMatch();
  ASSERT_FALSE(frame.empty());
  g.game.renderer.BeginFrame();
  g.game.text.DrawText("KI Spielstärke:"_cp, 395, 504, 0xFFFF0000u);
  g.game.text.DrawText("1 ", 550, 504, 0xFFFF0000u);
  g.game.text.DrawText("0 : 0", 515, 484, 0xFFFFFFFFu);
  const Image& reference = g.game.renderer.BackImage();
  int painted = 0;
  for (int y = 484; y < 520; ++y) {
    for (int x = 395; x < 640; ++x) {
      if (reference.At(x, y) == 0xFF000000u) continue;
      ++painted;
      EXPECT_EQ(frame[static_cast<size_t>(y) * 1024 + x], reference.At(x, y)) << x << "," << y;
    }
  }
  EXPECT_GT(painted, 100);
}

}  // namespace
}  // namespace kb
