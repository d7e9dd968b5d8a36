// Hands arbitrary bytes to the game's sound output the way its files reach
// it: a WAV file as an effect, an Ogg file as music, through SDL_mixer and
// SDL's dummy audio driver. SDL and SDL_mixer are not instrumented: this
// guards our code around them and finds hostile files that crash them,
// without guidance inside them.
//
// Two crashes of theirs are kept out, since no code of ours could stop them
// and they would end every run: SDL divides by zero on a WAV file played as
// music that claims more than 255 channels, and libvorbis 1.3.7 on a changed
// Vorbis setup header. So nothing but Ogg goes to the music, and Ogg pages
// keep the checksums the mutations break: libogg refuses every changed page.
#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_main.h"
#include "platform/sdl/sdl_audio.h"

namespace kb::fuzz {
namespace {

// Room for a short sound; longer inputs are cut, see IsEffect.
constexpr size_t kMaxInputBytes = 8192;
// The game keeps every effect it loads; the fuzzer starts afresh after these.
constexpr int kEffectsPerDevice = 64;

std::unique_ptr<platform::SdlAudio> gAudio;
int gEffects = 0;

bool StartsWith(std::span<const uint8_t> bytes, size_t at, std::string_view text) {
  return bytes.size() >= at + text.size() && std::memcmp(&bytes[at], text.data(), text.size()) == 0;
}

uint32_t LittleEndianAt(std::span<const uint8_t> bytes, size_t at) {
  uint32_t v = 0;
  for (size_t b = 0; b < 4; ++b) v |= static_cast<uint32_t>(bytes[at + b]) << (8 * b);
  return v;
}

// A WAV file that claims neither a low rate nor a large chunk. SDL_mixer
// converts an effect to the mixer's 44.1 kHz at once, so a file claiming a
// rate of a few Hz grows ten-thousandfold: a few KB take gigabytes and
// seconds. SDL reserves a chunk at the size its header claims, up to 4 GB;
// in the game that costs only address space, here the sanitizer's record of
// it half a gigabyte. Every place that may be such a header is looked at.
bool IsEffect(std::span<const uint8_t> bytes) {
  if (!StartsWith(bytes, 0, "RIFF") || !StartsWith(bytes, 8, "WAVE")) return false;
  for (size_t at = 12; at + 8 <= bytes.size(); ++at) {
    const bool format = StartsWith(bytes, at, "fmt ");
    if (!format && !StartsWith(bytes, at, "data") && !StartsWith(bytes, at, "fact")) continue;
    if (LittleEndianAt(bytes, at + 4) > bytes.size()) return false;
    if (format && at + 16 <= bytes.size() && LittleEndianAt(bytes, at + 12) < 8000) return false;
  }
  return true;
}

}  // namespace

// An effect gets the next handle or -1, a track its length or -1, and after
// StopMusic no music plays.
bool CheckSoundInput(std::span<const uint8_t> input, std::string& why) {
  const std::span<const uint8_t> bytes = input.first(std::min(input.size(), kMaxInputBytes));
  if (gEffects == kEffectsPerDevice) {
    gAudio.reset();
    gAudio = std::make_unique<platform::SdlAudio>();
    gEffects = 0;
  }
  if (IsEffect(bytes)) {
    const int handle = gAudio->LoadEffect(bytes);
    if (handle != -1 && handle != gEffects) {
      why = "effect handle " + std::to_string(handle) + ", not " + std::to_string(gEffects);
      return false;
    }
    if (handle >= 0) {
      ++gEffects;
      gAudio->PlayEffect(handle);
    }
  } else if (StartsWith(bytes, 0, "OggS")) {
    const int64_t length = gAudio->PlayMusic(bytes);
    if (length < -1) {
      why = "music of length " + std::to_string(length);
      return false;
    }
    gAudio->StopMusic();
    if (Mix_PlayingMusic() != 0) {
      why = "music plays after it was stopped";
      return false;
    }
  }
  return true;
}

}  // namespace kb::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  kb::fuzz::gAudio = std::make_unique<kb::platform::SdlAudio>();
  if (!kb::fuzz::gAudio->Available()) {
    std::fprintf(stderr, "SDL's dummy audio driver did not open\n");
    std::abort();
  }
  return 0;
}

KB_FUZZ_WITH(kb::fuzz::CheckSoundInput)
