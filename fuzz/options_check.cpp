#include <array>

#include "fuzz/one_file_system.h"
#include "fuzz/reader_checks.h"
#include "saves/options_file.h"

namespace kb::fuzz {
namespace {

int32_t LittleEndianAt(std::span<const uint8_t> bytes, size_t at) {
  uint32_t v = 0;
  for (size_t b = 0; b < 4; ++b) v |= static_cast<uint32_t>(bytes[at + b]) << (8 * b);
  return static_cast<int32_t>(v);
}

}  // namespace

// Every whole value the file holds is taken as stored, in the file's order;
// every value it does not reach keeps what it was before.
bool CheckOptionsInput(std::span<const uint8_t> bytes, std::string& why) {
  OneFileSystem files(bytes);
  constexpr std::array<int32_t, 5> kBefore = {-11, -22, -33, -44, -55};
  OptionValues options{kBefore[0], kBefore[1], kBefore[2], kBefore[3], kBefore[4]};
  ReadOptionsFile(files, options);
  const std::array<int32_t, 5> got = {options.ParticlesPerStone, options.RingWidth,
                                      options.AiStrength, options.GraphicSet,
                                      options.SnakeGraphicSet};
  for (size_t i = 0; i < got.size(); ++i) {
    const int32_t want = bytes.size() >= 4 * (i + 1) ? LittleEndianAt(bytes, 4 * i) : kBefore[i];
    if (got[i] != want) {
      why = "option " + std::to_string(i) + " is " + std::to_string(got[i]) + ", not " +
            std::to_string(want);
      return false;
    }
  }
  return true;
}

}  // namespace kb::fuzz
