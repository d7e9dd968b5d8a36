#include <gtest/gtest.h>

#include "core/key_codes.h"
#include "fake_game.h"
#include "saves/sound_switches.h"

namespace kb {
namespace {

// A sound device that counts the tracks it was given to decode.
class CountingAudio final : public platform::AudioDevice {
 public:
  bool Available() const override { return true; }
  int LoadEffect(std::span<const uint8_t>) override { return 0; }
  void PlayEffect(int) override {}
  int64_t PlayMusic(std::span<const uint8_t>) override {
    ++tracks;
    return 60000;
  }
  void StopMusic() override {}
  int tracks = 0;
};

// A game on the scripted machine whose player's files start as `kept`.
struct SwitchGame {
  explicit SwitchGame(const std::vector<uint8_t>* kept) {
    if (kept != nullptr) files.memory().Put(kSoundSwitchesFile, *kept);
    fake.KeyPressAt(0, key::kReturn, 20);
    game.Init();
  }
  // Keys pressed one after the other on the highscore table, which ESC then
  // leaves.
  void PressOnTheTable(std::initializer_list<uint8_t> codes) {
    uint64_t at = fake.NowMs() + 300;
    for (const uint8_t code : codes) {
      fake.KeyPressAt(at, code, 100);
      at += 400;
    }
    fake.KeyPressAt(at, key::kEscape, 100);
    game.ShowHighscores();
  }
  platform::FakePlatform fake;
  test::DataFolderFiles files;
  CountingAudio audio;
  platform::Platform platform{fake, fake, fake, fake, files, audio};
  Game game{platform};
};

// F2 silences the music at once and the next start decodes no track at all;
// F2 again brings it back. F3 switches the effects alone. The choice is in
// "Ton.bin", not in the options.
TEST(SoundSwitches, F2SilencesTheMusicAcrossARestartAndF2BringsItBack) {
  SwitchGame first(nullptr);
  EXPECT_EQ(first.audio.tracks, 1) << "the title's track";
  first.PressOnTheTable({key::kF2});
  EXPECT_FALSE(first.game.music.MusicOn());
  const std::vector<uint8_t>* kept = first.files.memory().Find(kSoundSwitchesFile);
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(*kept, (std::vector<uint8_t>{0, 1}));
  EXPECT_EQ(first.files.memory().Find(kOptionsFile), nullptr);

  SwitchGame second(kept);
  EXPECT_EQ(second.audio.tracks, 0) << "a silenced game decodes no music";
  EXPECT_FALSE(second.game.music.MusicOn());
  second.PressOnTheTable({key::kF3, key::kF2});
  EXPECT_FALSE(second.game.sound.EffectsOn());
  EXPECT_EQ(second.audio.tracks, 1);
  EXPECT_EQ(*second.files.memory().Find(kSoundSwitchesFile), (std::vector<uint8_t>{1, 0}));
}

}  // namespace
}  // namespace kb
