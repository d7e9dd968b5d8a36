#pragma once

// A file system that holds one file, whatever it is called: the readers find
// the fuzzer's bytes under the name they ask for, and writes go nowhere.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace kb::fuzz {

class OneFileSystem final : public platform::FileSystem {
 public:
  explicit OneFileSystem(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  platform::ReadResult ReadFile(std::string_view, std::vector<uint8_t>& out,
                                size_t maxBytes) override {
    const size_t kept = std::min(bytes_.size(), maxBytes);
    out.assign(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(kept));
    return kept < bytes_.size() ? platform::ReadResult::kTooLarge : platform::ReadResult::kRead;
  }
  bool WriteFile(std::string_view, std::span<const uint8_t>) override { return false; }
  bool MakeFolder(std::string_view) override { return false; }

 private:
  std::span<const uint8_t> bytes_;
};

}  // namespace kb::fuzz
