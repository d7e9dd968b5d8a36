#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

#include "extras_support.h"
#include "saves/highscore_save.h"

namespace kb {
namespace {

using Screens = std::vector<std::string>;
using test::ListOf;

TEST(HighscoreList, EntersOnlyAboveTheLastAndAheadOfEqualScores) {
  HighscoreList full = ListOf(
      {900, 800, 700, 600, 500, 400, 300, 200, 100, 90, 80, 70, 60, 50, 40, 30, 20, 10, 5, 3});
  EXPECT_FALSE(MakesTheList(full, 3));
  EXPECT_TRUE(MakesTheList(full, 4));
  InsertHighscore(full, 1000, TextBuffer{'B'});
  EXPECT_EQ(full[0].Score, 1000);
  EXPECT_EQ(full[19].Score, 5);  // the old last one is gone
}

TEST(HighscoreFile, MasksLowScoreBytesAndTheFirst20NameBytesOnly) {
  HighscoreList list = ListOf({70000, 6000, 500, 40, 3});
  std::snprintf(list[4].Name.data(), 32, "ABCDEFGHIJKLMNOPQRSTUVWXY");  // 25, record 5
  const HighscoreFileBytes bytes = EncodeHighscores(list);
  ASSERT_EQ(bytes.size(), 720u);
  const uint8_t* name5 = bytes.data() + 4 * 36 + 4;
  for (int i = 0; i < 25; ++i) EXPECT_EQ(name5[i] == 'A' + i, i >= 20) << i;
  EXPECT_EQ(bytes[1], (70000 >> 8) & 0xFF);  // only the lowest score byte is masked
  EXPECT_EQ(bytes[2], (70000 >> 16) & 0xFF);
  EXPECT_LT(bytes[0] ^ (70000 & 0xFF), 128);
  const HighscoreList back = DecodeHighscores(bytes);
  for (size_t r = 0; r < 20; ++r) EXPECT_EQ(back[r].Score, list[r].Score);
  EXPECT_STREQ(back[4].Name.data(), list[4].Name.data());

  // A name whose 32 bytes hold no zero is cut at 31; a short file reads as empty.
  HighscoreList noZero{};
  noZero[3].Name.fill('x');
  EXPECT_EQ(std::string(DecodeHighscores(EncodeHighscores(noZero))[3].Name.data()),
            std::string(31, 'x'));
  const HighscoreList empty = DecodeHighscores(std::vector<uint8_t>(719, 7));
  EXPECT_TRUE(std::all_of(empty.begin(), empty.end(),
                          [](const HighscoreEntry& e) { return e.Score == 0 && e.Name[0] == 0; }));
}

struct HighscoreScreens : ::testing::Test {
  HighscoreScreens() : script(g) {}
  void PutList(const HighscoreList& list) {
    const HighscoreFileBytes bytes = EncodeHighscores(list);
    g.files.memory().Put(kHighscoreFile, {bytes.begin(), bytes.end()});
  }
  test::FakeGame g;
  test::FrameScript script;
};

TEST_F(HighscoreScreens, AScoreEqualToTheThirdShowsPlace4AndIsStoredAsRecord2) {
  PutList(ListOf({500, 300, 300, 100}));
  bool placeShown = false;
  bool tableShown = false;
  int nameFrames = 0;
  // The first two steps come close together; then Shift+B, o, b, RETURN.
  const std::vector<std::vector<uint8_t>> typing = {
      {}, {key::kLeftShift, 0x30}, {0x18}, {0x30}, {key::kReturn}};
  script.EveryFrame([&](uint64_t) {
    if (g.screens.back() == "name entry") {
      if (nameFrames == 0) {
        placeShown = test::ShowsText(g, "Sie sind in den Highscores auf Platz     !", 300, 100,
                                     0xFF000000u) &&
                     test::ShowsText(g, "4", 670, 100, 0xFF000000u);
      }
      if (nameFrames < 5) test::PressForNextStep(g, typing[static_cast<size_t>(nameFrames)]);
      ++nameFrames;
    }
    if (g.screens.back() == "highscores" && !tableShown) {
      tableShown = test::ShowsText(g, " 2", 337, 114, 0xFFFFFFFFu) &&
                   test::ShowsText(g, "Bob", 362, 114, 0xFFFFFFFFu) &&
                   test::ShowsText(g, "       300", 662, 114, 0xFFFFFFFFu) &&
                   test::ShowsText(g, "20", 337, 384, 0xFFFFFFFFu);
      g.fake.KeyPressAt(g.Now() + 500, key::kEscape, 50);
    }
  });
  g.game.OfferHighscore(300);
  EXPECT_TRUE(placeShown);
  EXPECT_TRUE(tableShown);
  EXPECT_EQ(g.screens, (Screens{"highscore entry", "name entry", "highscores"}));
  EXPECT_EQ(g.files.memory().Find(kHighscoreFile)->size(), 720u);
  const HighscoreList stored = test::StoredHighscores(g);
  EXPECT_STREQ(stored[1].Name.data(), "Bob");
  EXPECT_STREQ(stored[2].Name.data(), "Spieler 2");
  EXPECT_EQ(stored[4].Score, 100);
}

TEST_F(HighscoreScreens, NoEntryShowsTheGameOverPictureUntilReturnNotAButtonStillHeld) {
  PutList(ListOf({50, 40, 30, 20, 10, 9, 8, 7, 6, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5}));
  script.EveryFrame([&](uint64_t) { g.fake.KeyPressAt(g.Now() + 3000, key::kReturn, 50); });
  const uint64_t start = g.Now();
  g.game.input.LeftButton = 1;
  g.game.OfferHighscore(5);
  EXPECT_EQ(g.screens, (Screens{"highscore entry"}));
  EXPECT_GE(g.Now() - start, 4000u);
  EXPECT_EQ(g.fake.LastFrame(),
            g.game.sprites.SurfacePicture(g.game.resources.gameOverBackground).pixels);
}

// A display that presents at once leaves a step far inside the first 2 ms of
// its period; a key held for one step still types one letter.
TEST_F(HighscoreScreens, AFastDisplayStillTypesOneLetterPerStep) {
  g.fake.SimulatedCosts().presentUs = 100;
  int nameFrames = 0;
  script.EveryFrame([&](uint64_t) {
    const std::string& screen = g.screens.back();
    if (screen == "name entry" && ++nameFrames == 2) {
      test::PressForNextStep(g, {0x1F});  // 's'
      g.fake.KeyPressAt(g.Now() + 320, key::kReturn, 100);
    }
    if (screen == "highscores") g.fake.ButtonAt(g.Now() + 200, false, true);
  });
  g.game.OfferHighscore(600);
  EXPECT_STREQ(test::StoredHighscores(g)[0].Name.data(), "s");
}

TEST_F(HighscoreScreens, AFailedWriteIsReportedOnceAndTheOldTableShows) {
  PutList(ListOf({500}));
  g.files.memory().FailWrites(true);
  script.EveryFrame([&](uint64_t) {
    if (g.screens.back() == "name entry") test::PressForNextStep(g, {key::kReturn});
    if (g.screens.back() == "highscores") {
      EXPECT_TRUE(test::ShowsText(g, "       500", 662, 99, 0xFFFFFFFFu));
      g.fake.ButtonAt(g.Now() + 200, false, true);  // the right button leaves
    }
  });
  testing::internal::CaptureStderr();
  g.game.OfferHighscore(600);
  g.game.OfferHighscore(700);
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("Highscores.bin"), std::string::npos);
  EXPECT_EQ(log.find("Highscores.bin"), log.rfind("Highscores.bin"));
  EXPECT_EQ(log.find("Klotzbrecher 3: Klotzbrecher 3"), std::string::npos) << log;
  EXPECT_EQ(test::StoredHighscores(g)[0].Score, 500);
  // The player, who may have no terminal, is told in the game, once.
  ASSERT_EQ(g.fake.Messages().size(), 1u);
  EXPECT_NE(g.fake.Messages()[0].text.find("Highscores.bin"), std::string::npos);
}

// The table is read again after the name is typed. When that read fails, the
// table read before stands in; when both fail, nothing is saved over the file.
TEST(HighscoreReadErrors, NeverLetAnEmptyTableBeSavedOverTheRealOne) {
  const HighscoreList full = ListOf({2000, 1900, 1800, 1700, 1600, 1500, 1400, 1300, 1200, 1100,
                                     1000, 900,  800,  700,  600,  500,  400,  300,  200,  100});
  for (const bool firstReadFails : {false, true}) {
    test::FakeGame g;
    test::FrameScript script(g);
    const HighscoreFileBytes bytes = EncodeHighscores(full);
    g.files.memory().Put(kHighscoreFile, {bytes.begin(), bytes.end()});
    if (firstReadFails) g.files.memory().FailReads(1);
    bool secondReadArmed = false;
    script.EveryFrame([&](uint64_t) {
      if (g.screens.back() == "name entry") {
        if (!secondReadArmed) g.files.memory().FailReads(1);
        secondReadArmed = true;
        test::PressForNextStep(g, {key::kReturn});
      }
      if (g.screens.back() == "highscores") g.fake.ButtonAt(g.Now() + 200, false, true);
    });
    testing::internal::CaptureStderr();
    g.game.OfferHighscore(1050);
    testing::internal::GetCapturedStderr();

    const HighscoreList stored = test::StoredHighscores(g);
    if (firstReadFails) {
      for (size_t r = 0; r < 20; ++r) EXPECT_EQ(stored[r].Score, full[r].Score) << r;
      ASSERT_EQ(g.fake.Messages().size(), 1u);
      EXPECT_NE(g.fake.Messages()[0].text.find("gelesen"), std::string::npos);
    } else {
      EXPECT_EQ(stored[10].Score, 1050);
      EXPECT_EQ(stored[11].Score, 1000);
      EXPECT_EQ(stored[19].Score, 200);
      EXPECT_TRUE(g.fake.Messages().empty());
    }
  }
}

// Reads through to the disk, then lets the test step in.
class WatchedFiles final : public platform::FileSystem {
 public:
  WatchedFiles(const std::filesystem::path& folder, std::function<void()> afterRead)
      : disk_(folder), afterRead_(std::move(afterRead)) {}
  platform::ReadResult ReadFile(std::string_view path, std::vector<uint8_t>& out,
                                size_t maxBytes) override {
    const platform::ReadResult result = disk_.ReadFile(path, out, maxBytes);
    afterRead_();
    return result;
  }
  bool WriteFile(std::string_view path, std::span<const uint8_t> bytes) override {
    return disk_.WriteFile(path, bytes);
  }
  bool MakeFolder(std::string_view path) override { return disk_.MakeFolder(path); }
  platform::FileLock LockFile(std::string_view path) override { return disk_.LockFile(path); }

 private:
  platform::DiskFileSystem disk_;
  std::function<void()> afterRead_;
};

// Two games add an entry at the same moment. The first is held inside its
// read until the second has read the table as well; where a lock keeps the
// second out, the first goes on after a fifth of a second. Both entries stay.
TEST(HighscoreFile, TwoGamesSavingAtOnceKeepBothEntries) {
  char pattern[] = "/tmp/kb-scores-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::filesystem::path folder = pattern;
  std::mutex mutex;
  std::condition_variable changed;
  bool firstHasRead = false;
  bool secondHasRead = false;
  WatchedFiles first(folder, [&] {
    std::unique_lock lock(mutex);
    firstHasRead = true;
    changed.notify_all();
    changed.wait_for(lock, std::chrono::milliseconds(200), [&] { return secondHasRead; });
  });
  WatchedFiles second(folder, [&] {
    const std::lock_guard lock(mutex);
    secondHasRead = true;
    changed.notify_all();
  });

  HighscoreSave firstSaved{};
  HighscoreSave secondSaved{};
  std::thread firstGame([&] {
    firstSaved = AddHighscore(first, nullptr, 500, TextBuffer{'A', 'n', 'n', 'a'});
  });
  {
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return firstHasRead; });
  }
  std::thread secondGame([&] {
    secondSaved = AddHighscore(second, nullptr, 400, TextBuffer{'B', 'e', 'r', 't'});
  });
  firstGame.join();
  secondGame.join();

  EXPECT_EQ(firstSaved, HighscoreSave::kSaved);
  EXPECT_EQ(secondSaved, HighscoreSave::kSaved);
  HighscoreList stored;
  platform::DiskFileSystem disk(folder);
  ASSERT_TRUE(ReadHighscores(disk, stored));
  EXPECT_EQ(stored[0].Score, 500);
  EXPECT_STREQ(stored[0].Name.data(), "Anna");
  EXPECT_EQ(stored[1].Score, 400);
  EXPECT_STREQ(stored[1].Name.data(), "Bert");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace kb
