#include "platform/sdl/sdl_audio.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <string>

#include "core/cp1252.h"
#include "core/report.h"
#include "platform/sound_checks.h"

namespace kb::platform {
namespace {

// A connector alone plays its blast 15 times at once; a large group adds one
// effect per stone.
constexpr int kMixingChannels = 256;

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
