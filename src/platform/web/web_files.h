#pragma once

#include <span>
#include <string_view>

#include "platform/file_system.h"

namespace kb::platform {

// The data folder as the page packed it (read only) and the player's folder
// in the browser's IndexedDB, which keeps the options and the highscores
// across reloads. Every save is written through to IndexedDB before the game
// goes on. A screenshot goes to the player as a download instead: a file kept
// inside the browser would be out of the player's reach.
class WebFileSystem final : public FileSystem {
 public:
  static constexpr const char* kDataFolder = "/daten";
  static constexpr const char* kPlayerFolder = "/spieler";

  // Brings the player's folder back from IndexedDB; false where the browser
  // keeps nothing (then the files last until the page is left).
  static bool OpenPlayerFolder();

  WebFileSystem() : disk_(kDataFolder, kPlayerFolder) {}
  ReadResult ReadFile(std::string_view gamePath, std::vector<uint8_t>& out,
                      size_t maxBytes) override;
  bool WriteFile(std::string_view gamePath, std::span<const uint8_t> bytes) override;
  bool MakeFolder(std::string_view gamePath) override;
  bool RemoveFile(std::string_view gamePath) override;
  std::vector<std::string> ListFolder(std::string_view gamePath) override {
    return disk_.ListFolder(gamePath);
  }

 private:
  DiskFileSystem disk_;
};

// Tells the page that the game has ended ("Beenden"), for it to say so.
void TellPageTheGameEnded();

}  // namespace kb::platform
