#pragma once

#include <array>
#include <cstdint>

#include "core/random.h"
#include "platform/audio_device.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace kb {

// Two tracks that take turns for as long as the game runs. There is no music
// thread: every screen loop and every pause calls UpdateMusic, which starts
// the other track once the running one has played its length.
class MusicPlayer {
 public:
  static constexpr int32_t kNoTrack = 2;
  static const std::array<const char*, 2> kTrackFiles;

  MusicPlayer(platform::AudioDevice& audio, platform::FileSystem& files, platform::Clock& clock,
              Random& random)
      : audio_(audio), files_(files), clock_(clock), random_(random) {}

  // Track 0 or 1 from the beginning; LastMusicTrack is the caller's to set.
  // Nothing while the music is switched off.
  void PlayMusicTrack(int32_t track);
  // The player's switch (F2). Off, the music stops and no track is read or
  // decoded until it is switched on again, which starts the other track.
  void SetMusicOn(bool on);
  bool MusicOn() const { return musicOn_; }
  bool MusicTrackEnded();
  void StopMusic();
  void UpdateMusic();
  // A pause of `ms` milliseconds during which the music goes on.
  void WaitWithMusic(int32_t ms);
  // The other track, drawn as the game draws it: (ticks + rand) mod 2 until
  // it differs from the last one.
  int32_t ChooseNextTrack();

  int32_t LastMusicTrack = kNoTrack;

  // Where the music stands, for a replay to go on from the same point.
  struct State {
    std::array<int64_t, 2> trackLengthMs{0, 0};
    uint32_t trackStart = 0;
    int32_t playingTrack = kNoTrack;
    bool playing = false;
    int32_t unplayableInARow = 0;
    bool musicOn = true;
  };
  State Saved() const {
    return {trackLengthMs_, trackStart_, playingTrack_, playing_, unplayableInARow_, musicOn_};
  }
  void Restore(const State& state) {
    trackLengthMs_ = state.trackLengthMs;
    trackStart_ = state.trackStart;
    // Only a track the player has can be playing.
    const bool known = state.playingTrack == 0 || state.playingTrack == 1;
    playingTrack_ = known ? state.playingTrack : kNoTrack;
    playing_ = state.playing && known;
    unplayableInARow_ = state.unplayableInARow;
    musicOn_ = state.musicOn;
  }

 private:
  platform::AudioDevice& audio_;
  platform::FileSystem& files_;
  platform::Clock& clock_;
  Random& random_;
  std::array<int64_t, 2> trackLengthMs_{0, 0};
  uint32_t trackStart_ = 0;
  int32_t playingTrack_ = kNoTrack;
  bool playing_ = false;
  int32_t unplayableInARow_ = 0;
  bool musicOn_ = true;
};

}  // namespace kb
