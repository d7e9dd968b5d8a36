#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <variant>

#include "app/replay_check.h"
#include "core/checksum.h"
#include "core/cp1252.h"
#include "core/key_codes.h"
#include "core/little_endian.h"
#include "fake_game.h"
#include "replay/replay_file.h"

namespace kb {
namespace {

// A game whose machine answers through the journal, as the game itself runs.
struct RecordingGame {
  RecordingGame() {
    game.journal = &journal;
    fake.KeyPressAt(0, key::kReturn, 20);
    game.Init();
    files.HideDisk();
  }
  platform::FakePlatform fake;
  test::DataFolderFiles files;
  platform::SilentAudio audio;
  platform::Platform machine{fake, fake, fake, fake, files, audio};
  replay::JournalPlatform journal{machine};
  Game game{journal.Face()};
};

// Where the file's header holds the number of answers in the journal.
constexpr size_t kEntriesAt = 36;

void PutU32At(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

std::string LastFrameHash(const std::vector<uint32_t>& pixels) {
  char text[24];
  std::snprintf(text, sizeof text, "%016" PRIx64, FrameHash(pixels));
  return text;
}

// A match of removals, cursor keys and mouse motion, recorded as it was
// played: played again unseen it ends with the same score and the same last
// frame, every time; watched, it leaves the game and the player's files as
// they stood. A damaged file, one of another format and one whose journal
// ends early are refused, saying why.
TEST(Replay, AMatchPlaysAgainToTheSameLastFrameAndABadFileIsRefused) {
  RecordingGame g;
  uint64_t at = g.fake.NowMs() + 1500;
  for (int step = 0; step < 12; ++step) {
    g.fake.KeyPressAt(at, key::kReturn, 150);
    g.fake.MouseMoveAt(at + 200, 7, -3);
    g.fake.KeyPressAt(at + 400, step < 6 ? key::kRight : key::kUp, 150);
    at += 800;
  }
  g.fake.KeyPressAt(at, key::kEscape, 150);
  g.game.RunMatch();
  const int32_t score = g.game.rules.match.Score;
  ASSERT_GT(score, 0);
  const std::vector<std::string> names = g.files.ListFolder(replay::kReplayFolder);
  ASSERT_EQ(names.size(), 1u);
  const std::vector<uint8_t> file =
      *g.files.memory().Find(std::string(replay::kReplayFolder) + "/" + names[0]);

  test::DataFolderFiles data;
  const ReplayCheck check = CheckReplay(file, data);
  ASSERT_TRUE(check.played) << check.problem;
  EXPECT_EQ(check.line.find("score " + std::to_string(score) + " level 1 frames "), 0u);
  EXPECT_TRUE(check.line.ends_with(LastFrameHash(g.fake.LastFrame()))) << check.line;
  EXPECT_EQ(CheckReplay(file, data).line, check.line);

  const uint32_t generator = g.game.random.State();
  const Game::ReplayOutcome watched =
      g.game.WatchReplay(std::get<replay::Replay>(replay::DecodeReplay(file)), true);
  EXPECT_FALSE(watched.end.diverged);
  EXPECT_EQ(watched.result.score, score);
  EXPECT_EQ(g.game.random.State(), generator);
  EXPECT_EQ(g.game.rules.match.Score, score);
  EXPECT_EQ(g.files.ListFolder(replay::kReplayFolder).size(), 1u) << "a replay records nothing";
  EXPECT_EQ(g.files.memory().Find(kSavedMatchFile), nullptr) << "nor keeps a match";

  std::vector<uint8_t> damaged = file;
  damaged[damaged.size() / 2] ^= 0x40;
  EXPECT_EQ(CheckReplay(damaged, data).problem, "Die Wiederholung ist beschädigt."_cp);
  std::vector<uint8_t> newer = file;
  newer[4] = 9;
  EXPECT_NE(CheckReplay(newer, data).problem.find("Format 9"), std::string::npos);

  // A journal that ends before its match did, as one of another version of
  // the game would: the replay stops there and says so.
  std::vector<uint8_t> cut = file;
  PutU32At(cut, kEntriesAt, GetU32(cut.data() + kEntriesAt) / 2);
  PutU32At(cut, cut.size() - 4, Fnv1a32(std::span(cut).first(cut.size() - 4)));
  EXPECT_NE(CheckReplay(cut, data).problem.find("passt nach"), std::string::npos);
}

// Twelve matches within one second and ten more: the twenty newest stay, in
// the order they were played.
TEST(Replay, TheTwentyNewestAreKept) {
  platform::MemoryFileSystem files;
  const std::time_t first = 1796000000;
  for (int i = 0; i < 22; ++i) {
    const std::vector<uint8_t> bytes(1, static_cast<uint8_t>(i));
    ASSERT_TRUE(replay::KeepReplay(files, bytes, first + (i < 12 ? 0 : i)));
  }
  const std::vector<std::string> kept = files.ListFolder(replay::kReplayFolder);
  EXPECT_EQ(kept.size(), replay::kKeptReplays);
  const std::string stem = replay::ReplayFileName(first).substr(0, 19);
  for (const std::string& gone : {stem + ".kbr", stem + "-2.kbr"})
    EXPECT_EQ(std::count(kept.begin(), kept.end(), gone), 0) << gone;
  for (const std::string& stays : {stem + "-3.kbr", stem + "-10.kbr", stem + "-12.kbr"})
    EXPECT_EQ(std::count(kept.begin(), kept.end(), stays), 1) << stays;
}

}  // namespace
}  // namespace kb
