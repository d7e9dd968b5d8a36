#include "wav_writer.h"

#include <algorithm>
#include <cmath>

#include "core/little_endian.h"

namespace kb::assetgen {
namespace {

void PutTag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

std::vector<uint8_t> EncodeWav(const std::vector<float>& samples, int sampleRate, int channels) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * 2u;
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  PutU32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutU32(out, 16);
  PutU16(out, 1);  // PCM
  PutU16(out, static_cast<uint32_t>(channels));
  PutU32(out, static_cast<uint32_t>(sampleRate));
  PutU32(out, static_cast<uint32_t>(sampleRate * channels * 2));
  PutU16(out, static_cast<uint32_t>(channels * 2));
  PutU16(out, 16);
  PutTag(out, "data");
  PutU32(out, dataBytes);
  for (float s : samples) {
    const long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
    PutU16(out, static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(v))));
  }
  return out;
}

}  // namespace kb::assetgen
