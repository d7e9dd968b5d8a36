#include "platform/fake/memory_file_system.h"

namespace kb::platform {

bool MemoryFileSystem::ReadFile(std::string_view gamePath, std::vector<uint8_t>& out) {
  const std::vector<uint8_t>* found = Find(gamePath);
  if (found == nullptr) {
    out.clear();
    return false;
  }
  out = *found;
  return true;
}

bool MemoryFileSystem::WriteFile(std::string_view gamePath, std::span<const uint8_t> bytes) {
  if (failWrites_) return false;
  files_[GamePathToUtf8(gamePath)].assign(bytes.begin(), bytes.end());
  return true;
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
