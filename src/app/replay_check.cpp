#include "app/replay_check.h"

#include <cinttypes>
#include <cstdio>
#include <limits>
#include <variant>

#include "app/game.h"
#include "core/checksum.h"
#include "core/cp1252.h"
#include "platform/fake/fake_platform.h"

namespace kb {
namespace {

// A sound device that takes everything and plays nothing: the check is
// silent, and says nothing about a missing device either.
class MuteAudio final : public platform::AudioDevice {
 public:
  bool Available() const override { return true; }
  int LoadEffect(std::span<const uint8_t>) override { return effects_++; }
  void PlayEffect(int) override {}
  int64_t PlayMusic(std::span<const uint8_t>) override { return -1; }
  void StopMusic() override {}

 private:
  int effects_ = 0;
};

}  // namespace

ReplayCheck CheckReplay(std::span<const uint8_t> file, platform::FileSystem& files) {
  ReplayCheck check;
  std::variant<replay::Replay, std::string> decoded = replay::DecodeReplay(file);
  if (const std::string* problem = std::get_if<std::string>(&decoded)) {
    check.problem = *problem;
    return check;
  }
  const replay::Replay& recorded = std::get<replay::Replay>(decoded);

  // Time passes only as the journal says; the fake's own limit never comes.
  platform::FakePlatform fake(std::numeric_limits<uint64_t>::max() / 2000u);
  MuteAudio audio;
  platform::Platform machine{fake, fake, fake, fake, files, audio};
  replay::JournalPlatform journal(machine);
  Game game(journal.Face());
  game.journal = &journal;
  game.InitServices();
  const Game::ReplayOutcome outcome = game.WatchReplay(recorded, false);

  char text[160];
  if (outcome.refused) {
    check.problem = "Die Wiederholung ist beschädigt."_cp;
  } else if (outcome.end.diverged) {
    std::snprintf(text, sizeof text,
                  "Die Wiederholung passt nach %u Bildern nicht mehr zu diesem Spiel.",
                  outcome.end.frames);
    check.problem = text;
  } else if (!(outcome.result == recorded.result)) {
    std::snprintf(text, sizeof text,
                  "Die Wiederholung endet anders als aufgezeichnet: %d statt %d Punkte, "
                  "Level %d statt %d, %u statt %u Bilder.",
                  outcome.result.score, recorded.result.score, outcome.result.level,
                  recorded.result.level, outcome.result.frames, recorded.result.frames);
    check.problem = text;
  } else {
    std::snprintf(text, sizeof text, "score %d level %d frames %u hash %016" PRIx64,
                  outcome.result.score, outcome.result.level, outcome.result.frames,
                  FrameHash(fake.LastFrame()));
    check.line = text;
    check.played = true;
  }
  return check;
}

}  // namespace kb
