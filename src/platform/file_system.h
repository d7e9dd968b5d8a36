#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kb::platform {

// The game names its files as it always did: relative to the working
// folder, with backslashes, in Windows-1252 ("Hintergr\xfcnde\Menue.jpg").
// On disk they are UTF-8 paths with slashes ("Hintergründe/Menue.jpg").
std::string GamePathToUtf8(std::string_view gamePath);

// MENDED: no picture, sound or music track of the game comes near this; a
// larger file is not one of them, and reading it whole would only eat memory.
inline constexpr size_t kMaxMediaFileBytes = size_t{32} << 20;

enum class ReadResult {
  kRead,      // the whole file is in `out`
  kMissing,   // no such file; a folder, pipe or device in its place counts
              // as none, since reading one could block or never end
  kTooLarge,  // longer than asked for: `out` holds its first `maxBytes` bytes
  kFailed,    // there, but it could not be read (permissions, a read error)
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Reads at most `maxBytes` bytes; `out` is empty unless the result is
  // kRead or kTooLarge.
  virtual ReadResult ReadFile(std::string_view gamePath, std::vector<uint8_t>& out,
                              size_t maxBytes) = 0;
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
  explicit DiskFileSystem(const std::filesystem::path& root) : dataRoot_(root), playerRoot_(root) {}
  DiskFileSystem(std::filesystem::path dataRoot, std::filesystem::path playerRoot)
      : dataRoot_(std::move(dataRoot)), playerRoot_(std::move(playerRoot)) {}
  ReadResult ReadFile(std::string_view gamePath, std::vector<uint8_t>& out,
                      size_t maxBytes) override;
  bool WriteFile(std::string_view gamePath, std::span<const uint8_t> bytes) override;
  bool MakeFolder(std::string_view gamePath) override;
  // Where the game writes a file of that name.
  std::filesystem::path Resolve(std::string_view gamePath) const;
  // Removes what saves cut short by a kill or a power cut left in the
  // player's folder: temporary files of a game that no longer runs.
  void RemoveLeftoverTemporaries() const;

 private:
  bool MakePlayerRoot() const;

  std::filesystem::path dataRoot_;
  std::filesystem::path playerRoot_;
};

}  // namespace kb::platform
