#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/platform.h"
#include "replay/journal.h"
#include "replay/replay_file.h"

namespace kb::replay {

// Stands between the game and the machine. Live, it passes every question
// on. While a match is recorded it also writes every answer into the match's
// journal. While a replay plays it gives the journal's answers instead of the
// machine's, and the machine only shows the frames and plays the sounds;
// nothing is written to the player's files.
class JournalPlatform final : public platform::Clock,
                              public platform::Display,
                              public platform::InputSource,
                              public platform::MessageBoxes,
                              public platform::FileSystem,
                              public platform::AudioDevice {
 public:
  explicit JournalPlatform(platform::Platform& machine);
  JournalPlatform(const JournalPlatform&) = delete;
  JournalPlatform& operator=(const JournalPlatform&) = delete;
  // The platform to hand the game.
  platform::Platform& Face() { return face_; }

  // `start` is the game's own state as the match begins.
  void BeginRecording(std::vector<uint8_t> start);
  Replay EndRecording(const MatchResult& result);
  bool Recording() const { return mode_ == Mode::kRecording; }

  // `watched`: in a window, where ESC stops it and the waits take their time.
  void BeginReplay(const Replay& replay, bool watched);
  struct ReplayEnd {
    uint32_t frames = 0;
    // The game asked what the journal does not answer, or the journal ended
    // before the match did: the replay is not of this game.
    bool diverged = false;
    bool stoppedByViewer = false;
  };
  ReplayEnd EndReplay();

  // Clock
  uint32_t TickCount() override;
  uint32_t MachineTicks() override;
  uint64_t PerformanceCounter() override;
  uint64_t PerformanceFrequency() override;
  void SleepMicroseconds(uint32_t us) override;
  // Display
  void Present(const uint32_t* pixels) override;
  void PresentRows(const uint32_t* pixels, int firstRow, int endRow) override;
  // InputSource
  platform::InputModel& PollInput() override;
  // MessageBoxes
  void Show(const char* text, const char* caption) override;
  // FileSystem
  platform::ReadResult ReadFile(std::string_view gamePath, std::vector<uint8_t>& out,
                                size_t maxBytes) override;
  bool WriteFile(std::string_view gamePath, std::span<const uint8_t> bytes) override;
  bool MakeFolder(std::string_view gamePath) override;
  bool RemoveFile(std::string_view gamePath) override;
  std::vector<std::string> ListFolder(std::string_view gamePath) override;
  platform::FileLock LockFile(std::string_view gamePath) override;
  // AudioDevice
  bool Available() const override;
  int LoadEffect(std::span<const uint8_t> wav) override;
  void PlayEffect(int handle) override;
  int64_t PlayMusic(std::span<const uint8_t> ogg) override;
  void StopMusic() override;
  void ShowSwitches(bool music, bool effects) override;

 private:
  enum class Mode { kLive, kRecording, kReplaying };

  void Record(Answer kind, uint64_t value);
  // The journal's next answer, which must be of this kind; nullptr once the
  // replay has stopped (then the machine answers).
  const JournalEntry* Take(Answer kind);
  void Stop(bool diverged);
  bool Replaying() const { return mode_ == Mode::kReplaying && !stopped_; }
  // A write the replay answers without touching the player's files.
  bool ReplayedWrite(Answer kind);

  platform::Platform& machine_;
  platform::Platform face_;
  Mode mode_ = Mode::kLive;

  // Recording.
  std::unique_ptr<JournalWriter> writer_;
  uint32_t counterFrequency_ = 0;
  std::vector<uint8_t> start_;
  std::vector<uint8_t> inputStart_;
  platform::InputModel* machineInput_ = nullptr;
  platform::InputModel* recordedInput_ = nullptr;
  std::vector<platform::InputChange> changes_;
  uint32_t frames_ = 0;

  // Replaying.
  std::unique_ptr<JournalReader> reader_;
  JournalEntry entry_;
  platform::InputModel replayInput_;
  bool watched_ = false;
  bool stopped_ = false;
  bool diverged_ = false;
  bool stoppedByViewer_ = false;
  // After a stop the clocks go on from the journal's last reading at the
  // machine's pace, so that a wait under way still ends.
  uint32_t lastTick_ = 0;
  uint64_t lastCounter_ = 0;
  uint32_t tickShift_ = 0;
  uint64_t counterShift_ = 0;
};

}  // namespace kb::replay
