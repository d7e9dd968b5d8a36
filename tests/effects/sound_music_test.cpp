#include <gtest/gtest.h>

#include <vector>

#include "audio/music_player.h"
#include "audio/sound_system.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/memory_file_system.h"

namespace kb {
namespace {

// An audio device that plays whatever it is given and remembers what it did.
class RecordingAudio final : public platform::AudioDevice {
 public:
  bool Available() const override { return true; }
  int LoadEffect(std::span<const uint8_t> wav) override {
    if (wav.empty()) return -1;
    return loaded++;
  }
  void PlayEffect(int handle) override { played.push_back(handle); }
  int64_t PlayMusic(std::span<const uint8_t> ogg) override {
    tracks.push_back(ogg.empty() ? -1 : ogg[0]);
    return ogg.empty() ? -1 : lengthMs;
  }
  void StopMusic() override { ++stops; }

  int loaded = 0;
  std::vector<int> played;
  std::vector<int> tracks;  // first byte of each track started
  int stops = 0;
  int64_t lengthMs = 1000;
};

struct SoundFixture : ::testing::Test {
  SoundFixture() {
    for (int i = 0; i < 12; ++i) files.Put("Soundeffekte\\e" + std::to_string(i) + ".wav", {1, 2});
    sound.InitSound();
  }
  platform::FakePlatform fake;
  platform::MemoryFileSystem files;
  RecordingAudio audio;
  SoundSystem sound{audio, files, fake};
};

TEST_F(SoundFixture, AnEleventhEffectIsRefusedAndTheTenStayPlayable) {
  for (int i = 0; i < 11; ++i)
    sound.AddSound(("Soundeffekte\\e" + std::to_string(i) + ".wav").c_str());
  EXPECT_EQ(sound.EffectCount(), 10);
  ASSERT_EQ(fake.Messages().size(), 1u);
  EXPECT_EQ(fake.Messages()[0].text, "Maximale Anzahl an Sounds erreicht");
  EXPECT_EQ(fake.Messages()[0].caption, "AddSound");
  sound.PlaySoundEffect("Soundeffekte\\e9.wav");
  sound.PlaySoundEffect("Soundeffekte\\e9.wav");  // the same effect overlaps itself
  EXPECT_EQ(audio.played, (std::vector<int>{9, 9}));
}

TEST_F(SoundFixture, UnknownNamesAndNamesInAnotherCaseAreNotPlayed) {
  sound.AddSound("Soundeffekte\\e0.wav");
  sound.PlaySoundEffect("Soundeffekte\\fehlt.wav");
  sound.PlaySoundEffect("soundeffekte\\e0.wav");
  EXPECT_TRUE(audio.played.empty());
  ASSERT_EQ(fake.Messages().size(), 2u);
  for (const auto& m : fake.Messages()) {
    EXPECT_EQ(m.text, "Soundeffekt nicht vorhanden");
    EXPECT_EQ(m.caption, "PlaySoundEffect");
  }
}

TEST_F(SoundFixture, AnEffectThatFailsToLoadIsNotRegistered) {
  sound.AddSound("Soundeffekte\\nicht da.wav");
  EXPECT_EQ(sound.EffectCount(), 0);
  ASSERT_EQ(fake.Messages().size(), 1u);
  EXPECT_EQ(fake.Messages()[0].text, "Fehler beim Laden der Datei");
  sound.PlaySoundEffect("Soundeffekte\\nicht da.wav");
  EXPECT_EQ(fake.Messages().back().text, "Soundeffekt nicht vorhanden");
}

TEST(SilentMachine, NoDeviceMeansSilenceWithoutMessageBoxes) {
  platform::FakePlatform fake;
  platform::MemoryFileSystem files;
  platform::SilentAudio audio;
  SoundSystem sound{audio, files, fake};
  testing::internal::CaptureStderr();
  sound.InitSound();
  const std::string log = testing::internal::GetCapturedStderr();
  sound.AddSound("Soundeffekte\\explosion.wav");
  sound.PlaySoundEffect("Soundeffekte\\explosion.wav");
  EXPECT_TRUE(fake.Messages().empty());
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);
}

TEST(Music, TracksAlternateEachAfterItsOwnLength) {
  platform::FakePlatform fake;
  platform::MemoryFileSystem files;
  files.Put(MusicPlayer::kTrackFiles[0], {10});
  files.Put(MusicPlayer::kTrackFiles[1], {11});
  RecordingAudio audio;
  Random random;
  MusicPlayer music(audio, files, fake, random);
  music.UpdateMusic();  // nothing started yet: nothing to do
  EXPECT_TRUE(audio.tracks.empty());
  music.PlayMusicTrack(0);
  music.LastMusicTrack = 0;
  music.WaitWithMusic(900);
  EXPECT_EQ(audio.tracks, (std::vector<int>{10}));
  music.WaitWithMusic(200);  // past track 0's 1000 ms
  EXPECT_EQ(audio.tracks, (std::vector<int>{10, 11}));
  EXPECT_EQ(music.LastMusicTrack, 1);
  audio.lengthMs = 3000;
  music.WaitWithMusic(1100);
  EXPECT_EQ(audio.tracks, (std::vector<int>{10, 11, 10}));
  music.WaitWithMusic(2500);
  EXPECT_EQ(audio.tracks.size(), 3u);  // track 0 now lasts 3 s
  music.WaitWithMusic(600);
  EXPECT_EQ(audio.tracks, (std::vector<int>{10, 11, 10, 11}));
}

TEST(Music, AnUnplayableTrackGivesWayToTheOtherEveryTime) {
  platform::FakePlatform fake;
  platform::MemoryFileSystem files;
  files.Put(MusicPlayer::kTrackFiles[1], {11});  // track 0 is missing
  RecordingAudio audio;
  Random random;
  MusicPlayer music(audio, files, fake, random);
  music.PlayMusicTrack(0);
  music.LastMusicTrack = 0;
  music.WaitWithMusic(100);
  EXPECT_EQ(audio.tracks, (std::vector<int>{-1, 11}));
  music.WaitWithMusic(1100);  // past track 1's length: 0 fails again, 1 follows
  EXPECT_EQ(audio.tracks, (std::vector<int>{-1, 11, -1, 11}));
}

TEST(Music, WithoutSoundNothingEverEnds) {
  platform::FakePlatform fake;
  platform::MemoryFileSystem files;
  platform::SilentAudio audio;
  Random random;
  MusicPlayer music(audio, files, fake, random);
  music.PlayMusicTrack(1);
  EXPECT_FALSE(music.MusicTrackEnded());
  music.WaitWithMusic(5000);
  EXPECT_FALSE(music.MusicTrackEnded());
}

}  // namespace
}  // namespace kb
