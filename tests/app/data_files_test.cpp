#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "core/cp1252.h"
#include "core/data_files.h"
#include "fake_game.h"

namespace kb {
namespace {

// A sound device that takes what looks like a WAV effect or an Ogg track and
// counts what it had to refuse.
class CheckingAudio final : public platform::AudioDevice {
 public:
  bool Available() const override { return true; }
  int LoadEffect(std::span<const uint8_t> wav) override {
    if (!Starts(wav, 0, "RIFF") || !Starts(wav, 8, "WAVE")) return Refuse();
    return effects++;
  }
  void PlayEffect(int) override {}
  int64_t PlayMusic(std::span<const uint8_t> ogg) override {
    if (!Starts(ogg, 0, "OggS")) return Refuse();
    ++tracks;
    return 60000;
  }
  void StopMusic() override {}

  int effects = 0;
  int tracks = 0;
  int refused = 0;

 private:
  int Refuse() {
    ++refused;
    return -1;
  }
  static bool Starts(std::span<const uint8_t> bytes, size_t at, const char* magic) {
    return bytes.size() >= at + 4 && std::memcmp(bytes.data() + at, magic, 4) == 0;
  }
};

// The generated data folder holds every file the game names, and the game
// loads all of them without a word about a missing or damaged one.
TEST(GeneratedDataFolder, HoldsEveryNamedFileAndTheGameStartsWithoutComplaint) {
  for (const std::string& file : data_files::EveryFile()) {
    const std::filesystem::path path = std::filesystem::path(KB_DATA_DIR) / GamePathToUtf8(file);
    EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
  }

  CheckingAudio audio;
  test::UnstartedGame g(&audio);
  testing::internal::CaptureStderr();
  g.Start();
  // The title plays one track; the other must play as well.
  for (int32_t track = 0; track < 2; ++track) g.game.music.PlayMusicTrack(track);
  const std::string told = testing::internal::GetCapturedStderr();

  EXPECT_EQ(told, "");
  EXPECT_TRUE(g.fake.Messages().empty()) << g.fake.Messages().front().text;
  EXPECT_EQ(audio.refused, 0);
  EXPECT_EQ(audio.effects, static_cast<int>(data_files::kSoundEffects.size()));
  EXPECT_EQ(audio.tracks, 3);
}

}  // namespace
}  // namespace kb
