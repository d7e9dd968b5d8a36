// Hands arbitrary bytes to the game's sound output both ways a file reaches
// it, as an effect and as music, through SDL_mixer and SDL's dummy audio
// driver. SDL and SDL_mixer are not instrumented: this guards our code around
// them, above all its refusal of files in the wrong role or with claims that
// crash or swamp the libraries (see sdl_audio.cpp), without guidance inside
// the libraries themselves. Ogg pages keep the checksums the mutations break,
// so changed Ogg files rarely get past libogg.
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

// Room for a short sound; longer inputs are cut.
constexpr size_t kMaxInputBytes = 8192;
// The game keeps every effect it loads; the fuzzer starts afresh after these.
constexpr int kEffectsPerDevice = 64;

std::unique_ptr<platform::SdlAudio> gAudio;
int gEffects = 0;

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
  const int handle = gAudio->LoadEffect(bytes);
  if (handle != -1 && handle != gEffects) {
    why = "effect handle " + std::to_string(handle) + ", not " + std::to_string(gEffects);
    return false;
  }
  if (handle >= 0) {
    ++gEffects;
    gAudio->PlayEffect(handle);
  }
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
