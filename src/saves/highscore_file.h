#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "platform/file_system.h"
#include "saves/highscores.h"

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

}  // namespace kb
