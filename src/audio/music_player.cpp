#include "audio/music_player.h"

#include <algorithm>
#include <vector>

#include "core/data_files.h"

namespace kb {
namespace {

constexpr int32_t kMaxRestMs = 50;

}  // namespace

const std::array<const char*, 2> MusicPlayer::kTrackFiles = data_files::kMusicTracks;

void MusicPlayer::PlayMusicTrack(int32_t track) {
  if (track < 0 || track > 1 || !musicOn_) return;
  std::vector<uint8_t> bytes;
  if (files_.ReadFile(kTrackFiles[static_cast<size_t>(track)], bytes,
                      platform::kMaxMediaFileBytes) != platform::ReadResult::kRead) {
    bytes.clear();
  }
  const int64_t length = audio_.PlayMusic(bytes);
  trackLengthMs_[static_cast<size_t>(track)] = std::max<int64_t>(length, 0);
  trackStart_ = clock_.TickCount();
  playingTrack_ = track;
  // MENDED: a track that cannot be played counts as ended at once, so that the
  // other one takes over. When neither plays (no sound device, or both files
  // damaged) the screens stay silent instead of trying again in every pass.
  unplayableInARow_ = length > 0 ? 0 : unplayableInARow_ + 1;
  playing_ = unplayableInARow_ < 2;
}

bool MusicPlayer::MusicTrackEnded() {
  if (!playing_) return false;
  const uint64_t passed = static_cast<uint32_t>(clock_.TickCount() - trackStart_);
  return static_cast<int64_t>(passed) > trackLengthMs_[static_cast<size_t>(playingTrack_)];
}

void MusicPlayer::StopMusic() {
  if (!playing_) return;
  audio_.StopMusic();
  playing_ = false;
}

int32_t MusicPlayer::ChooseNextTrack() {
  int32_t r = kNoTrack;
  while (r == kNoTrack || r == LastMusicTrack) {
    r = static_cast<int32_t>((clock_.TickCount() + static_cast<uint32_t>(random_.Next())) % 2u);
  }
  return r;
}

void MusicPlayer::SetMusicOn(bool on) {
  if (on == musicOn_) return;
  if (!on) {
    StopMusic();
    musicOn_ = false;
    return;
  }
  musicOn_ = true;
  const int32_t next = ChooseNextTrack();
  PlayMusicTrack(next);
  LastMusicTrack = next;
}

void MusicPlayer::UpdateMusic() {
  if (!musicOn_ || !MusicTrackEnded()) return;
  StopMusic();
  const int32_t next = ChooseNextTrack();
  PlayMusicTrack(next);
  LastMusicTrack = next;
}

void MusicPlayer::WaitWithMusic(int32_t ms) {
  const uint32_t end = clock_.TickCount() + static_cast<uint32_t>(ms);
  for (;;) {
    const auto left = static_cast<int32_t>(end - clock_.TickCount());
    if (left <= 0) break;
    UpdateMusic();
    // Rests of up to 50 ms whose last one ends on the deadline: the wait lasts
    // exactly as long, a track still changes within 50 ms of its end (nobody
    // hears that), and an idle menu wakes 20 times a second instead of a
    // thousand.
    clock_.SleepMicroseconds(static_cast<uint32_t>(std::min(left, kMaxRestMs)) * 1000u);
  }
}

}  // namespace kb
