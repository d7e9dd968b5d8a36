#include "platform/game_folders.h"

#include <unistd.h>

#include <system_error>

#include "core/cp1252.h"
#include "core/data_files.h"
#include "platform/file_system.h"

namespace kb::platform {
namespace {

constexpr const char* kFolderName = "klotzbrecher3";

// The first picture the game shows marks a data folder.
bool HoldsGameData(const std::filesystem::path& folder) {
  std::error_code ec;
  return std::filesystem::is_regular_file(
      folder / GamePathToUtf8(data_files::kTitleBackground.path), ec);
}

std::filesystem::path PlayerFolder(const char* xdgDataHome, const char* home,
                                   const std::filesystem::path& fallback) {
  // The base directory convention ignores a relative XDG_DATA_HOME.
  if (xdgDataHome != nullptr && std::filesystem::path(xdgDataHome).is_absolute()) {
    return std::filesystem::path(xdgDataHome) / kFolderName;
  }
  if (home != nullptr && *home != '\0') {
    return std::filesystem::path(home) / ".local" / "share" / kFolderName;
  }
  return fallback;
}

}  // namespace

GameFolders FindGameFolders(const std::filesystem::path& programFolder,
                            const std::filesystem::path& workingFolder, const char* xdgDataHome,
                            const char* home) {
  if (HoldsGameData(workingFolder) && ::access(workingFolder.c_str(), W_OK) == 0) {
    return {workingFolder, workingFolder};
  }
  const std::filesystem::path share = programFolder.parent_path() / "share";
  std::filesystem::path data = programFolder / "data";
  for (const std::filesystem::path& installed :
       {share / "games" / kFolderName, share / kFolderName}) {
    if (HoldsGameData(installed)) {
      data = installed;
      break;
    }
  }
  return {data, PlayerFolder(xdgDataHome, home, workingFolder)};
}

}  // namespace kb::platform
