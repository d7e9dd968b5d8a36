#pragma once

#include <map>
#include <string>

#include "platform/file_system.h"

namespace kb::platform {

// Files in memory, keyed by their UTF-8 path, for tests; reads can be made to
// fail as on a bad disk, writes as on a full one.
class MemoryFileSystem final : public FileSystem {
 public:
  ReadResult ReadFile(std::string_view gamePath, std::vector<uint8_t>& out,
                      size_t maxBytes) override;
  bool WriteFile(std::string_view gamePath, std::span<const uint8_t> bytes) override;
  bool MakeFolder(std::string_view gamePath) override;
  bool RemoveFile(std::string_view gamePath) override;
  std::vector<std::string> ListFolder(std::string_view gamePath) override;

  void Put(std::string_view gamePath, std::vector<uint8_t> bytes);
  const std::vector<uint8_t>* Find(std::string_view gamePath) const;
  void FailWrites(bool fail) { failWrites_ = fail; }
  // The next `count` reads of files that are there fail.
  void FailReads(int count) { failingReads_ = count; }

 private:
  std::map<std::string, std::vector<uint8_t>> files_;
  bool failWrites_ = false;
  int failingReads_ = 0;
};

}  // namespace kb::platform
