#include "platform/fake/memory_file_system.h"

#include <algorithm>

#include "core/cp1252.h"

namespace kb::platform {

ReadResult MemoryFileSystem::ReadFile(std::string_view gamePath, std::vector<uint8_t>& out,
                                      size_t maxBytes) {
  out.clear();
  const std::vector<uint8_t>* found = Find(gamePath);
  if (found == nullptr) return ReadResult::kMissing;
  if (failingReads_ > 0) {
    --failingReads_;
    return ReadResult::kFailed;
  }
  const size_t kept = std::min(found->size(), maxBytes);
  out.assign(found->begin(), found->begin() + static_cast<std::ptrdiff_t>(kept));
  return kept < found->size() ? ReadResult::kTooLarge : ReadResult::kRead;
}

bool MemoryFileSystem::WriteFile(std::string_view gamePath, std::span<const uint8_t> bytes) {
  if (failWrites_) return false;
  files_[GamePathToUtf8(gamePath)].assign(bytes.begin(), bytes.end());
  return true;
}

bool MemoryFileSystem::RemoveFile(std::string_view gamePath) {
  if (failWrites_) return false;
  files_.erase(GamePathToUtf8(gamePath));
  return true;
}

std::vector<std::string> MemoryFileSystem::ListFolder(std::string_view gamePath) {
  const std::string prefix = GamePathToUtf8(gamePath) + "/";
  std::vector<std::string> names;
  for (auto it = files_.lower_bound(prefix); it != files_.end() && it->first.starts_with(prefix);
       ++it) {
    const std::string name = it->first.substr(prefix.size());
    if (name.find('/') == std::string::npos) names.push_back(name);
  }
  return names;
}

bool MemoryFileSystem::MakeFolder(std::string_view) {
  return !failWrites_;
}

void MemoryFileSystem::Put(std::string_view gamePath, std::vector<uint8_t> bytes) {
  files_[GamePathToUtf8(gamePath)] = std::move(bytes);
}

const std::vector<uint8_t>* MemoryFileSystem::Find(std::string_view gamePath) const {
  const auto it = files_.find(GamePathToUtf8(gamePath));
  return it == files_.end() ? nullptr : &it->second;
}

}  // namespace kb::platform
