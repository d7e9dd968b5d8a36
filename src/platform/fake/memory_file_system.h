#pragma once

#include <map>
#include <string>

#include "platform/file_system.h"

namespace kb::platform {

// Files in memory, keyed by their UTF-8 path, for tests; writes can be made
// to fail as on a full disk.
class MemoryFileSystem final : public FileSystem {
 public:
  bool ReadFile(std::string_view gamePath, std::vector<uint8_t>& out) override;
  bool WriteFile(std::string_view gamePath, std::span<const uint8_t> bytes) override;
  bool MakeFolder(std::string_view gamePath) override;

  void Put(std::string_view gamePath, std::vector<uint8_t> bytes);
  const std::vector<uint8_t>* Find(std::string_view gamePath) const;
  void FailWrites(bool fail) { failWrites_ = fail; }

 private:
  std::map<std::string, std::vector<uint8_t>> files_;
  bool failWrites_ = false;
};

}  // namespace kb::platform
