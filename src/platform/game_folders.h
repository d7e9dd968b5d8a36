#pragma once

#include <filesystem>

namespace kb::platform {

// Where the game's files are: the data folder with its pictures, sounds and
// music, which it only reads, and the player's folder for what it writes.
struct GameFolders {
  std::filesystem::path data;
  std::filesystem::path player;
};

// A working folder that holds the game's data and may be written (the build
// tree's data folder, or a copy of it) serves as both, as it always did.
// Otherwise the data lies beside the program: in ../share/games/klotzbrecher3
// where Debian's package puts it (the program in /usr/games), in
// ../share/klotzbrecher3 where another installation does, else in data/ as in
// the build tree, and the player's files
// go to $XDG_DATA_HOME/klotzbrecher3, by default ~/.local/share/klotzbrecher3.
// The environment values may be null.
GameFolders FindGameFolders(const std::filesystem::path& programFolder,
                            const std::filesystem::path& workingFolder, const char* xdgDataHome,
                            const char* home);

}  // namespace kb::platform
