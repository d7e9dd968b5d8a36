// Writes the sample pictures of the decoder tests into a folder, as the seed
// corpus of kb_image_fuzzer: kb_image_seeds fuzz/corpus/image
#include <cstdio>
#include <string>

#include "test_images.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  for (const kb::test::SampleFile& sample : kb::test::SampleFiles()) {
    const std::string path = std::string(argv[1]) + "/" + sample.name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 1;
    std::fwrite(sample.bytes.data(), 1, sample.bytes.size(), file);
    std::fclose(file);
  }
  return 0;
}
