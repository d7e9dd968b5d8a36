#include <algorithm>

#include "fuzz/one_file_system.h"
#include "fuzz/reader_checks.h"
#include "saves/highscore_file.h"

namespace kb::fuzz {

// A short file reads as the empty list; a whole one gives names that end
// inside their 32 bytes and writes back byte for byte, except the last name
// byte of a record whose name held no zero.
bool CheckHighscoreInput(std::span<const uint8_t> bytes, std::string& why) {
  OneFileSystem files(bytes);
  HighscoreList list;
  for (HighscoreEntry& e : list) {
    e.Score = 12345;
    e.Name.fill('?');
  }
  ReadHighscores(files, list);
  for (size_t r = 0; r < list.size(); ++r) {
    const TextBuffer& name = list[r].Name;
    if (std::find(name.begin(), name.end(), '\0') == name.end()) {
      why = "name " + std::to_string(r) + " has no end";
      return false;
    }
    if (bytes.size() < kHighscoreFileSize && (list[r].Score != 0 || name[0] != '\0')) {
      why = "a short file gave entry " + std::to_string(r);
      return false;
    }
  }
  if (bytes.size() < kHighscoreFileSize) return true;
  const HighscoreFileBytes back = EncodeHighscores(list);
  for (size_t i = 0; i < back.size(); ++i) {
    const bool lastNameByte = i % kHighscoreRecordSize == kHighscoreRecordSize - 1;
    if (back[i] != bytes[i] && !(lastNameByte && list[i / kHighscoreRecordSize].Name.back() == 0)) {
      why = "byte " + std::to_string(i) + " does not write back";
      return false;
    }
  }
  return true;
}

}  // namespace kb::fuzz
