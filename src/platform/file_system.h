#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kb::platform {

// The game names its files as the original did: relative to the working
// folder, with backslashes, in Windows-1252 ("Hintergr\xfcnde\Menue.jpg").
// On disk they are UTF-8 paths with slashes ("Hintergründe/Menue.jpg").
std::string GamePathToUtf8(std::string_view gamePath);

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // False when the file is missing or unreadable; `out` is then empty.
  virtual bool ReadFile(std::string_view gamePath, std::vector<uint8_t>& out) = 0;
  // Whole or not at all: the old file stays intact unless every byte of the
  // new one reached the disk.
  virtual bool WriteFile(std::string_view gamePath, std::span<const uint8_t> bytes) = 0;
  virtual bool MakeFolder(std::string_view gamePath) = 0;
};

// Files below a root folder on the local disk.
class DiskFileSystem final : public FileSystem {
 public:
  explicit DiskFileSystem(std::filesystem::path root) : root_(std::move(root)) {}
  bool ReadFile(std::string_view gamePath, std::vector<uint8_t>& out) override;
  bool WriteFile(std::string_view gamePath, std::span<const uint8_t> bytes) override;
  bool MakeFolder(std::string_view gamePath) override;
  std::filesystem::path Resolve(std::string_view gamePath) const;

 private:
  std::filesystem::path root_;
};

}  // namespace kb::platform
