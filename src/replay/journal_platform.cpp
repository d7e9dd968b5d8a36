#include "replay/journal_platform.h"

#include <utility>

#include "core/key_codes.h"

namespace kb::replay {

using platform::ReadResult;

JournalPlatform::JournalPlatform(platform::Platform& machine)
    : machine_(machine), face_{*this, *this, *this, *this, *this, *this} {}

void JournalPlatform::BeginRecording(std::vector<uint8_t> start) {
  counterFrequency_ = static_cast<uint32_t>(machine_.clock.PerformanceFrequency());
  writer_ = std::make_unique<JournalWriter>(counterFrequency_);
  start_ = std::move(start);
  // The input as the game's last poll left it; from here on every change
  // goes into the journal with the next poll. A game polls long before its
  // first match, so this adds no poll of its own.
  recordedInput_ = machineInput_ != nullptr ? machineInput_ : &machine_.input.PollInput();
  inputStart_ = recordedInput_->SaveState();
  changes_.clear();
  recordedInput_->RecordChangesInto(&changes_);
  frames_ = 0;
  mode_ = Mode::kRecording;
}

Replay JournalPlatform::EndRecording(const MatchResult& result) {
  Replay replay;
  if (mode_ != Mode::kRecording) return replay;
  recordedInput_->RecordChangesInto(nullptr);
  mode_ = Mode::kLive;
  replay.start = std::move(start_);
  replay.input = std::move(inputStart_);
  replay.result = result;
  replay.result.frames = frames_;
  replay.counterFrequency = counterFrequency_;
  replay.entries = writer_->Entries();
  replay.journal = writer_->Finish();
  writer_.reset();
  return replay;
}

void JournalPlatform::BeginReplay(const Replay& replay, bool watched) {
  reader_ =
      std::make_unique<JournalReader>(replay.journal, replay.entries, replay.counterFrequency);
  replayInput_ = platform::InputModel{};
  stopped_ = !replayInput_.LoadState(replay.input);
  diverged_ = stopped_;
  stoppedByViewer_ = false;
  watched_ = watched;
  frames_ = 0;
  lastTick_ = 0;
  lastCounter_ = 0;
  mode_ = Mode::kReplaying;
  if (stopped_) Stop(true);
}

JournalPlatform::ReplayEnd JournalPlatform::EndReplay() {
  ReplayEnd end{frames_, diverged_, stoppedByViewer_};
  // A match that ended before its journal did went another way.
  if (!stopped_ && reader_->Left() > 0) end.diverged = true;
  mode_ = Mode::kLive;
  reader_.reset();
  if (watched_) {
    // What the viewer did meanwhile (the ESC, the mouse) is not the menu's.
    platform::InputModel& input = machine_.input.PollInput();
    input.ReadMouse(platform::ReadUse::kKeepsCurrent);
    input.DropTaps();
  }
  return end;
}

void JournalPlatform::Record(Answer kind, uint64_t value) {
  if (mode_ != Mode::kRecording) return;
  JournalEntry entry;
  entry.kind = kind;
  entry.value = value;
  writer_->Add(std::move(entry));
}

const JournalEntry* JournalPlatform::Take(Answer kind) {
  if (!Replaying()) return nullptr;
  if (!reader_->Next(entry_) || entry_.kind != kind) {
    Stop(true);
    return nullptr;
  }
  return &entry_;
}

void JournalPlatform::Stop(bool diverged) {
  stopped_ = true;
  diverged_ = diverged_ || diverged;
  stoppedByViewer_ = !diverged_;
  tickShift_ = lastTick_ - machine_.clock.TickCount();
  counterShift_ = lastCounter_ - machine_.clock.PerformanceCounter();
  // The match ends as the player would end it.
  replayInput_.ChangeKey(key::kEscape, true);
}

uint32_t JournalPlatform::TickCount() {
  if (mode_ != Mode::kReplaying) {
    const uint32_t ticks = machine_.clock.TickCount();
    Record(Answer::kTick, ticks);
    return ticks;
  }
  if (const JournalEntry* e = Take(Answer::kTick))
    return lastTick_ = static_cast<uint32_t>(e->value);
  return machine_.clock.TickCount() + tickShift_;
}

uint32_t JournalPlatform::MachineTicks() {
  if (const JournalEntry* e = Take(Answer::kMachineTicks)) return static_cast<uint32_t>(e->value);
  const uint32_t ticks = machine_.clock.MachineTicks();
  Record(Answer::kMachineTicks, ticks);
  return ticks;
}

uint64_t JournalPlatform::PerformanceCounter() {
  if (mode_ != Mode::kReplaying) {
    const uint64_t counter = machine_.clock.PerformanceCounter();
    Record(Answer::kCounter, counter);
    return counter;
  }
  if (const JournalEntry* e = Take(Answer::kCounter)) return lastCounter_ = e->value;
  return machine_.clock.PerformanceCounter() + counterShift_;
}

uint64_t JournalPlatform::PerformanceFrequency() {
  if (const JournalEntry* e = Take(Answer::kFrequency)) return e->value;
  const uint64_t frequency = machine_.clock.PerformanceFrequency();
  Record(Answer::kFrequency, frequency);
  return frequency;
}

void JournalPlatform::SleepMicroseconds(uint32_t us) {
  if (const JournalEntry* e = Take(Answer::kSleep); e != nullptr && e->value != us) Stop(true);
  Record(Answer::kSleep, us);
  machine_.clock.SleepMicroseconds(us);
}

void JournalPlatform::Present(const uint32_t* pixels) {
  PresentRows(pixels, 0, platform::kScreenHeight);
}

void JournalPlatform::PresentRows(const uint32_t* pixels, int firstRow, int endRow) {
  if (mode_ != Mode::kLive) ++frames_;
  Take(Answer::kPresent);
  Record(Answer::kPresent, 0);
  machine_.display.PresentRows(pixels, firstRow, endRow);
}

platform::InputModel& JournalPlatform::PollInput() {
  if (mode_ == Mode::kReplaying) {
    if (watched_ && !stopped_) {
      platform::KeyState keys{};
      machine_.input.PollInput().ReadKeys(keys, platform::ReadUse::kActs);
      if ((keys[key::kEscape] & 0x80u) != 0) Stop(false);
    }
    if (const JournalEntry* e = Take(Answer::kPoll)) {
      for (const platform::InputChange& change : e->changes) replayInput_.Apply(change);
    }
    return replayInput_;
  }
  platform::InputModel& input = machine_.input.PollInput();
  machineInput_ = &input;
  if (mode_ == Mode::kRecording) {
    JournalEntry entry;
    entry.kind = Answer::kPoll;
    entry.changes.swap(changes_);
    writer_->Add(std::move(entry));
  }
  return input;
}

void JournalPlatform::Show(const char* text, const char* caption) {
  // The box of a recorded match was answered then; its effect on the input
  // is in the journal.
  if (mode_ == Mode::kReplaying) return;
  machine_.messages.Show(text, caption);
}

ReadResult JournalPlatform::ReadFile(std::string_view gamePath, std::vector<uint8_t>& out,
                                     size_t maxBytes) {
  if (const JournalEntry* e = Take(Answer::kRead)) {
    const auto result = static_cast<ReadResult>(e->value);
    if (e->bytesKept) {
      out = e->bytes;
    } else if (machine_.files.ReadFile(gamePath, out, maxBytes) != result) {
      out.clear();
    }
    return result;
  }
  const ReadResult result = machine_.files.ReadFile(gamePath, out, maxBytes);
  if (mode_ == Mode::kRecording) {
    JournalEntry entry;
    entry.kind = Answer::kRead;
    entry.value = static_cast<uint64_t>(result);
    entry.bytesKept = out.size() <= kKeptReadBytes;
    if (entry.bytesKept) entry.bytes = out;
    writer_->Add(std::move(entry));
  }
  return result;
}

bool JournalPlatform::ReplayedWrite(Answer kind) {
  const JournalEntry* e = Take(kind);
  return e == nullptr || e->value != 0;
}

bool JournalPlatform::WriteFile(std::string_view gamePath, std::span<const uint8_t> bytes) {
  if (mode_ == Mode::kReplaying) return ReplayedWrite(Answer::kWrite);
  const bool written = machine_.files.WriteFile(gamePath, bytes);
  Record(Answer::kWrite, written ? 1 : 0);
  return written;
}

bool JournalPlatform::MakeFolder(std::string_view gamePath) {
  if (mode_ == Mode::kReplaying) return ReplayedWrite(Answer::kMakeFolder);
  const bool made = machine_.files.MakeFolder(gamePath);
  Record(Answer::kMakeFolder, made ? 1 : 0);
  return made;
}

bool JournalPlatform::RemoveFile(std::string_view gamePath) {
  if (mode_ == Mode::kReplaying) return ReplayedWrite(Answer::kRemove);
  const bool removed = machine_.files.RemoveFile(gamePath);
  Record(Answer::kRemove, removed ? 1 : 0);
  return removed;
}

// No match lists a folder; the game lists its replays between matches.
std::vector<std::string> JournalPlatform::ListFolder(std::string_view gamePath) {
  if (mode_ == Mode::kReplaying) return {};
  return machine_.files.ListFolder(gamePath);
}

platform::FileLock JournalPlatform::LockFile(std::string_view gamePath) {
  if (mode_ == Mode::kReplaying) return {};
  return machine_.files.LockFile(gamePath);
}

bool JournalPlatform::Available() const {
  // The question changes nothing on the device, but the journal moves on.
  auto& self = const_cast<JournalPlatform&>(*this);
  if (const JournalEntry* e = self.Take(Answer::kAudioAvailable)) return e->value != 0;
  const bool available = machine_.audio.Available();
  self.Record(Answer::kAudioAvailable, available ? 1 : 0);
  return available;
}

int JournalPlatform::LoadEffect(std::span<const uint8_t> wav) {
  if (const JournalEntry* e = Take(Answer::kLoadEffect)) return static_cast<int>(e->value);
  const int handle = machine_.audio.LoadEffect(wav);
  Record(Answer::kLoadEffect, static_cast<uint64_t>(static_cast<int64_t>(handle)));
  return handle;
}

void JournalPlatform::PlayEffect(int handle) {
  machine_.audio.PlayEffect(handle);
}

int64_t JournalPlatform::PlayMusic(std::span<const uint8_t> ogg) {
  // A watched replay plays the track; the game hears the length it heard then.
  const int64_t length = machine_.audio.PlayMusic(ogg);
  if (const JournalEntry* e = Take(Answer::kPlayMusic)) return static_cast<int64_t>(e->value);
  Record(Answer::kPlayMusic, static_cast<uint64_t>(length));
  return length;
}

void JournalPlatform::StopMusic() {
  machine_.audio.StopMusic();
}

void JournalPlatform::ShowSwitches(bool music, bool effects) {
  machine_.audio.ShowSwitches(music, effects);
}

}  // namespace kb::replay
