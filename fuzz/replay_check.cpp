#include <algorithm>
#include <variant>

#include "fuzz/reader_checks.h"
#include "replay/journal.h"
#include "replay/replay_file.h"

namespace kb::fuzz {

// Whatever the file holds, the reader answers without crashing: it refuses
// it with a sentence, or takes it apart so that writing it again gives the
// same bytes, and then its journal reads to its end or to where the data
// runs out, each answer of a kind the game asks.
bool CheckReplayInput(std::span<const uint8_t> bytes, std::string& why) {
  std::variant<replay::Replay, std::string> decoded = replay::DecodeReplay(bytes);
  if (const std::string* problem = std::get_if<std::string>(&decoded)) {
    if (problem->empty()) {
      why = "a refused replay comes without a reason";
      return false;
    }
    return true;
  }
  const replay::Replay& replay = std::get<replay::Replay>(decoded);
  const std::vector<uint8_t> again = replay::EncodeReplay(replay);
  // A fuzzing build does not check the checksum, which no mutation could
  // keep right, so the last four bytes may differ.
  if (again.size() != bytes.size() || !std::equal(again.begin(), again.end() - 4, bytes.begin())) {
    why = "an accepted replay is not written back as it was read";
    return false;
  }
  platform::InputModel input;
  const size_t stateBytes = replay.input.size();
  if (input.LoadState(replay.input) != (stateBytes == platform::InputModel::kStateBytes ||
                                        stateBytes == platform::InputModel::kPlacedStateBytes)) {
    why = "the input's state is taken or refused against its length";
    return false;
  }
  replay::JournalReader reader(replay.journal, replay.entries, replay.counterFrequency);
  replay::JournalEntry entry;
  while (reader.Next(entry)) {
    if (static_cast<size_t>(entry.kind) >= replay::kAnswerKinds ||
        entry.bytes.size() > replay::kKeptReadBytes) {
      why = "the journal gives an answer the game never asks for";
      return false;
    }
    for (const platform::InputChange& change : entry.changes) input.Apply(change);
  }
  return true;
}

}  // namespace kb::fuzz
