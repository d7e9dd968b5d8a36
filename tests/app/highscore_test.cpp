#include <gtest/gtest.h>

#include "extras/highscore_file.h"
#include "extras/highscores.h"
#include "extras_support.h"

namespace kb {
namespace {

using Screens = std::vector<std::string>;
using test::ListOf;
using test::Name;

constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlue = 0xFF0000FFu;

std::vector<int32_t> Scores(const HighscoreList& list) {
  std::vector<int32_t> out;
  for (const HighscoreEntry& e : list) out.push_back(e.Score);
  return out;
}

TEST(HighscoreList, EntersOnlyAboveTheLastAndAheadOfEqualScores) {
  HighscoreList full = ListOf(
      {900, 800, 700, 600, 500, 400, 300, 200, 100, 90, 80, 70, 60, 50, 40, 30, 20, 10, 5, 3});
  EXPECT_FALSE(MakesTheList(full, 3));
  EXPECT_TRUE(MakesTheList(full, 4));

  // Equal scores count ahead of the new one on the name screen, behind it in the list.
  HighscoreList list = ListOf({500, 300, 300, 100});
  EXPECT_EQ(PlaceToShow(list, 300), 4);
  InsertHighscore(list, 300, Name("Neu"));
  EXPECT_EQ(Scores(list)[0], 500);
  EXPECT_EQ(list[1].Score, 300);
  EXPECT_STREQ(list[1].Name.data(), "Neu");
  EXPECT_STREQ(list[2].Name.data(), "Spieler 2");
  EXPECT_STREQ(list[3].Name.data(), "Spieler 3");
  EXPECT_EQ(list[4].Score, 100);

  // Above everything: first place, and the old last entry is gone.
  InsertHighscore(full, 1000, Name("Beste"));
  EXPECT_EQ(PlaceToShow(full, 1001), 1);
  EXPECT_STREQ(full[0].Name.data(), "Beste");
  EXPECT_EQ(full[19].Score, 5);
}

TEST(HighscoreFile, MasksScoresInTheLowestByteAndNamesInTheirFirstBytes) {
  HighscoreList list = ListOf({70000, 6000, 500, 40, 3});
  list[4].Name = Name("ABCDEFGHIJKLMNOPQRSTUVWXY");  // 25 characters, record 5
  list[0].Name = Name("ABCDEFGHIJKLMNOPQRSTUVWXY");
  const HighscoreFileBytes bytes = EncodeHighscores(list);
  ASSERT_EQ(bytes.size(), 720u);

  const uint8_t* record5 = bytes.data() + 4 * 36;
  // Bytes 20 to 24 of the name stand plain, the first 20 do not.
  for (int i = 20; i < 25; ++i) EXPECT_EQ(record5[4 + i], 'A' + i) << i;
  for (int i = 0; i < 20; ++i) EXPECT_NE(record5[4 + i], 'A' + i) << i;
  for (int i = 25; i < 32; ++i) EXPECT_EQ(record5[4 + i], 0) << i;
  // The first record's name is masked over 31 bytes.
  for (int i = 20; i < 25; ++i) EXPECT_NE(bytes[4 + i], 'A' + i) << i;
  // Only the lowest byte of a score differs from the plain value.
  const uint8_t* record1 = bytes.data();
  EXPECT_NE(record1[0], 70000 & 0xFF);
  EXPECT_EQ(record1[1], (70000 >> 8) & 0xFF);
  EXPECT_EQ(record1[2], (70000 >> 16) & 0xFF);
  EXPECT_EQ(record1[3], 0);
  EXPECT_LT(record1[0] ^ (70000 & 0xFF), 128);

  const HighscoreList back = DecodeHighscores(bytes);
  EXPECT_EQ(Scores(back), Scores(list));
  for (size_t r = 0; r < 20; ++r) EXPECT_EQ(back[r].Name, list[r].Name) << r;
}

TEST(HighscoreFile, KeepsEveryByteOfAnIntactFileAndMendsDamagedOnes) {
  // Any 720 bytes whose names end inside their 32 bytes come back unchanged,
  // also what stands after a name's zero.
  std::vector<uint8_t> file(720);
  uint32_t state = 12345;
  for (uint8_t& b : file) {
    state = state * 1103515245u + 12345u;
    b = static_cast<uint8_t>(state >> 24);
  }
  const HighscoreList unmasked = DecodeHighscores(file);
  HighscoreList withZeros = unmasked;
  for (size_t r = 0; r < 20; ++r) withZeros[r].Name[10 + r % 7] = '\0';
  const HighscoreFileBytes intact = EncodeHighscores(withZeros);
  const HighscoreFileBytes again = EncodeHighscores(DecodeHighscores(intact));
  EXPECT_EQ(again, intact);

  // A name whose 32 bytes hold no zero is cut at 31 characters.
  HighscoreList noZero{};
  noZero[3].Name.fill('x');
  const HighscoreList cut = DecodeHighscores(EncodeHighscores(noZero));
  EXPECT_EQ(std::string(cut[3].Name.data()), std::string(31, 'x'));

  // Missing or short: twenty empty entries. A longer file is read from its start.
  for (const HighscoreList& list :
       {DecodeHighscores({}), DecodeHighscores(std::vector<uint8_t>(719, 7))}) {
    for (const HighscoreEntry& e : list) {
      EXPECT_EQ(e.Score, 0);
      EXPECT_EQ(e.Name[0], '\0');
    }
  }
  std::vector<uint8_t> longer(intact.begin(), intact.end());
  longer.resize(800, 1);
  EXPECT_EQ(EncodeHighscores(DecodeHighscores(longer)), intact);
}

struct HighscoreScreens : ::testing::Test {
  HighscoreScreens() : script(g) {}
  test::FakeGame g;
  test::FrameScript script;
};

TEST_F(HighscoreScreens, AScoreEqualToTheThirdTakesPlace2AfterShowingPlace4) {
  test::PutHighscores(g, ListOf({500, 300, 300, 100}));
  g.game.rules.match.Score = 300;
  bool placeShown = false;
  bool tableShown = false;
  int nameFrames = 0;
  // Shift+B, o, b, RETURN, one step each.
  const std::vector<std::vector<uint8_t>> typing = {
      {key::kLeftShift, 0x30}, {0x18}, {0x30}, {key::kReturn}};
  script.EveryFrame([&](uint64_t) {
    const std::string& screen = g.screens.back();
    if (screen == "name entry") {
      if (nameFrames == 0) {
        placeShown =
            test::ShowsText(g, "Sie sind in den Highscores auf Platz     !", 300, 100, kBlack) &&
            test::ShowsText(g, "4", 670, 100, kBlack) &&
            test::ShowsText(g, "Bitte geben sie ihren Namen ein", 300, 120, kBlack) &&
            test::ShowsText(g, "_", 300, 140, kBlue);
      }
      // The first two steps come close together: type from the second on.
      const size_t step = static_cast<size_t>(nameFrames - 1);
      if (nameFrames >= 1 && step < typing.size()) test::PressForNextStep(g, typing[step]);
      ++nameFrames;
    }
    if (screen == "highscores" && !tableShown) {
      tableShown = test::ShowsText(g, " 1", 337, 99, kWhite) &&
                   test::ShowsText(g, " 2", 337, 114, kWhite) &&
                   test::ShowsText(g, "Bob", 362, 114, kWhite) &&
                   test::ShowsText(g, "       300", 662, 114, kWhite) &&
                   test::ShowsText(g, "Spieler 3", 362, 144, kWhite) &&
                   test::ShowsText(g, "20", 337, 384, kWhite) &&
                   test::ShowsText(g, "         0", 662, 384, kWhite);
      g.fake.KeyPressAt(g.Now() + 500, key::kEscape, 50);
    }
  });
  g.game.OfferHighscore();
  EXPECT_TRUE(placeShown);
  EXPECT_TRUE(tableShown);
  EXPECT_EQ(g.screens, (Screens{"highscore entry", "name entry", "highscores"}));
  EXPECT_TRUE(g.game.highscores.NewEntry);

  const std::vector<uint8_t>* file = g.files.memory().Find(kHighscoreFile);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->size(), 720u);
  const HighscoreList stored = test::StoredHighscores(g);
  EXPECT_EQ(Scores(stored)[1], 300);
  EXPECT_STREQ(stored[1].Name.data(), "Bob");
  EXPECT_STREQ(stored[2].Name.data(), "Spieler 2");
  EXPECT_EQ(stored[4].Score, 100);
}

TEST_F(HighscoreScreens, HoldingAKeyRepeatsItOncePerStep) {
  // No file yet: the list is empty, so any score above 0 enters at place 1.
  bool first = true;
  script.EveryFrame([&](uint64_t) {
    if (g.screens.back() != "name entry" || !first) return;
    first = false;
    EXPECT_TRUE(test::ShowsText(g, "1", 670, 100, kBlack));
    g.fake.KeyPressAt(g.Now() + 20, 0x1E, 350);  // 'a'
    g.fake.KeyPressAt(g.Now() + 700, key::kReturn, 50);
    g.fake.KeyPressAt(g.Now() + 1500, key::kEscape, 50);
  });
  g.game.OfferHighscore(5);
  const HighscoreList stored = test::StoredHighscores(g);
  EXPECT_EQ(stored[0].Score, 5);
  const std::string name = stored[0].Name.data();
  EXPECT_TRUE(name == "aaa" || name == "aaaa") << name;
  EXPECT_EQ(stored[1].Score, 0);
}

TEST_F(HighscoreScreens, AScoreThatDoesNotEnterShowsTheGameOverPictureUntilReturn) {
  const HighscoreList list =
      ListOf({50, 40, 30, 20, 10, 9, 8, 7, 6, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5});
  test::PutHighscores(g, list);
  const std::vector<uint8_t> before = *g.files.memory().Find(kHighscoreFile);
  std::vector<uint32_t> picture;
  script.EveryFrame([&](uint64_t) {
    picture = g.fake.LastFrame();
    g.fake.KeyPressAt(g.Now() + 3000, key::kReturn, 50);
  });
  const uint64_t start = g.Now();
  // A button still held from the game does not end the picture.
  g.game.input.LeftButton = 1;
  g.game.OfferHighscore(5);
  EXPECT_EQ(g.screens, (Screens{"highscore entry"}));
  EXPECT_FALSE(g.game.highscores.NewEntry);
  EXPECT_GE(g.Now() - start, 4000u);
  ASSERT_FALSE(picture.empty());
  EXPECT_EQ(picture, g.game.sprites.Surface(g.game.resources.gameOverBackground)->pixels);
  EXPECT_EQ(*g.files.memory().Find(kHighscoreFile), before);
}

TEST_F(HighscoreScreens, AFileThatCannotBeWrittenIsReportedOnceAndTheTableStillShows) {
  test::PutHighscores(g, ListOf({500}));
  g.files.memory().FailWrites(true);
  int tables = 0;
  script.EveryFrame([&](uint64_t) {
    if (g.screens.back() == "name entry") test::PressForNextStep(g, {key::kReturn});
    if (g.screens.back() == "highscores") {
      ++tables;
      EXPECT_TRUE(test::ShowsText(g, "       500", 662, 99, kWhite));
      g.fake.ButtonAt(g.Now() + 200, false, true);  // the right button leaves
    }
  });
  testing::internal::CaptureStderr();
  g.game.OfferHighscore(600);
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_EQ(tables, 1);
  EXPECT_NE(log.find("Highscores.bin"), std::string::npos);
  EXPECT_EQ(log.find("Highscores.bin"), log.rfind("Highscores.bin"));
  EXPECT_EQ(test::StoredHighscores(g)[0].Score, 500);
}

TEST_F(HighscoreScreens, TheTablePadsScoresToTenCharactersAndWaitsForEscape) {
  HighscoreList list = ListOf({2147483647, 1000000000, 999999999, 123456, 10, 9, 0, -5});
  list[8].Name.fill('z');  // a damaged name: no zero in its 32 bytes
  test::PutHighscores(g, list);
  std::vector<uint32_t> table;
  script.EveryFrame([&](uint64_t) {
    table = g.fake.LastFrame();
    g.fake.KeyPressAt(g.Now() + 2000, key::kEscape, 50);
  });
  const uint64_t start = g.Now();
  g.game.ShowHighscores();
  EXPECT_GE(g.Now() - start, 2000u);
  EXPECT_EQ(script.Presented(), 1u);  // drawn once, not redrawn while it waits
  const struct {
    const char* text;
    int y;
  } rows[] = {{"2147483647", 99},  {"1000000000", 114}, {" 999999999", 129}, {"    123456", 144},
              {"        10", 159}, {"         9", 174}, {"         0", 189}, {"         -5", 204}};
  for (const auto& row : rows) {
    EXPECT_TRUE(test::FrameShowsText(g, table, row.text, 662, row.y, kWhite)) << row.text;
  }
  EXPECT_TRUE(test::FrameShowsText(g, table, " 9", 337, 219, kWhite));
  EXPECT_TRUE(test::FrameShowsText(g, table, std::string(31, 'z').c_str(), 362, 219, kWhite));
  EXPECT_TRUE(test::FrameShowsText(g, table, "10", 337, 234, kWhite));
  EXPECT_EQ(g.screens, (Screens{"highscores"}));
}

}  // namespace
}  // namespace kb
