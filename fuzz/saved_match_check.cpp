#include <algorithm>

#include "fuzz/one_file_system.h"
#include "fuzz/reader_checks.h"
#include "saves/match_file.h"

namespace kb::fuzz {

// Whatever the file holds, the reader answers without crashing; a match it
// accepts is one the game can play on, and writing it again gives the same
// bytes, so that nothing of the file is read wrongly or left out.
bool CheckSavedMatchInput(std::span<const uint8_t> bytes, std::string& why) {
  const std::optional<SavedMatch> saved = DecodeSavedMatch(bytes);
  if (!saved) return true;
  const std::vector<uint8_t> again = EncodeSavedMatch(*saved);
  // A fuzzing build does not check the checksum, which no mutation could
  // keep right, so the last four bytes may differ.
  if (again.size() != bytes.size() || !std::equal(again.begin(), again.end() - 4, bytes.begin())) {
    why = "an accepted match is not written back as it was read";
    return false;
  }
  for (const auto& row : saved->board.cells) {
    for (const StoneCode code : row) {
      if (code != kEmpty && (code < 1 || code > kIndestructible)) {
        why = "an accepted board holds stone " + std::to_string(code);
        return false;
      }
    }
  }
  OneFileSystem files(bytes);
  if (ReadSavedMatch(files) != saved) {
    why = "the file reader and the decoder disagree";
    return false;
  }
  return true;
}

}  // namespace kb::fuzz
