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

// Files on the local disk: the game's data folder, which is only read, and
// the player's folder, which holds what the game writes (options, highscores,
// screenshots) and is made when the game first writes there. A file is read
// from the player's folder where it is there, else from the data folder. Both
// may be one folder, as in the build tree.
class DiskFileSystem final : public FileSystem {
 public:
  explicit DiskFileSystem(std::filesystem::path root) : dataRoot_(root), playerRoot_(root) {}
  DiskFileSystem(std::filesystem::path dataRoot, std::filesystem::path playerRoot)
      : dataRoot_(std::move(dataRoot)), playerRoot_(std::move(playerRoot)) {}
  bool ReadFile(std::string_view gamePath, std::vector<uint8_t>& out) override;
  bool WriteFile(std::string_view gamePath, std::span<const uint8_t> bytes) override;
  bool MakeFolder(std::string_view gamePath) override;
  // Where the game writes a file of that name.
  std::filesystem::path Resolve(std::string_view gamePath) const;

 private:
  bool MakePlayerRoot() const;

  std::filesystem::path dataRoot_;
  std::filesystem::path playerRoot_;
};

}  // namespace kb::platform
