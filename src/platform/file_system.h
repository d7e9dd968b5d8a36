#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kb::platform {

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

// While it lives, no other game holds the lock of the same file (see
// FileSystem::LockFile). Empty where nobody else could write the file. It is
// only ever returned and held, never passed on, so it cannot be copied or moved.
class FileLock {
 public:
  FileLock() = default;
  explicit FileLock(int descriptor) : descriptor_(descriptor) {}
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock();

 private:
  int descriptor_ = -1;
};

// Files are named as the game names them (core/cp1252.h, GamePathToUtf8).
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
  // Removes a file of the player's; true when it is gone, also when it was
  // never there. A stand-in that keeps no player's files has none to remove.
  virtual bool RemoveFile(std::string_view /*gamePath*/) { return true; }
  // The files in a folder of the player's, by name; only plain ASCII names
  // are listed, which are all the game gives its files there.
  virtual std::vector<std::string> ListFolder(std::string_view /*gamePath*/) { return {}; }
  // Waits until no other game holds the lock of that file, then holds it: a
  // game that reads a file, changes it and writes it back holds the lock all
  // along, so that another doing the same at the same moment works on its
  // result rather than beside it. No game but this one reaches the files of
  // the browser or of a test, so by default there is nothing to hold.
  virtual FileLock LockFile(std::string_view /*gamePath*/) { return {}; }
};

// A folder of the player's that the game saves files in: "Screenshots", and
// which names it gives them there: "bild.bmp".
struct SavedFolder {
  std::string_view name;
  bool (*isFolderFile)(std::string_view name);
};

// The names of what the game saves, by which the clean-up at start-up knows
// its own temporaries.
struct SavedFileNames {
  std::vector<std::string_view> files;  // in the player's folder: "Optionen.bin"
  std::vector<SavedFolder> folders;
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
  bool RemoveFile(std::string_view gamePath) override;
  std::vector<std::string> ListFolder(std::string_view gamePath) override;
  // The lock is held on "<file>.lock" beside the file, which stays there.
  FileLock LockFile(std::string_view gamePath) override;
  // Where the game writes a file of that name.
  std::filesystem::path Resolve(std::string_view gamePath) const;
  // Removes what saves cut short by a kill or a power cut left in the
  // player's folder: temporary files of a game that no longer runs, made for
  // one of the saved files named. Nothing else is touched.
  void RemoveLeftoverTemporaries(const SavedFileNames& saved) const;

 private:
  bool MakePlayerRoot() const;

  std::filesystem::path dataRoot_;
  std::filesystem::path playerRoot_;
};

}  // namespace kb::platform
