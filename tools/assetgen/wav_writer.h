#pragma once

#include <cstdint>
#include <vector>

namespace kb::assetgen {

// A RIFF WAVE file, 16-bit PCM. Samples are -1..1, interleaved when there is
// more than one channel; values beyond that range are clipped.
std::vector<uint8_t> EncodeWav(const std::vector<float>& samples, int sampleRate, int channels);

}  // namespace kb::assetgen
