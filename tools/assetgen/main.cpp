// kb_assetgen <output-folder>: paints, composes and writes the game's whole
// data folder.

#include <cstdio>
#include <string>

#include "data_folder.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kb_assetgen <output-folder>\n");
    return 2;
  }
  std::string error;
  if (!kb::assetgen::WriteDataFolder(argv[1], &error)) {
    std::fprintf(stderr, "kb_assetgen: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
