#include "replay/replay_file.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/checksum.h"
#include "core/cp1252.h"
#include "core/little_endian.h"

namespace kb::replay {
namespace {

constexpr std::array<uint8_t, 4> kMagic = {'K', 'B', '3', 'R'};
constexpr uint32_t kVersion = 2;
// Magic, version, three lengths, the result, the counter's frequency, the
// entry count; the checksum follows the parts.
constexpr size_t kHeadBytes = 4 + 4 + 3 * 4 + 3 * 4 + 4 + 4;
constexpr size_t kChecksumBytes = 4;
// Real matches give 8 or 9 answers a byte of journal.
constexpr uint64_t kMostAnswersPerByte = 64;
constexpr char kExtension[] = ".kbr";

constexpr size_t kStampLength = 19;  // "2026-12-11_07-15-03"

// By the time in the name, then by the number of a second match within the
// same second (none counting as 1).
bool PlayedBefore(const std::string& a, const std::string& b) {
  auto number = [](const std::string& name) {
    return name[kStampLength] == '-' ? std::atoi(name.c_str() + kStampLength + 1) : 1;
  };
  const int order = a.compare(0, kStampLength, b, 0, kStampLength);
  return order != 0 ? order < 0 : number(a) < number(b);
}

}  // namespace

std::vector<uint8_t> EncodeReplay(const Replay& replay) {
  std::vector<uint8_t> out(kMagic.begin(), kMagic.end());
  PutU32(out, kVersion);
  PutU32(out, static_cast<uint32_t>(replay.start.size()));
  PutU32(out, static_cast<uint32_t>(replay.input.size()));
  PutU32(out, static_cast<uint32_t>(replay.journal.size()));
  PutU32(out, static_cast<uint32_t>(replay.result.score));
  PutU32(out, static_cast<uint32_t>(replay.result.level));
  PutU32(out, replay.result.frames);
  PutU32(out, replay.counterFrequency);
  PutU32(out, replay.entries);
  for (const auto* part : {&replay.start, &replay.input, &replay.journal})
    out.insert(out.end(), part->begin(), part->end());
  PutU32(out, Fnv1a32(out));
  return out;
}

std::variant<Replay, std::string> DecodeReplay(std::span<const uint8_t> bytes) {
  if (bytes.size() < kHeadBytes + kChecksumBytes ||
      std::memcmp(bytes.data(), kMagic.data(), kMagic.size()) != 0) {
    return "Die Datei ist keine Wiederholung von Klotzbrecher 3.";
  }
  const uint32_t version = GetU32(bytes.data() + 4);
  if (version != kVersion) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "Die Wiederholung hat das Format %u; diese Version von Klotzbrecher 3 spielt "
                  "nur Format %u ab.",
                  version, kVersion);
    return std::string(text);
  }
  const std::string damaged = "Die Wiederholung ist beschädigt."_cp;
  const uint8_t* in = bytes.data() + 8;
  const uint64_t lengths[3] = {GetU32(in), GetU32(in + 4), GetU32(in + 8)};
  if (kHeadBytes + lengths[0] + lengths[1] + lengths[2] + kChecksumBytes != bytes.size())
    return damaged;
  const size_t body = bytes.size() - kChecksumBytes;
  if (kChecksumsMatter && GetU32(bytes.data() + body) != Fnv1a32(bytes.first(body))) return damaged;
  Replay replay;
  replay.result.score = static_cast<int32_t>(GetU32(in + 12));
  replay.result.level = static_cast<int32_t>(GetU32(in + 16));
  replay.result.frames = GetU32(in + 20);
  replay.counterFrequency = GetU32(in + 24);
  replay.entries = GetU32(in + 28);
  // Even the most foreseeable answer costs a few tenths of a bit; a journal
  // that claims more answers than its bytes could hold is not one.
  if (replay.entries > kMostAnswersPerByte * lengths[2] + kMostAnswersPerByte) return damaged;
  const uint8_t* part = bytes.data() + kHeadBytes;
  for (auto [target, length] :
       {std::pair{&replay.start, lengths[0]}, std::pair{&replay.input, lengths[1]},
        std::pair{&replay.journal, lengths[2]}}) {
    target->assign(part, part + length);
    part += length;
  }
  return replay;
}

std::string ReplayFileName(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char name[64];
  std::strftime(name, sizeof name, "%Y-%m-%d_%H-%M-%S", &local);
  return std::string(name) + kExtension;
}

bool IsReplayFileName(std::string_view name) {
  // "2026-12-11_07-15-03.kbr", or with "-2" and on for a second match within
  // the same second.
  constexpr std::string_view kPattern = "0000-00-00_00-00-00";
  static_assert(kPattern.size() == kStampLength);
  if (name.size() < kPattern.size() + std::size(kExtension) - 1 || !name.ends_with(kExtension))
    return false;
  for (size_t i = 0; i < kPattern.size(); ++i) {
    const bool digit = name[i] >= '0' && name[i] <= '9';
    if (kPattern[i] == '0' ? !digit : name[i] != kPattern[i]) return false;
  }
  const std::string_view rest =
      name.substr(kPattern.size(), name.size() - kPattern.size() - (std::size(kExtension) - 1));
  return rest.empty() ||
         (rest.size() >= 2 && rest[0] == '-' &&
          std::all_of(rest.begin() + 1, rest.end(), [](char c) { return c >= '0' && c <= '9'; }));
}

bool KeepReplay(platform::FileSystem& files, std::span<const uint8_t> bytes, std::time_t when) {
  if (!files.MakeFolder(kReplayFolder)) return false;
  std::vector<std::string> names = files.ListFolder(kReplayFolder);
  std::erase_if(names, [](const std::string& name) { return !IsReplayFileName(name); });
  std::string name = ReplayFileName(when);
  const std::string stem = name.substr(0, name.size() - (std::size(kExtension) - 1));
  for (int n = 2; std::find(names.begin(), names.end(), name) != names.end(); ++n)
    name = stem + "-" + std::to_string(n) + kExtension;
  if (!files.WriteFile(std::string(kReplayFolder) + "/" + name, bytes)) return false;
  names.push_back(name);
  std::sort(names.begin(), names.end(), PlayedBefore);
  if (names.size() > kKeptReplays) {
    for (size_t i = 0; i + kKeptReplays < names.size(); ++i)
      files.RemoveFile(std::string(kReplayFolder) + "/" + names[i]);
  }
  return true;
}

}  // namespace kb::replay
