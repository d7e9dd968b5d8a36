#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/file_system.h"
#include "platform/input_model.h"
#include "replay/range_coder.h"

namespace kb::replay {

// Every answer the machine gave the game during a match, in the order the
// game asked: with the same start, the game asks the same questions again,
// and given the same answers it plays the match again exactly. What the game
// tells the machine without waiting for an answer (a sound, a message box) is
// not kept; a wait and a presented frame are, so that a replay notices at once
// when it goes another way.
enum class Answer : uint8_t {
  kTick,            // the millisecond tick count
  kMachineTicks,    // the machine's clock, for a seed
  kCounter,         // the performance counter
  kFrequency,       // its frequency
  kSleep,           // a wait of `value` microseconds
  kPoll,            // an input poll, with the changes since the last one
  kPresent,         // a frame presented
  kRead,            // a file read: its result, and the bytes of a small file
  kWrite,           // a file written: 1 or 0
  kMakeFolder,      // a folder made: 1 or 0
  kRemove,          // a file removed: 1 or 0
  kAudioAvailable,  // whether there is sound: 1 or 0
  kLoadEffect,      // a sound effect's handle
  kPlayMusic,       // a music track's length in milliseconds, or -1
};
inline constexpr size_t kAnswerKinds = 14;

struct JournalEntry {
  Answer kind = Answer::kTick;
  // The answer (kRead: the ReadResult), as the interface gives it.
  uint64_t value = 0;
  std::vector<platform::InputChange> changes;  // kPoll
  // kRead: the bytes read, kept where the file is small (the options);
  // larger ones (music) are data files that a replay reads itself.
  bool bytesKept = false;
  std::vector<uint8_t> bytes;
};

// The largest file read whose bytes a journal keeps.
inline constexpr size_t kKeptReadBytes = 4096;

struct JournalModels;

// Codes entries one after the other; what each costs depends on those before.
class JournalWriter {
 public:
  // The performance counter's frequency, by which the waits predict it.
  explicit JournalWriter(uint64_t counterFrequency);
  ~JournalWriter();
  // Coding needs an entry it may write to: a temporary is taken as it is.
  void Add(JournalEntry entry);
  uint32_t Entries() const { return entries_; }
  std::vector<uint8_t> Finish() { return coder_.Finish(); }

 private:
  RangeEncoder coder_;
  std::unique_ptr<JournalModels> models_;
  uint32_t entries_ = 0;
};

class JournalReader {
 public:
  // `entries` and the frequency as the writer had them.
  JournalReader(std::span<const uint8_t> body, uint32_t entries, uint64_t counterFrequency);
  ~JournalReader();
  // False when every entry has been read, or the data ran out first.
  bool Next(JournalEntry& entry);
  bool Damaged() const { return coder_.Overran(); }
  uint32_t Left() const { return left_; }

 private:
  RangeDecoder coder_;
  std::unique_ptr<JournalModels> models_;
  uint32_t left_;
};

}  // namespace kb::replay
