#include <gtest/gtest.h>

#include "core/key_codes.h"
#include "fake_game.h"
#include "frame_text.h"
#include "saves/match_file.h"

namespace kb {
namespace {

// A match of two removals is kept after each, continued after a new start
// exactly where it stood (board, score, lives, swap points, the undo step),
// and gone once the player leaves it.
TEST(SavedMatch, AMatchIsKeptAfterEachRemovalAndContinuedWhereItStood) {
  test::FakeGame first;
  test::FrameScript script(first);
  first.game.rules.match.HumanPlayers = 1;
  first.game.rules.match.ComputerPlayers = 0;
  std::optional<SavedMatch> keptAfterSecond;
  script.At(2, [&] {
    Board board;
    for (auto& row : board.cells) row.fill(3);
    board.cells[15][0] = board.cells[15][1] = 1;  // a pair: 4 points
    board.cells[14][0] = board.cells[14][1] = 2;  // falls into its place: 4 more
    board.cells[15][2] = board.cells[14][2] = 4;
    first.game.rules.board = board;
    script.MoveTo(30, 740);
    script.Click();
  });
  script.EveryFrame([&](uint64_t) {
    const int32_t score = first.game.rules.match.Score;
    if (score == 4 && first.fake.FramesPresented() % 10 == 0) script.Click();
    if (score == 8 && !keptAfterSecond) {
      const std::vector<uint8_t>* bytes = first.files.memory().Find(kSavedMatchFile);
      ASSERT_NE(bytes, nullptr);
      keptAfterSecond = DecodeSavedMatch(*bytes);
      first.fake.KeyPressAt(first.Now() + 10, key::kEscape, 50);
    }
  });
  first.game.RunMatch();
  ASSERT_TRUE(keptAfterSecond);
  EXPECT_EQ(keptAfterSecond->board, first.game.rules.board);
  EXPECT_EQ(keptAfterSecond->match.Undo.Kind, kUndoRemoval);
  EXPECT_EQ(first.files.memory().Find(kSavedMatchFile), nullptr) << "left by ESC: nothing to keep";

  test::FakeGame second;
  second.files.memory().Put(kSavedMatchFile, EncodeSavedMatch(*keptAfterSecond));
  test::FrameScript next(second);
  std::vector<uint32_t> question;
  RulesState continued;
  next.At(2, [&] {
    question = second.fake.LastFrame();
    next.Key(key::kReturn);
  });
  next.EveryFrame([&](uint64_t frame) {
    if (frame == 6) {
      continued = second.game.rules;
      second.fake.KeyPressAt(second.Now() + 10, key::kEscape, 50);
    }
  });
  second.game.OfferSavedMatch();
  EXPECT_TRUE(test::ShowsText(second, question, "Das unterbrochene Spiel fortsetzen?", 337, 340,
                              0xFFFFFFFFu));
  EXPECT_EQ(continued.board, keptAfterSecond->board);
  EXPECT_EQ(continued.match.Score, 8);
  EXPECT_EQ(continued.match.Lives, keptAfterSecond->match.Lives);
  EXPECT_EQ(continued.match.SwapPoints, keptAfterSecond->match.SwapPoints);
  EXPECT_EQ(continued.match.Undo.board, keptAfterSecond->match.Undo.board);
  EXPECT_EQ(second.screens, (std::vector<std::string>{"resume question", "match"}));
}

TEST(SavedMatch, ADamagedOrForeignFileIsDroppedAndEscapeDropsAGoodOne) {
  SavedMatch good;
  good.match.Score = 1234;
  const std::vector<uint8_t> bytes = EncodeSavedMatch(good);
  ASSERT_EQ(DecodeSavedMatch(bytes), good);
  std::vector<std::vector<uint8_t>> bad(4, bytes);
  bad[0][100] ^= 1;                // a damaged byte
  bad[1].pop_back();               // cut short
  bad[2][4] = 2;                   // another version
  bad[3] = EncodeSavedMatch([&] {  // a value no board has
    SavedMatch s = good;
    s.board.cells[3][3] = 9;
    return s;
  }());
  for (const std::vector<uint8_t>& b : bad) EXPECT_EQ(DecodeSavedMatch(b), std::nullopt);

  for (const bool damaged : {true, false}) {
    test::FakeGame g;
    g.files.memory().Put(kSavedMatchFile, damaged ? bad[0] : bytes);
    test::FrameScript script(g);
    script.At(2, [&] { script.Key(key::kEscape); });
    g.game.OfferSavedMatch();
    EXPECT_EQ(g.files.memory().Find(kSavedMatchFile), nullptr);
    EXPECT_EQ(g.screens,
              damaged ? std::vector<std::string>{} : std::vector<std::string>{"resume question"});
  }
}

}  // namespace
}  // namespace kb
