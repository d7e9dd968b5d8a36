#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "extras/highscores.h"
#include "platform/file_system.h"

namespace kb {

inline constexpr char kHighscoreFile[] = "Highscores.bin";

// 20 records of a 4-byte little-endian score and a 32-byte name, best first,
// no header; both fields are masked so that the file is not plain to read.
constexpr size_t kHighscoreRecordSize = 36;
constexpr size_t kHighscoreFileSize = kHighscoreRecordSize * kHighscoreCount;
using HighscoreFileBytes = std::array<uint8_t, kHighscoreFileSize>;

HighscoreFileBytes EncodeHighscores(const HighscoreList& list);
// Fewer than 720 bytes give an empty list (scores 0, empty names); a name
// without a terminating zero is cut at 31 characters.
HighscoreList DecodeHighscores(std::span<const uint8_t> bytes);

// A missing file reads as the empty list, and so does one that cannot be
// read; only then is the answer false, since the table on the disk is then
// unknown and must not be saved over.
bool ReadHighscores(platform::FileSystem& files, HighscoreList& list);
// Whole or not at all; false when the file could not be written.
bool WriteHighscores(platform::FileSystem& files, const HighscoreList& list);

enum class HighscoreSave {
  kSaved,
  kNotWritten,    // the file could not be written
  kTableUnknown,  // no table could be read, now or before: nothing is saved
};

// Adds a new entry to the table as the disk holds it now. The table is read
// again (the name entry took a while) under the file's lock, held until the
// new table is in place, so that an entry another game saves at the same
// moment stays too. MENDED: a table that cannot be read now must not become
// an empty one saved over the real one: `before`, the table read before the
// name was typed, stands in, and without either nothing is saved.
HighscoreSave AddHighscore(platform::FileSystem& files, const HighscoreList* before, int32_t score,
                           const TextBuffer& name);

}  // namespace kb
