#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kb::assetgen {

struct StereoBuffer {
  int sampleRate = 44100;
  std::vector<float> left;
  std::vector<float> right;
};

// Ogg Vorbis of a stereo piece at the given quality (-0.1 .. 1.0). The stream
// serial number is fixed so that the same music gives the same bytes.
std::vector<uint8_t> EncodeOggVorbis(const StereoBuffer& music, float quality,
                                     const std::string& title, const std::string& artist);

}  // namespace kb::assetgen
