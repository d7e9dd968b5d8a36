// Writes the sample pictures of the decoder tests into a folder, as the seed
// corpus of kb_image_fuzzer: kb_image_seeds fuzz/corpus/image
#include <cstdio>
#include <string>
#include <vector>

#include "test_images.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  std::vector<kb::test::SampleFile> seeds = kb::test::SampleFiles();
  // Refused, but it takes the JPEG decoder down another path.
  seeds.push_back({"cmyk.jpg", kb::test::EncodeCmykJpeg(9, 5)});
  for (const kb::test::SampleFile& seed : seeds) {
    const std::string path = std::string(argv[1]) + "/" + seed.name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 1;
    std::fwrite(seed.bytes.data(), 1, seed.bytes.size(), file);
    std::fclose(file);
  }
  return 0;
}
