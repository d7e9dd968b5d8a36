// kb_assetgen <output-folder>: paints, composes and writes the game's whole
// data folder.
// kb_assetgen --icons <output-folder> <size>...: writes the program's icon at
// the sizes (in pixels) a desktop asks for.
// kb_assetgen --defaults <output-folder>: writes the options a new player
// starts with, for the installation to ship beside the data.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data_folder.h"

namespace {

constexpr const char* kUsage =
    "usage: kb_assetgen <output-folder>\n"
    "       kb_assetgen --icons <output-folder> <size>...\n"
    "       kb_assetgen --defaults <output-folder>\n";

}  // namespace

int main(int argc, char** argv) {
  const bool icons = argc >= 4 && std::string(argv[1]) == "--icons";
  const bool defaults = argc == 3 && std::string(argv[1]) == "--defaults";
  if (argc != 2 && !icons && !defaults) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::vector<int> sizes;
  for (int i = 3; icons && i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size < 16 || size > 1024) {
      std::fputs(kUsage, stderr);
      return 2;
    }
    sizes.push_back(size);
  }
  std::string error;
  const bool written = icons      ? kb::assetgen::WriteIconFolder(argv[2], sizes, &error)
                       : defaults ? kb::assetgen::WriteDefaultsFolder(argv[2], &error)
                                  : kb::assetgen::WriteDataFolder(argv[1], &error);
  if (!written) {
    std::fprintf(stderr, "kb_assetgen: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
