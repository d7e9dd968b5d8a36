#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "core/cp1252.h"
#include "extras_support.h"
#include "rules/board.h"
#include "saves/highscore_file.h"

namespace kb {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Garbage(size_t size, uint32_t seed) {
  Bytes bytes(size);
  for (uint8_t& b : bytes) {
    seed = seed * 1103515245u + 12345u;
    b = static_cast<uint8_t>(seed >> 16);
  }
  return bytes;
}

Bytes OptionBytes(std::initializer_list<int32_t> values) {
  Bytes bytes;
  for (int32_t v : values) {
    for (int i = 0; i < 4; ++i)
      bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
  }
  return bytes;
}

// A sound device that plays only what looks like its formats, as a real one
// refuses what it cannot decode.
class FussyAudio final : public platform::AudioDevice {
 public:
  bool Available() const override { return true; }
  int LoadEffect(std::span<const uint8_t> wav) override {
    return Starts(wav, "RIFF") ? effects_++ : -1;
  }
  void PlayEffect(int) override {}
  int64_t PlayMusic(std::span<const uint8_t> ogg) override {
    ++tracksTried;
    return Starts(ogg, "OggS") ? 60000 : -1;
  }
  void StopMusic() override {}
  int tracksTried = 0;

 private:
  static bool Starts(std::span<const uint8_t> bytes, const char* magic) {
    return bytes.size() >= 4 && std::memcmp(bytes.data(), magic, 4) == 0;
  }
  int effects_ = 0;
};

// The game-over picture shows a while and may present no further frame.
void PressReturnForAWhile(platform::FakePlatform& fake) {
  for (uint64_t t = 500; t <= 10000; t += 500) fake.KeyPressAt(fake.NowMs() + t, key::kReturn, 50);
}

// A hurried player: on the first frame of every screen it sets out to leave
// it: ESC after a moment (a match after 1.5 s), RETURN for a name or the
// game-over picture, the right button for the table. Counts the frames.
template <class G>
void Autopilot(G& g) {
  g.fake.OnPresent([&g, seen = size_t{0}](uint64_t, const uint32_t*) mutable {
    const std::string& screen = g.screens.back();
    if (screen == "name entry" || screen == "file name entry") {
      g.fake.KeyPressAt(g.Now() + 20, key::kReturn, 100);
      return;
    }
    if (seen == g.screens.size()) return;
    seen = g.screens.size();
    if (screen == "highscore entry") {
      PressReturnForAWhile(g.fake);
    } else if (screen == "highscores") {
      g.fake.ClickAt(g.Now() + 100, false, 100);
    } else {
      g.fake.KeyPressAt(g.Now() + (screen == "match" ? 1500 : 100), key::kEscape, 50);
    }
  });
}

// A one-player match left with ESC after 1.5 s; returns the frames it showed.
template <class G>
uint64_t PlayBriefly(G& g, int32_t computers = 0) {
  g.game.rules.match.HumanPlayers = 1;
  g.game.rules.match.ComputerPlayers = computers;
  const uint64_t before = g.fake.FramesPresented();
  Autopilot(g);
  g.game.RunMatch();
  return g.fake.FramesPresented() - before;
}

TEST(DamagedDataFolder, MissingTruncatedAndGarbageFilesLeaveAPlayableGame) {
  FussyAudio audio;
  test::UnstartedGame g(&audio);
  test::DamagedDataFolder& files = g.files;
  files.Remove("Maus.bmp");
  files.Remove("Grafiksets\\Classic\\stone2.bmp");
  files.Remove("Hintergründe\\Menue.jpg"_cp);
  files.Remove("Musik\\Tonwerk3 - Klotzbrecher3.ogg");
  files.Truncate("Hintergründe\\Titelbild.jpg"_cp, 700);
  files.Truncate("Grafiksets\\Classic\\stone3.bmp", 30);
  files.Truncate("Titelbild.bmp", 0);
  files.memory().Put("Hintergründe\\Gameover.jpg"_cp, Garbage(5000, 1));
  files.memory().Put("Buttons\\Exit.bmp", Garbage(300, 2));
  files.memory().Put("Soundeffekte\\explosion2.wav", Garbage(900, 3));
  files.memory().Put("Musik\\Festorchester - Klotzbrecher3(Hollywood).ogg", Garbage(4000, 4));
  files.memory().Put("Optionen.bin", OptionBytes({16, 8, 0, 0, 0}));

  testing::internal::CaptureStderr();
  g.Start();
  const std::string told = testing::internal::GetCapturedStderr();
  // Every damaged picture is named once; the garbage sound gets its box.
  for (const char* name : {"Maus.bmp", "stone2.bmp", "Menue.jpg", "Titelbild.jpg", "stone3.bmp",
                           "Titelbild.bmp", "Gameover.jpg", "Exit.bmp"}) {
    EXPECT_NE(told.find(name), std::string::npos) << name << " in " << told;
  }
  ASSERT_EQ(g.fake.Messages().size(), 1u);
  EXPECT_STREQ(g.fake.Messages()[0].text.c_str(), "Fehler beim Laden der Datei");
  EXPECT_GE(audio.tracksTried, 1);

  EXPECT_GE(PlayBriefly(g), 10u);
  // The game-over picture is garbage and the highscore table's is intact.
  g.game.OfferHighscore(0);
  g.game.ShowHighscores();
  EXPECT_EQ(g.screens, (std::vector<std::string>{"match", "highscore entry", "highscores"}));
}

// The bytes of "Optionen.bin" the game must live with.
std::vector<Bytes> OddOptionFiles() {
  return {{},
          {7},
          Bytes(19, 0xFF),
          OptionBytes({64, 8, 3, 2, 1, 99, 99}),
          Garbage(20, 5),
          Garbage(4096, 6),
          OptionBytes({INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN}),
          OptionBytes({INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}),
          OptionBytes({INT32_MAX, INT32_MIN, -1, INT32_MAX, INT32_MIN})};
}

TEST(OddOptionsFile, EachIsUsedInAMatchTheOptionsMenuAndTheSnakeGame) {
  for (const Bytes& bytes : OddOptionFiles()) {
    SCOPED_TRACE(testing::Message() << bytes.size() << " bytes");
    test::FakeGame g;
    g.files.memory().Put(kOptionsFile, bytes);
    EXPECT_GE(PlayBriefly(g), 10u);

    // The menu writes back what it read, whatever it was.
    g.files.memory().Put(kOptionsFile, bytes);
    g.game.RunOptionsMenu();
    const Bytes* written = g.files.memory().Find(kOptionsFile);
    ASSERT_NE(written, nullptr);
    ASSERT_EQ(written->size(), 20u);
    if (bytes.size() >= 20) {
      EXPECT_TRUE(std::equal(written->begin(), written->end(), bytes.begin()));
    }

    // Every value screen opens on the odd value and is left with ESC.
    ReadOptionsFile(g.files, g.game.options);
    g.game.EditParticles();
    g.game.EditRingWidth();
    g.game.EditAiStrength();
    g.game.EditGraphicSet();
    g.game.EditSnakeGraphicSet();

    // The stand-alone snake game with the odd snake set, left at once; its 0
    // points make no list.
    g.game.RunSnakeGame(true);
    EXPECT_EQ(g.Count("snake"), 1);

    // A match against the computer at the odd strength.
    g.files.memory().Put(kOptionsFile, bytes);
    EXPECT_GE(PlayBriefly(g, 1), 10u);
    std::string flow;
    for (const std::string& screen : g.screens) flow += screen + ";";
    EXPECT_EQ(flow,
              "match;options;particles;ring width;strength;graphic set;snake graphic set;snake;"
              "highscore entry;match;");
  }
}

// The bytes of "Highscores.bin" the game must live with.
std::vector<Bytes> OddHighscoreFiles() {
  HighscoreList extremes{};
  for (size_t r = 0; r < extremes.size(); ++r) {
    extremes[r].Score = r % 2 == 0 ? INT32_MAX : INT32_MIN;
    extremes[r].Name.fill(static_cast<char>(0xFF));
  }
  const HighscoreFileBytes extreme = EncodeHighscores(extremes);
  Bytes longer(5000, 0xAB);
  std::copy(extreme.begin(), extreme.end(), longer.begin());
  return {{}, Bytes(719, 0x41), Garbage(720, 7), {extreme.begin(), extreme.end()}, longer};
}

TEST(OddHighscoreFile, TheTableShowsAndANewEntryIsStoredWhole) {
  for (const Bytes& bytes : OddHighscoreFiles()) {
    SCOPED_TRACE(testing::Message() << bytes.size() << " bytes");
    test::FakeGame g;
    g.files.memory().Put(kHighscoreFile, bytes);
    Autopilot(g);
    g.game.ShowHighscores();

    // A score that makes any list that is not full of INT32_MAX and INT32_MIN.
    const HighscoreList before = DecodeHighscores(bytes);
    const bool enters = MakesTheList(before, 1000000);
    g.game.OfferHighscore(1000000);
    const Bytes* stored = g.files.memory().Find(kHighscoreFile);
    ASSERT_NE(stored, nullptr);
    if (enters) {
      EXPECT_EQ(stored->size(), kHighscoreFileSize);
      EXPECT_EQ(
          test::StoredHighscores(g)[static_cast<size_t>(PlaceToShow(before, 1000000) - 1)].Score,
          1000000);
    } else {
      EXPECT_EQ(*stored, bytes);
    }
  }
}

TEST(FullDisk, OptionsHighscoresAndScreenshotFailAndTheOldFilesStayIntact) {
  test::FakeGame g;
  const HighscoreFileBytes table = EncodeHighscores(test::ListOf({500, 400, 300}));
  const Bytes oldTable(table.begin(), table.end());
  const Bytes oldOptions = OptionBytes({32, 12, 5, 1, 2});
  g.files.memory().Put(kHighscoreFile, oldTable);
  g.files.memory().Put(kOptionsFile, oldOptions);
  g.files.memory().FailWrites(true);

  testing::internal::CaptureStderr();
  Autopilot(g);
  g.game.RunOptionsMenu();  // leaving stores the options
  g.game.OfferHighscore(900);
  g.game.TakeScreenshot();
  const std::string told = testing::internal::GetCapturedStderr();

  EXPECT_EQ(*g.files.memory().Find(kHighscoreFile), oldTable);
  EXPECT_EQ(*g.files.memory().Find(kOptionsFile), oldOptions);
  EXPECT_NE(told.find("Highscores.bin"), std::string::npos) << told;
  EXPECT_NE(told.find("Optionen.bin"), std::string::npos) << told;
  EXPECT_NE(told.find("Screenshots"), std::string::npos) << told;

  // And the game goes on: a match is played afterwards.
  EXPECT_GE(PlayBriefly(g), 10u);
}

TEST(NoAudioDevice, AWholeMatchUntilGameOverPlaysSilently) {
  test::UnstartedGame g;  // silent
  testing::internal::CaptureStderr();
  g.Start();
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_NE(told.find("Tonausgabe"), std::string::npos) << told;
  EXPECT_TRUE(g.fake.Messages().empty());

  g.game.rules.match.HumanPlayers = 1;
  g.game.rules.match.ComputerPlayers = 0;
  uint64_t frames = 0;
  bool pressed = false;
  g.fake.OnPresent([&](uint64_t, const uint32_t*) {
    ++frames;
    if (frames == 60) {
      // Nothing is left to do and no life is left: the game is over.
      Board board;
      for (int r = 0; r < 16; ++r) {
        for (int c = 0; c < 16; ++c) board.cells[r][c] = (r + c) % 2 == 0 ? 1 : 2;
      }
      board.cells[0][0] = kEmpty;
      g.game.rules.board = board;
      g.game.rules.match.Lives = 0;
      g.game.rules.match.SwapPoints = 0;
    }
    if (g.screens.back() == "highscore entry" && !pressed) {
      pressed = true;
      PressReturnForAWhile(g.fake);
    }
  });
  g.game.RunMatch();
  EXPECT_GE(frames, 60u);
  EXPECT_EQ(g.screens, (std::vector<std::string>{"match", "highscore entry"}));
  g.game.Shutdown();
}

}  // namespace
}  // namespace kb
