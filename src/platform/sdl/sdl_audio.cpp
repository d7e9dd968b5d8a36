#include "platform/sdl/sdl_audio.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <cstring>
#include <string>

#include "core/cp1252.h"
#include "core/report.h"

namespace kb::platform {
namespace {

// A connector alone plays its blast 15 times at once; a large group adds one
// effect per stone.
constexpr int kMixingChannels = 256;

uint32_t LittleEndian(std::span<const uint8_t> bytes, size_t at, size_t size) {
  uint32_t value = 0;
  for (size_t i = 0; i < size; ++i) value |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
  return value;
}

// MENDED: SDL_mixer takes any format it knows in either role, and some of its
// decoders fall over on crafted files (a WAV of 256 channels played as music,
// an Ogg Vorbis effect with a damaged setup header: division by zero in the
// libraries of Debian 12), and converting a WAV that claims 1 Hz to the
// device's 44.1 kHz takes hundreds of megabytes. The game's effects are WAVs
// and its music Ogg files; anything else is refused before the libraries see
// it.
bool IsPlainWave(std::span<const uint8_t> bytes) {
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
      std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
    return false;
  }
  // Every chunk lies inside the file (SDL would reserve what a header claims,
  // up to 4 GB), and the format is one the game's effects could have.
  bool format = false;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    const size_t size = LittleEndian(bytes, at + 4, 4);
    if (at + 8 + size > bytes.size()) return false;
    if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0) {
      if (size < 16) return false;
      const uint32_t channels = LittleEndian(bytes, at + 10, 2);
      const uint32_t rate = LittleEndian(bytes, at + 12, 4);
      format = channels >= 1 && channels <= 8 && rate >= 8000 && rate <= 192000;
      if (!format) return false;
    }
    at += 8 + size + (size & 1u);
  }
  return format;
}

bool IsOgg(std::span<const uint8_t> bytes) {
  return bytes.size() >= 4 && std::memcmp(bytes.data(), "OggS", 4) == 0;
}

}  // namespace

SdlAudio::SdlAudio() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
  Mix_Init(MIX_INIT_OGG);
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
    ReportProblem("Tonausgabe nicht möglich: "_cp + std::string(Mix_GetError()));
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  Mix_AllocateChannels(kMixingChannels);
  // A connector starts its blast 15 times at once and a large group one burst
  // per stone; half volume on every channel leaves room before the mix clips.
  Mix_Volume(-1, MIX_MAX_VOLUME / 2);
  open_ = true;
}

SdlAudio::~SdlAudio() {
  if (!open_) return;
  StopMusic();
  Mix_HaltChannel(-1);
  for (Mix_Chunk* chunk : effects_) Mix_FreeChunk(chunk);
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

int SdlAudio::LoadEffect(std::span<const uint8_t> wav) {
  if (!open_ || !IsPlainWave(wav)) return -1;
  SDL_RWops* rw = SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size()));
  Mix_Chunk* chunk = rw != nullptr ? Mix_LoadWAV_RW(rw, 1) : nullptr;
  if (chunk == nullptr) return -1;
  effects_.push_back(chunk);
  return static_cast<int>(effects_.size() - 1);
}

void SdlAudio::PlayEffect(int handle) {
  if (!open_ || handle < 0 || static_cast<size_t>(handle) >= effects_.size()) return;
  // With every channel busy the effect is simply not heard.
  Mix_PlayChannel(-1, effects_[static_cast<size_t>(handle)], 0);
}

int64_t SdlAudio::PlayMusic(std::span<const uint8_t> ogg) {
  StopMusic();
  if (!open_ || !IsOgg(ogg)) return -1;
  musicBytes_.assign(ogg.begin(), ogg.end());
  SDL_RWops* rw = SDL_RWFromConstMem(musicBytes_.data(), static_cast<int>(musicBytes_.size()));
  music_ = rw != nullptr ? Mix_LoadMUS_RW(rw, 1) : nullptr;
  if (music_ == nullptr) return -1;
  const double seconds = Mix_MusicDuration(music_);
  if (seconds <= 0.0 || Mix_PlayMusic(music_, 1) != 0) {
    StopMusic();
    return -1;
  }
  return static_cast<int64_t>(seconds * 1000.0);
}

void SdlAudio::StopMusic() {
  if (music_ == nullptr) return;
  Mix_HaltMusic();
  Mix_FreeMusic(music_);
  music_ = nullptr;
}

}  // namespace kb::platform
