#include "saves/highscore_file.h"

#include <vector>

namespace kb {
namespace {

// Stored files depend on these two masks: never change them. Only the lowest
// byte of a score is masked, and only the first 20 bytes of every name after
// the first.
constexpr uint32_t kScoreMask = 0x5Du;
constexpr char kNameMask[] = "q7w3e9r1t5y8u2i6o4p0a3s7d1f9g5h";
static_assert(sizeof kNameMask == 32, "31 characters and the zero");
constexpr size_t kSharedMaskBytes = 20;

uint8_t NameMaskByte(size_t record, size_t i) {
  if (record > 0 && i >= kSharedMaskBytes) return 0;
  return static_cast<uint8_t>(kNameMask[i]);
}

}  // namespace

HighscoreFileBytes EncodeHighscores(const HighscoreList& list) {
  HighscoreFileBytes bytes{};
  for (size_t r = 0; r < list.size(); ++r) {
    uint8_t* p = bytes.data() + r * kHighscoreRecordSize;
    const uint32_t score = static_cast<uint32_t>(list[r].Score) ^ kScoreMask;
    for (size_t i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(score >> (8 * i));
    for (size_t i = 0; i < list[r].Name.size(); ++i) {
      p[4 + i] = static_cast<uint8_t>(list[r].Name[i]) ^ NameMaskByte(r, i);
    }
  }
  return bytes;
}

HighscoreList DecodeHighscores(std::span<const uint8_t> bytes) {
  HighscoreList list{};
  // MENDED: a missing, short or unreadable file is 20 entries of 0 points with
  // empty names.
  if (bytes.size() < kHighscoreFileSize) return list;
  for (size_t r = 0; r < list.size(); ++r) {
    const uint8_t* p = bytes.data() + r * kHighscoreRecordSize;
    uint32_t score = 0;
    for (size_t i = 0; i < 4; ++i) score |= static_cast<uint32_t>(p[i]) << (8 * i);
    list[r].Score = static_cast<int32_t>(score ^ kScoreMask);
    TextBuffer& name = list[r].Name;
    for (size_t i = 0; i < name.size(); ++i) {
      name[i] = static_cast<char>(p[4 + i] ^ NameMaskByte(r, i));
    }
    // MENDED: a damaged name must still end inside its 32 bytes; an intact one
    // keeps every byte, also those after its zero.
    bool ends = false;
    for (const char c : name) ends = ends || c == '\0';
    if (!ends) name[kMaxTextLength] = '\0';
  }
  return list;
}

bool ReadHighscores(platform::FileSystem& files, HighscoreList& list) {
  std::vector<uint8_t> bytes;
  // Bytes after the 20 records never counted; they are not read at all.
  const platform::ReadResult read = files.ReadFile(kHighscoreFile, bytes, kHighscoreFileSize);
  list = DecodeHighscores(bytes);
  return read != platform::ReadResult::kFailed;
}

bool WriteHighscores(platform::FileSystem& files, const HighscoreList& list) {
  const HighscoreFileBytes bytes = EncodeHighscores(list);
  return files.WriteFile(kHighscoreFile, bytes);
}

}  // namespace kb
